# Packaging helpers for scripts/package and scripts/test. Source after lib.sh.
#
# rp_package makes, from $RP_EXE, in $RP_PACKAGE_DIR:
#   RespitePrompter-<version>-portable.zip   the program folder, to unpack anywhere
#   RespitePrompter-<version>-setup.exe      the installer (NSIS)
# and sets RP_ZIP and RP_SETUP to their paths. Returns 1 (after saying why) on failure.

RP_PACKAGE_DIR="$RP_BUILD/package"

# The version is the project's, from CMakeLists.txt.
rp_version() {
    sed -nE 's/^project\(RespitePrompter VERSION ([0-9]+\.[0-9]+\.[0-9]+).*/\1/p' "$RP_ROOT/CMakeLists.txt"
}

# Windows line ends for the text files a user opens in Notepad.
rp_crlf() { sed 's/\r$//; s/$/\r/' "$1" >"$2"; }

rp_package() {
    local version name stage
    version=$(rp_version)
    [ -n "$version" ] || { rp_log "no version in CMakeLists.txt"; return 1; }
    [ -f "$RP_EXE" ] || { rp_log "no $RP_EXE (build the win32 tree first)"; return 1; }
    name="RespitePrompter-$version"
    RP_ZIP="$RP_PACKAGE_DIR/$name-portable.zip"
    RP_SETUP="$RP_PACKAGE_DIR/$name-setup.exe"

    # The program folder as a user gets it; the example skin stays inactive in a
    # folder of its own (the program only reads x\o.cjs beside itself).
    stage="$RP_PACKAGE_DIR/stage/$name"
    rm -rf "$RP_PACKAGE_DIR/stage" "$RP_ZIP" "$RP_SETUP"
    mkdir -p "$stage/Example skin/x" &&
        cp "$RP_EXE" "$stage/RespitePrompter.exe" &&
        cp "$RP_ROOT/res/break.wav" "$stage/break.wav" &&
        rp_crlf "$RP_ROOT/skins/example/x/o.cjs" "$stage/Example skin/x/o.cjs" &&
        sed "s/@VERSION@/$version/" "$RP_ROOT/packaging/README.txt" >"$stage.readme" &&
        rp_crlf "$stage.readme" "$stage/README.txt" &&
        rm -f "$stage.readme" ||
        { rp_log "staging the package files failed"; return 1; }

    (cd "$RP_PACKAGE_DIR/stage" && zip -q -r -X "$RP_ZIP" "$name") ||
        { rp_log "zip failed"; return 1; }
    makensis -V2 -NOCD \
        -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$RP_SETUP" \
        -DICON="$RP_ROOT/res/app.ico" "$RP_ROOT/packaging/RespitePrompter.nsi" ||
        { rp_log "makensis failed"; return 1; }
    rp_log "packages: $RP_ZIP"
    rp_log "          $RP_SETUP"
}
