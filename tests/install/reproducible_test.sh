#!/usr/bin/env bash
# Two builds of the same sources in different folders, at different times, give
# the same bytes: the source tree is copied to a folder of another name and depth,
# its programs built (x64 and i686) and packaged there, and the exes, the installers' DLLs,
# the zips, the setup exes and the msis of both architectures compared with those of this
# tree's build/ (made from the same commit); the winget manifests must name the downloads by
# their real SHA-256.
#
#   tests/install/reproducible_test.sh
#
# Needs this tree's two Windows builds and scripts/package's output. Builds only the
# programs and the DLLs (not the e2e drivers) in build/reproducible/; about 3 minutes on 2 cores.
set -uo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"
. "$(dirname "$0")/../../scripts/lib-package.sh"
. "$(dirname "$0")/checks.sh"

version=$(rp_version)
for arch in "${RP_ARCHES[@]}"; do
    [ -f "$(rp_download "$arch" msi)" ] || rp_die "no $arch packages in $RP_PACKAGE_DIR (run scripts/package first)"
done
epoch=$(rp_source_date_epoch)
[ -n "$epoch" ] || rp_die "no commit time: set SOURCE_DATE_EPOCH outside a git checkout"

# The sources as they are now (committed or not), without build/; no .git, so the
# commit's time comes in through SOURCE_DATE_EPOCH.
other="$RP_BUILD/reproducible/another folder/sources"
rm -rf "$RP_BUILD/reproducible"
mkdir -p "$other" &&
    (cd "$RP_ROOT" && git ls-files -z --cached --others --exclude-standard | xargs -0 cp -P --parents -t "$other") ||
    rp_die "copying the sources failed"

echo "build: the programs and their packages in $other"
(
    cd "$other" &&
        env -u RP_PACKAGE_DIR SOURCE_DATE_EPOCH="$epoch" bash -c '. scripts/lib.sh && . scripts/lib-package.sh &&
            for toolchain in mingw-x86_64:"$RP_WIN64" mingw-i686:"$RP_WIN32"; do
                cmake -S . -B "${toolchain#*:}" -DCMAKE_TOOLCHAIN_FILE="$RP_ROOT/cmake/${toolchain%%:*}.cmake" >/dev/null &&
                    cmake --build "${toolchain#*:}" -j"$RP_JOBS" --target RespitePrompter SetupActions >/dev/null || exit 1
            done &&
            rp_package'
) >"$RP_BUILD/reproducible/build.log" 2>&1 || rp_die "the second build failed (see $RP_BUILD/reproducible/build.log)"

same() { cmp "$1" "$2" >/dev/null; }
# The winget manifests name the downloads by their real SHA-256.
names_sha256() { grep -qx "    InstallerSha256: $(sha256sum <"$1" | cut -c1-64 | tr a-f A-F)" "$RP_PACKAGE_DIR/winget/$RP_WINGET_ID.installer.yaml"; }
for arch in "${RP_ARCHES[@]}"; do
    tree=$(rp_tree "$arch")
    check "RespitePrompter.exe ($arch) the same" same "$tree/RespitePrompter.exe" "$other/build/${tree##*/}/RespitePrompter.exe"
    check "SetupActions.dll ($arch) the same" same "$tree/SetupActions.dll" "$other/build/${tree##*/}/SetupActions.dll"
    for kind in zip setup msi; do
        file=$(rp_download "$arch" "$kind")
        check "$(basename "$file") the same" same "$file" "$other/build/package/$(basename "$file")"
    done
    check "winget manifest: the $arch msi's SHA-256" names_sha256 "$(rp_download "$arch" msi)"
    check "winget manifest: the $arch setup exe's SHA-256" names_sha256 "$(rp_download "$arch" setup)"
done
checks_done "reproducible build"
