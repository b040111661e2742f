#!/usr/bin/env bash
# Authenticode signing by scripts/package with a throwaway certificate made here:
# for both architectures, the exe (inside the packages), the installers' DLL, the setup
# exe and the msi carry signatures that osslsigncode verifies with that certificate as
# the only trusted root; the same certificate signs to the same bytes again; without a
# certificate nothing is signed.
#
#   tests/install/signing_test.sh
#
# Needs the two Windows builds (build/win64, build/win32). Packages into
# build/package-signed/ and, unsigned, into build/signing/, never touching build/package/.
set -uo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"
. "$(dirname "$0")/../../scripts/lib-package.sh"
. "$(dirname "$0")/checks.sh"

[ -f "$RP_EXE" ] && [ -f "$RP_EXE32" ] || rp_die "no $RP_EXE or $RP_EXE32 (build both Windows trees first)"
work="$RP_BUILD/signing"
rm -rf "$work" && mkdir -p "$work" || exit 1

# A self-signed code-signing certificate, its key in a password-protected PKCS#12 file.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Respite Prompter test signer" \
    -addext keyUsage=digitalSignature -addext extendedKeyUsage=codeSigning \
    -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null &&
    openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" \
        -passout pass:throwaway -out "$work/signer.pfx" ||
    rp_die "openssl could not make the test certificate"

# rp_package in a shell of its own, so that its variables stay there.
package_into() {  # package_into DIR [VAR=VALUE...]
    local dir=$1
    shift
    env RP_PACKAGE_DIR="$dir" "$@" bash -c '. scripts/lib.sh; . scripts/lib-package.sh; rp_package' \
        >"$dir.log" 2>&1
}
verified() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >/dev/null 2>&1; }

cd "$RP_ROOT" || exit 1
signed="$RP_BUILD/package-signed"
check "scripts/package signs with RP_SIGN_PFX and RP_SIGN_PASSWORD" \
    package_into "$signed" RP_SIGN_PFX="$work/signer.pfx" RP_SIGN_PASSWORD=throwaway
for arch in "${RP_ARCHES[@]}"; do
    name="RespitePrompter-$(rp_version)-$arch"
    unzip -q -o -d "$work/unzipped" "$(rp_download "$arch" zip "" "$signed")" "$name/RespitePrompter.exe"
    check "signed $arch exe in the zip verifies" verified "$work/unzipped/$name/RespitePrompter.exe"
    check "signed $arch setup exe verifies" verified "$(rp_download "$arch" setup "" "$signed")"
    check "the $arch installers' signed SetupActions.dll verifies" verified "$signed/stage/$arch/SetupActions.dll"
    check "signed $arch msi verifies" verified "$(rp_download "$arch" msi "" "$signed")"
done
unsigned="$work/package-unsigned"
check "scripts/package without a certificate packages" \
    package_into "$unsigned" RP_SIGN_PFX= RP_SIGN_PASSWORD=
check "the unsigned x64 msi is there" test -f "$(rp_download x64 msi "" "$unsigned")"
check_not "the unsigned x64 msi does not verify" verified "$(rp_download x64 msi "" "$unsigned")"

again="$RP_BUILD/package-signed-again"
package_into "$again" RP_SIGN_PFX="$work/signer.pfx" RP_SIGN_PASSWORD=throwaway
check "the same certificate signs the x64 msi to the same bytes" \
    cmp -s "$(rp_download x64 msi "" "$signed")" "$(rp_download x64 msi "" "$again")"
rm -rf "$again" "$again.log"
checks_done "signing"
