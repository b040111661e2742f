# shellcheck shell=bash
# Packaging helpers for scripts/package and scripts/test. Source after lib.sh.
#
# rp_package makes, for each architecture ARCH of RP_ARCHES (x64 from build/win64, x86 from
# build/win32: the program and SetupActions.dll of that tree), in $RP_PACKAGE_DIR:
#   RespitePrompter-<version>-<ARCH>-portable.zip   the program folder, to unpack anywhere
#   RespitePrompter-<version>-<ARCH>-setup.exe      the installer (NSIS)
#   RespitePrompter-<version>-<ARCH>.msi            the Windows Installer package (wixl)
# and winget/, the Windows package manager's manifests for all four installers.
# rp_download ARCH KIND gives their paths. Returns 1 (after saying why) on failure.
#
# The same commit gives byte-identical packages in any folder at any time: every
# timestamp in them is the last commit's (SOURCE_DATE_EPOCH), the zip's entries
# are sorted, and the msi's codes are made from its contents (docs/packaging.md).
#
# Signing (Authenticode, osslsigncode) happens when both are set:
#   RP_SIGN_PFX        a PKCS#12 file with the code-signing certificate and its key
#   RP_SIGN_PASSWORD   its password
# optional: RP_SIGN_TIMESTAMP_URL, an RFC 3161 time-stamping server.
# Without them the files stay unsigned; with only one of them packaging fails.

RP_PACKAGE_DIR="${RP_PACKAGE_DIR:-$RP_BUILD/package}"
# The downloads' architectures, as Windows names them: x64 (64-bit Windows, also ARM64 Windows 11
# through its x64 emulation) and x86 (32-bit Windows).
RP_ARCHES=(x64 x86)

# The msi's upgrade code: the same for every version, so that a newer package
# replaces an older one. Never change it.
RP_UPGRADE_CODE="9F12BCAD-89F8-4805-9AD9-5DA92E5BBF8A"
RP_WINGET_ID="Kelvadore.PeriodicRespitePrompter"
# Where the downloads are published; the winget manifests point there.
RP_DOWNLOAD_URL="${RP_DOWNLOAD_URL:-https://downloads.kelvadore.example/respite-prompter}"

# Debian's own python3 (it has python3-olefile), whatever else is first on PATH.
RP_PYTHON=/usr/bin/python3

# The version is the project's, from CMakeLists.txt.
rp_version() {
    sed -nE 's/^project\(RespitePrompter VERSION ([0-9]+\.[0-9]+\.[0-9]+).*/\1/p' "$RP_ROOT/CMakeLists.txt"
}

# Seconds since 1970 of the last commit, unless the caller set SOURCE_DATE_EPOCH.
rp_source_date_epoch() {
    if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
        echo "$SOURCE_DATE_EPOCH"
    else
        git -C "$RP_ROOT" log -1 --format=%ct 2>/dev/null
    fi
}

# rp_tree ARCH: the build tree of an architecture. It holds the program and the installers' own
# code (packaging/SetupActions.cpp, SetupActions.dll), which closes a running copy for an update
# and starts it again: the installer process loads it, so each installer carries its own
# architecture's; neither installs it.
rp_tree() { if [ "$1" = x64 ]; then echo "$RP_WIN64"; else echo "$RP_WIN32"; fi; }

# rp_download ARCH KIND [VERSION [DIR]]: the path of a download; KIND is zip, setup or msi.
rp_download() {
    local name="RespitePrompter-${3:-$(rp_version)}-$1"
    case $2 in
        zip) name="$name-portable.zip" ;;
        setup) name="$name-setup.exe" ;;
        msi) name="$name.msi" ;;
    esac
    echo "${4:-$RP_PACKAGE_DIR}/$name"
}

# Windows line ends for the text files a user opens in Notepad.
rp_crlf() { sed 's/\r$//; s/$/\r/' "$1" >"$2"; }

# A GUID made from a name (UUID version 5 within the upgrade code): the same name
# always gives the same GUID.
rp_guid() {
    "$RP_PYTHON" -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' \
        "$RP_UPGRADE_CODE" "$1"
}

