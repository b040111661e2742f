#!/usr/bin/env bash
# Two builds of the same sources in different folders, at different times, give
# the same bytes: the source tree is copied to a folder of another name and depth,
# its program built and packaged there, and the exe, the installers' DLL, the zip, the
# setup exe and the msi compared with those of this tree's build/ (made from the same commit);
# the winget manifests must name the downloads by their real SHA-256.
#
#   tests/install/reproducible_test.sh
#
# Needs this tree's win32 build and scripts/package's output. Builds only the
# program and the DLL (not the e2e driver) in build/reproducible/; about 2 minutes on 2 cores.
set -uo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"
. "$(dirname "$0")/../../scripts/lib-package.sh"
. "$(dirname "$0")/checks.sh"

version=$(rp_version)
name="RespitePrompter-$version"
[ -f "$RP_PACKAGE_DIR/$name.msi" ] || rp_die "no packages in $RP_PACKAGE_DIR (run scripts/package first)"
epoch=$(rp_source_date_epoch)
[ -n "$epoch" ] || rp_die "no commit time: set SOURCE_DATE_EPOCH outside a git checkout"

# The sources as they are now (committed or not), without build/; no .git, so the
# commit's time comes in through SOURCE_DATE_EPOCH.
other="$RP_BUILD/reproducible/another folder/sources"
rm -rf "$RP_BUILD/reproducible"
mkdir -p "$other" &&
    (cd "$RP_ROOT" && git ls-files -z --cached --others --exclude-standard | xargs -0 cp -P --parents -t "$other") ||
    rp_die "copying the sources failed"

echo "build: the program and its packages in $other"
(
    cd "$other" &&
        env -u RP_PACKAGE_DIR SOURCE_DATE_EPOCH="$epoch" bash -c '. scripts/lib.sh && . scripts/lib-package.sh &&
            cmake -S . -B "$RP_WIN32" -DCMAKE_TOOLCHAIN_FILE="$RP_ROOT/cmake/mingw-i686.cmake" >/dev/null &&
            cmake --build "$RP_WIN32" -j"$RP_JOBS" --target RespitePrompter SetupActions >/dev/null &&
            rp_package'
) >"$RP_BUILD/reproducible/build.log" 2>&1 || rp_die "the second build failed (see $RP_BUILD/reproducible/build.log)"

same() { cmp "$1" "$2" >/dev/null; }
check "RespitePrompter.exe the same" same "$RP_EXE" "$other/build/win32/RespitePrompter.exe"
check "SetupActions.dll the same" same "$RP_SETUP_ACTIONS" "$other/build/win32/SetupActions.dll"
for file in "$name-portable.zip" "$name-setup.exe" "$name.msi"; do
    check "$file the same" same "$RP_PACKAGE_DIR/$file" "$other/build/package/$file"
done
# The winget manifests name the downloads by their real SHA-256.
names_sha256() { grep -qx "    InstallerSha256: $(sha256sum <"$1" | cut -c1-64 | tr a-f A-F)" "$RP_PACKAGE_DIR/winget/$RP_WINGET_ID.installer.yaml"; }
check "winget manifest: the msi's SHA-256" names_sha256 "$RP_PACKAGE_DIR/$name.msi"
check "winget manifest: the setup exe's SHA-256" names_sha256 "$RP_PACKAGE_DIR/$name-setup.exe"
checks_done "reproducible build"
