# Shared set-up of scripts/soak, scripts/screenshots and scripts/bench. Source after lib.sh.
#
# rp_measure_setup NAME [x64|i686] builds the Windows program of that architecture (x64 by
# default) under the build lock, copies the program and the e2e driver into build/NAME/ so
# that other runs may rebuild meanwhile, releases the lock, and prepares a fresh headless
# prefix of the architecture's kind, build/wine/measure-NAME (64-bit for x64, 32-bit for i686),
# on a private Xvfb (one for the whole run, however often it is called).
# rp_measure_run SCENARIO SECONDS runs the driver's scenario there, bounded in time,
# with its output in build/NAME/SCENARIO.log.

rp_measure_setup() {
    local arch=${2:-x64} wine_arch=win64 exe=$RP_EXE driver=$RP_DRIVER
    [ "$arch" = i686 ] && wine_arch=win32 exe=$RP_EXE32 driver=$RP_DRIVER32
    RP_MEASURE_DIR="$RP_BUILD/$1"
    rp_lock
    rp_ensure_packages
    rp_build_windows "$arch" >"$RP_BUILD/$1-build.log" 2>&1 ||
        rp_die "the $arch build failed (see $RP_BUILD/$1-build.log)"
    rp_template_prefix "$wine_arch"
    rm -rf "$RP_MEASURE_DIR"
    mkdir -p "$RP_MEASURE_DIR"
    cp "$exe" "$RP_ROOT/res/break.wav" "$driver" "$RP_MEASURE_DIR/"
    rp_unlock

    export WINEPREFIX="$RP_WINE/measure-$1"
    rp_fresh_prefix "$WINEPREFIX" "$wine_arch"
    [ -n "$RP_XVFB_PID" ] || rp_start_xvfb
}

rp_measure_run() {
    local scenario=$1 seconds=$2 log="$RP_MEASURE_DIR/$1.log"
    rp_log "running the $scenario scenario (at most $seconds s); output in $log"
    # Output into a file, never a pipe: Wine's daemons would inherit a pipe and hold it open.
    timeout "$seconds" wine "$RP_MEASURE_DIR/e2e_driver.exe" "$scenario" \
        --app "$RP_MEASURE_DIR/RespitePrompter.exe" >"$log" 2>"$RP_MEASURE_DIR/$scenario.stderr" </dev/null
}

# The value of "RESULT NAME VALUE UNIT" in a scenario's log.
rp_result() { awk -v name="$2" '$1 == "RESULT" && $2 == name { print $3 }' "$1"; }