# rp_stage FOLDER VERSION EPOCH EXE: the program folder as a user gets it. The example skin
# stays inactive in a folder of its own (the program only reads x\o.cjs beside
# itself); so do the Group Policy templates, laid out as PolicyDefinitions wants them.
# Fixed times and modes, whatever the umask and the clock.
rp_stage() {
    local stage=$1 version=$2 epoch=$3 exe=$4
    rm -rf "$stage"
    mkdir -p "$stage/Example skin/x" "$stage/Policy templates/en-US" &&
        cp "$exe" "$stage/RespitePrompter.exe" &&
        cp "$RP_ROOT/res/break.wav" "$stage/break.wav" &&
        rp_crlf "$RP_ROOT/skins/example/x/o.cjs" "$stage/Example skin/x/o.cjs" &&
        rp_crlf "$RP_ROOT/packaging/policy/RespitePrompter.admx" "$stage/Policy templates/RespitePrompter.admx" &&
        rp_crlf "$RP_ROOT/packaging/policy/en-US/RespitePrompter.adml" "$stage/Policy templates/en-US/RespitePrompter.adml" &&
        sed "s/@VERSION@/$version/" "$RP_ROOT/packaging/README.txt" >"$stage.readme" &&
        rp_crlf "$stage.readme" "$stage/README.txt" &&
        rm -f "$stage.readme" &&
        rp_sign_file "$stage/RespitePrompter.exe" "$epoch" &&
        rp_fix_times "$stage" "$epoch"
}

# rp_stage_setup_actions FOLDER EPOCH DLL: SetupActions.dll in FOLDER (beside the staged program
# folder, not in it), signed like the program.
rp_stage_setup_actions() {
    cp "$3" "$1/SetupActions.dll" &&
        rp_sign_file "$1/SetupActions.dll" "$2" &&
        chmod u=rw,go=r "$1/SetupActions.dll" &&
        touch -d "@$2" "$1/SetupActions.dll"
}

rp_fix_times() {
    chmod -R u=rwX,go=rX "$1" &&
        find "$1" -exec touch -h -d "@$2" {} +
}

# rp_zip STAGE ZIP: sorted entries, no extra fields, times in UTC.
rp_zip() {
    local parent name
    parent=$(dirname "$1")
    name=$(basename "$1")
    rm -f "$2"
    (cd "$parent" && find "$name" | LC_ALL=C sort | TZ=UTC zip -q -X -@ "$2")
}

# One SHA-256 over the names and contents of the files in folder $1 and of file $2.
rp_contents_sha256() {
    { (cd "$1" && find . -type f | LC_ALL=C sort | xargs -d '\n' sha256sum) && sha256sum <"$2"; } |
        sha256sum | cut -c1-64
}

# rp_product_code VERSION ARCH: one for each version and architecture, so that the x64 and the
# x86 package of one version are two products (either replaces the other: one upgrade code).
rp_product_code() { rp_guid "ProductCode $1 $2"; }

