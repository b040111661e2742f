# Shared set-up of scripts/soak and scripts/bench. Source after lib.sh.
#
# rp_measure_setup NAME builds the Windows program (under the build lock), copies the
# program and the e2e driver into build/NAME/ so that other runs may rebuild meanwhile,
# releases the lock, and prepares a fresh headless prefix build/wine/measure-NAME on a
# private Xvfb.
# rp_measure_run SCENARIO SECONDS runs the driver's scenario there, bounded in time,
# with its output in build/NAME/SCENARIO.log.

rp_measure_setup() {
    RP_MEASURE_DIR="$RP_BUILD/$1"
    rp_lock
    rp_ensure_packages
    rp_build_windows x64 >"$RP_BUILD/$1-build.log" 2>&1 || rp_die "the x64 build failed (see $RP_BUILD/$1-build.log)"
    rp_template_prefix
    rm -rf "$RP_MEASURE_DIR"
    mkdir -p "$RP_MEASURE_DIR"
    cp "$RP_EXE" "$RP_ROOT/res/break.wav" "$RP_DRIVER" "$RP_MEASURE_DIR/"
    rp_unlock

    export WINEPREFIX="$RP_WINE/measure-$1"
    rp_fresh_prefix "$WINEPREFIX"
    rp_start_xvfb
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