# rp_msi STAGE VERSION MSI EPOCH ARCH: the Windows Installer package of the staged folder.
# wixl only takes paths relative to where it runs, and writes a random package code
# and the wall-clock time into the summary; scripts/msi-summary.py puts the package
# code made from the contents and the commit's time there instead.
rp_msi() {
    local stage=$1 version=$2 msi epoch=$4 arch=$5 work product_code package_code
    msi=$(realpath -m "$3")
    work=$(dirname "$stage")
    cp "$RP_ROOT/res/app.ico" "$work/app.ico" && touch -d "@$epoch" "$work/app.ico" || return 1
    product_code=$(rp_product_code "$version" "$arch") || return 1
    # Another package code for any other content, as Windows Installer wants.
    package_code=$(rp_guid "PackageCode $version $arch $(rp_contents_sha256 "$work" "$RP_ROOT/packaging/RespitePrompter.wxs")") || return 1
    rm -f "$msi"
    (cd "$work" && TZ=UTC wixl -a "$arch" -o "$msi" -D Arch="$arch" \
        -D Version="$version" -D UpgradeCode="$RP_UPGRADE_CODE" \
        -D ProductCode="$product_code" -D PackageCode="$package_code" \
        -D Stage="$(basename "$stage")" -D Icon=app.ico -D SetupActions=SetupActions.dll \
        "$RP_ROOT/packaging/RespitePrompter.wxs") && [ -f "$msi" ] || return 1
    # wixl cannot remove a file it did not install: a skin the user activated by
    # copying the example's "x" folder beside the program. Their folder is a property
    # that only an uninstall the user asked for sets (ActiveSkinToRemove, in the .wxs).
    msibuild "$msi" -q "INSERT INTO \`RemoveFile\` (\`FileKey\`, \`Component_\`, \`FileName\`, \`DirProperty\`, \`InstallMode\`) VALUES ('ActiveSkin', 'Program', 'o.cjs', 'ActiveSkinToRemove', 2)" &&
        msibuild "$msi" -q "INSERT INTO \`RemoveFile\` (\`FileKey\`, \`Component_\`, \`DirProperty\`, \`InstallMode\`) VALUES ('ActiveSkinFolder', 'Program', 'ActiveSkinToRemove', 2)" &&
        # Nor a rollback action: a DLL in the Binary table (1), on failure go on (64), run
        # only by a rollback (256) of the install script (1024), as the user.
        msibuild "$msi" -q "UPDATE \`CustomAction\` SET \`Type\` = 1345 WHERE \`Action\` = 'RestartProgramOnRollback'" &&
        # The same, with the installer's rights (2048), for the skin carried from an older install.
        msibuild "$msi" -q "UPDATE \`CustomAction\` SET \`Type\` = 3393 WHERE \`Action\` = 'MoveActiveSkinBack'" &&
        # Nor MajorUpgrade's AllowSameVersionUpgrades: the same version of the other architecture
        # is replaced too (VersionMax inclusive, 512), so that one copy is installed, not two.
        # (Attributes is part of the row's key: the row is made anew.)
        msibuild "$msi" -q "DELETE FROM \`Upgrade\` WHERE \`ActionProperty\` = 'WIX_UPGRADE_DETECTED'" &&
        msibuild "$msi" -q "INSERT INTO \`Upgrade\` (\`UpgradeCode\`, \`VersionMax\`, \`Attributes\`, \`ActionProperty\`) VALUES ('{$RP_UPGRADE_CODE}', '$version', 513, 'WIX_UPGRADE_DETECTED')" &&
        "$RP_PYTHON" "$RP_ROOT/scripts/msi-summary.py" "$msi" "$package_code" "$epoch"
}

# rp_setup STAGE VERSION SETUP ARCH: the NSIS installer of the staged folder, with the
# SetupActions.dll staged beside it.
rp_setup() {
    TZ=UTC makensis -V2 -NOCD -DARCH="$4" \
        -DVERSION="$2" -DSTAGE="$1" -DOUTFILE="$3" -DSETUP_ACTIONS="$(dirname "$1")/SetupActions.dll" \
        -DICON="$RP_ROOT/res/app.ico" "$RP_ROOT/packaging/RespitePrompter.nsi"
}

# rp_sign_file FILE EPOCH: Authenticode signature when a certificate is given. The
# signing time is the commit's, so the same certificate gives the same bytes again
# (unless a time-stamping server is used, whose answer changes every time).
rp_sign_file() {
    [ -z "${RP_SIGN_PFX:-}${RP_SIGN_PASSWORD:-}" ] && return 0
    [ -n "${RP_SIGN_PFX:-}" ] && [ -n "${RP_SIGN_PASSWORD:-}" ] ||
        { rp_log "signing needs both RP_SIGN_PFX and RP_SIGN_PASSWORD"; return 1; }
    local ts=() password rc=0
    [ -n "${RP_SIGN_TIMESTAMP_URL:-}" ] && ts=(-ts "$RP_SIGN_TIMESTAMP_URL")
    # The password in a file only we can read, never on a command line that ps
    # shows (osslsigncode reads stdin for it only from 2.9 on; Debian 12 has 2.5).
    password=$(umask 077 && mktemp) || return 1
    printf '%s' "$RP_SIGN_PASSWORD" >"$password"
    osslsigncode sign -pkcs12 "$RP_SIGN_PFX" -readpass "$password" -h sha256 \
        -n "Periodic Respite Prompter Utility" -st "$2" "${ts[@]}" \
        -in "$1" -out "$1.signed" >/dev/null || rc=$?
    rm -f "$password"
    if [ $rc -ne 0 ]; then
        rm -f "$1.signed"
        rp_log "signing $1 failed"
        return 1
    fi
    mv "$1.signed" "$1"
}

# rp_winget DIR VERSION: the manifests (version, installer, default locale, schema 1.6.0) for
# the msi and the NSIS installer of each architecture, with their real SHA-256.
rp_winget() {
    local dir=$1 version=$2 schema=1.6.0 arch product_code file
    rm -rf "$dir" && mkdir -p "$dir" || return 1
    cat >"$dir/$RP_WINGET_ID.yaml" <<YAML
# yaml-language-server: \$schema=https://aka.ms/winget-manifest.version.$schema.schema.json
PackageIdentifier: $RP_WINGET_ID
PackageVersion: $version
DefaultLocale: en-US
ManifestType: version
ManifestVersion: $schema
YAML
    {
        cat <<YAML
# yaml-language-server: \$schema=https://aka.ms/winget-manifest.installer.$schema.schema.json
PackageIdentifier: $RP_WINGET_ID
PackageVersion: $version
MinimumOSVersion: 6.1.0.0
Scope: machine
InstallModes:
  - interactive
  - silent
UpgradeBehavior: install
Installers:
YAML
        for arch in "${RP_ARCHES[@]}"; do
            product_code=$(rp_product_code "$version" "$arch")
            file=$(rp_download "$arch" msi "$version")
            cat <<YAML
  - Architecture: $arch
    InstallerType: msi
    InstallerUrl: $RP_DOWNLOAD_URL/$version/$(basename "$file")
    InstallerSha256: $(sha256sum <"$file" | cut -c1-64 | tr a-f A-F)
    ProductCode: '{$product_code}'
    AppsAndFeaturesEntries:
      - DisplayName: Periodic Respite Prompter Utility
        Publisher: Kelvadore
        DisplayVersion: $version
        ProductCode: '{$product_code}'
        UpgradeCode: '{$RP_UPGRADE_CODE}'
YAML
            file=$(rp_download "$arch" setup "$version")
            cat <<YAML
  - Architecture: $arch
    InstallerType: nullsoft
    InstallerUrl: $RP_DOWNLOAD_URL/$version/$(basename "$file")
    InstallerSha256: $(sha256sum <"$file" | cut -c1-64 | tr a-f A-F)
    ElevationRequirement: elevatesSelf
    ProductCode: RespitePrompter
YAML
        done
        cat <<YAML
ManifestType: installer
ManifestVersion: $schema
YAML
    } >"$dir/$RP_WINGET_ID.installer.yaml"
    cat >"$dir/$RP_WINGET_ID.locale.en-US.yaml" <<YAML
# yaml-language-server: \$schema=https://aka.ms/winget-manifest.defaultLocale.$schema.schema.json
PackageIdentifier: $RP_WINGET_ID
PackageVersion: $version
PackageLocale: en-US
Publisher: Kelvadore
PackageName: Periodic Respite Prompter Utility
Moniker: respite-prompter
License: Proprietary
ShortDescription: Reminds you to take regular breaks from the computer.
Description: A small tray program that announces a break every so many minutes, by sound, by a balloon or by a small window at the bottom right of the screen.
Tags:
  - break
  - reminder
  - timer
ManifestType: defaultLocale
ManifestVersion: $schema
YAML
}

# rp_package_arch VERSION EPOCH ARCH: that architecture's zip, setup exe and msi.
rp_package_arch() {
    local version=$1 epoch=$2 arch=$3 tree work stage file
    tree=$(rp_tree "$arch")
    work="$RP_PACKAGE_DIR/stage/$arch"
    stage="$work/RespitePrompter-$version-$arch"
    for file in "$tree/RespitePrompter.exe" "$tree/SetupActions.dll"; do
        [ -f "$file" ] || { rp_log "no $file (build the $arch tree first)"; return 1; }
    done
    mkdir -p "$work" &&
        rp_stage "$stage" "$version" "$epoch" "$tree/RespitePrompter.exe" &&
        rp_stage_setup_actions "$work" "$epoch" "$tree/SetupActions.dll" ||
        { rp_log "staging the $arch package files failed"; return 1; }
    rp_zip "$stage" "$(rp_download "$arch" zip)" || { rp_log "zip ($arch) failed"; return 1; }
    rp_setup "$stage" "$version" "$(rp_download "$arch" setup)" "$arch" || { rp_log "makensis ($arch) failed"; return 1; }
    rp_msi "$stage" "$version" "$(rp_download "$arch" msi)" "$epoch" "$arch" || { rp_log "wixl ($arch) failed"; return 1; }
    rp_sign_file "$(rp_download "$arch" setup)" "$epoch" && rp_sign_file "$(rp_download "$arch" msi)" "$epoch"
}

rp_package() {
    local version epoch arch
    version=$(rp_version)
    [ -n "$version" ] || { rp_log "no version in CMakeLists.txt"; return 1; }
    epoch=$(rp_source_date_epoch)
    [ -n "$epoch" ] || { rp_log "no commit time: set SOURCE_DATE_EPOCH outside a git checkout"; return 1; }
    export SOURCE_DATE_EPOCH=$epoch
    mkdir -p "$RP_PACKAGE_DIR"
    rm -rf "$RP_PACKAGE_DIR/stage" "$RP_PACKAGE_DIR"/RespitePrompter-*.zip \
        "$RP_PACKAGE_DIR"/RespitePrompter-*.exe "$RP_PACKAGE_DIR"/RespitePrompter-*.msi
    for arch in "${RP_ARCHES[@]}"; do
        rp_package_arch "$version" "$epoch" "$arch" || return 1
    done
    rp_winget "$RP_PACKAGE_DIR/winget" "$version" || { rp_log "winget manifests failed"; return 1; }
    rp_log "packages in $RP_PACKAGE_DIR:"
    (cd "$RP_PACKAGE_DIR" && ls -1 RespitePrompter-* winget/*) | sed 's/^/     /' >&2
}

# rp_older_packages DIR: an older version's (0.9.0) msi and setup exe of each architecture in DIR,
# for the upgrade tests. The same files, but an exe of other bytes and an earlier time, as an
# older build has, so that the upgrade has to replace it. Call after rp_package.
rp_older_packages() {
    local dir=$1 version=0.9.0 epoch arch work stage
    epoch=$(($(rp_source_date_epoch) - 86400))
    rm -rf "$dir/stage" || return 1
    for arch in "${RP_ARCHES[@]}"; do
        work="$dir/stage/$arch"
        stage="$work/RespitePrompter-$version-$arch"
        mkdir -p "$work" &&
            cp -a "$RP_PACKAGE_DIR/stage/$arch/RespitePrompter-$(rp_version)-$arch" "$stage" &&
            printf 'an older build' >>"$stage/RespitePrompter.exe" &&
            rp_fix_times "$stage" "$epoch" &&
            rp_stage_setup_actions "$work" "$epoch" "$(rp_tree "$arch")/SetupActions.dll" &&
            rp_msi "$stage" "$version" "$(rp_download "$arch" msi "$version" "$dir")" "$epoch" "$arch" &&
            rp_setup "$stage" "$version" "$(rp_download "$arch" setup "$version" "$dir")" "$arch" || return 1
    done
}
