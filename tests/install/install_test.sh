#!/usr/bin/env bash
# The installer's round trip under Wine, as an administrator would do it silently:
#
#   1. setup.exe /S puts the files under Program Files, the Start-menu shortcut
#      and the Add/Remove Programs entry in place;
#   2. the installed program starts, shows its main window and finds its own
#      break.wav (the e2e driver's first_run scenario, run on the installed exe);
#   3. Uninstall.exe /S, with the program running, closes it and removes the
#      files, the shortcut, the entry and the Run values named "RespitePrompter.exe"
#      (machine-wide and per-user), and keeps the user's settings;
#   4. a second install, then Uninstall.exe /S /REMOVESETTINGS also removes them.
#
#   tests/install/install_test.sh SETUP.EXE [E2E_DRIVER.EXE]
#
# Needs the Wine template prefix (scripts/test makes it); uses its own prefix
# build/wine/install and, without DISPLAY, its own Xvfb. Prints one line per
# check and exits 1 if any failed. Every wait is bounded.
set -uo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"

setup=${1:?usage: install_test.sh SETUP.EXE [E2E_DRIVER.EXE]}
driver=${2:-$RP_DRIVER}
[ -f "$setup" ] || rp_die "no installer at $setup"
[ -d "$RP_WINE/template" ] || rp_die "no Wine template prefix (run scripts/test once)"

# Our own cleanup: not rp_cleanup, which would release a lock held by our caller.
export WINEPREFIX="$RP_WINE/install"
cleanup() {
    rp_stop_wineserver "$WINEPREFIX"
    [ -n "$RP_XVFB_PID" ] && kill "$RP_XVFB_PID" 2>/dev/null
    return 0
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
[ -n "${DISPLAY:-}" ] || rp_start_xvfb
rp_fresh_prefix "$WINEPREFIX"

product="Periodic Respite Prompter Utility"
dir_win="C:\\Program Files\\$product"
dir="$WINEPREFIX/drive_c/Program Files/$product"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$product.lnk"
uninst_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\RespitePrompter'
run_key='Software\Microsoft\Windows\CurrentVersion\Run'
settings_key='HKCU\Software\Kelvadore\Periodic Respite Prompter Utility'

failures=0
pass() { printf '  ok    %s\n' "$*"; }
fail() { printf '  FAIL  %s\n' "$*"; failures=$((failures + 1)); }
check() {  # check "what" command...
    local what=$1
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}
check_not() {  # check_not "what" command...: passes when the command fails
    local what=$1
    shift
    if "$@"; then fail "$what"; else pass "$what"; fi
}

# wine with its output in files (cmake/wine-emu.sh), never waiting for ever.
wine_run() { timeout 120 "$RP_ROOT/cmake/wine-emu.sh" "$@"; }

# Prints a REG_SZ/REG_DWORD value's data, or fails when the value is missing.
reg_value() {
    local out
    out=$(timeout 30 wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r') || return 1
    sed -nE "s/^ +$2 +REG_[A-Z_]+ +(.*)\$/\1/p" <<<"$out" | head -1
}
reg_has_value() { timeout 30 wine reg query "$1" /v "$2" >/dev/null 2>&1; }
reg_has_key() { timeout 30 wine reg query "$1" >/dev/null 2>&1; }
is_() { [ "$1" = "$2" ]; }
gone() { [ ! -e "$1" ]; }
no_program_files_left() {
    [ -z "$(find "$WINEPREFIX/drive_c/Program Files" \( -iname 'RespitePrompter*' -o -iname break.wav -o -iname o.cjs \) | head -1)" ]
}

# The uninstaller copies itself to the temp folder, starts the copy and exits at
# once; the copy does the work. Wait (bounded) for the folder to go.
wait_uninstalled() {
    local i
    for i in $(seq 150); do
        [ -e "$dir/Uninstall.exe" ] || break
        sleep 0.2
    done
    timeout 30 wineserver -w 2>/dev/null || true
}

main_window_shown() {
    local i
    for i in $(seq 100); do
        xdotool search --onlyvisible --name "^$product\$" >/dev/null 2>&1 && return 0
        sleep 0.2
    done
    return 1
}
program_ended() {
    local i
    for i in $(seq 50); do
        kill -0 "$app_pid" 2>/dev/null || return 0
        sleep 0.2
    done
    kill "$app_pid" 2>/dev/null
    return 1
}

install() {
    echo "install: $(basename "$setup") /S"
    check "setup.exe /S exits with 0" wine_run "$setup" /S
}

# --- 1. install ---
install
check "RespitePrompter.exe installed" test -f "$dir/RespitePrompter.exe"
check "break.wav installed" test -f "$dir/break.wav"
check "README.txt installed" test -f "$dir/README.txt"
check "example skin installed, inactive" test -f "$dir/Example skin/x/o.cjs" -a ! -e "$dir/x"
check "uninstaller installed" test -f "$dir/Uninstall.exe"
check "Start-menu shortcut" test -f "$shortcut"
check "Add/Remove Programs: DisplayName" is_ "$(reg_value "$uninst_key" DisplayName)" "$product"
check "Add/Remove Programs: DisplayVersion 1.0.0" is_ "$(reg_value "$uninst_key" DisplayVersion)" "1.0.0"
check "Add/Remove Programs: Publisher Kelvadore" is_ "$(reg_value "$uninst_key" Publisher)" "Kelvadore"
check "Add/Remove Programs: DisplayIcon" is_ "$(reg_value "$uninst_key" DisplayIcon)" "$dir_win\\RespitePrompter.exe,0"
check "Add/Remove Programs: UninstallString" is_ "$(reg_value "$uninst_key" UninstallString)" "\"$dir_win\\Uninstall.exe\""

# --- 2. the installed program starts and shows its window ---
if [ -f "$driver" ]; then
    echo "start: e2e_driver first_run on the installed exe"
    check "installed program shows its main window with its own break.wav" \
        wine_run "$driver" first_run --app "$dir_win\\RespitePrompter.exe"
else
    fail "no e2e driver at $driver: cannot start the installed program"
fi
check "the program stored its settings" reg_has_value "$settings_key" Text1

# What "Load this software on Windows startup" leaves behind, machine-wide, and a
# per-user value of the same name.
timeout 30 wine reg add "HKLM\\$run_key" /v RespitePrompter.exe /d "$dir_win\\RespitePrompter.exe" /f >/dev/null 2>&1
timeout 30 wine reg add "HKCU\\$run_key" /v RespitePrompter.exe /d "$dir_win\\RespitePrompter.exe" /f >/dev/null 2>&1
timeout 30 wine reg add "HKLM\\$run_key" /v SomeoneElse.exe /d 'C:\other\SomeoneElse.exe' /f >/dev/null 2>&1

# --- 3. silent uninstall, with the program still running ---
echo "start: the installed program, left running"
wine "$dir_win\\RespitePrompter.exe" >/dev/null 2>&1 </dev/null &
app_pid=$!
check "the installed program shows its window" main_window_shown
echo "uninstall: Uninstall.exe /S"
check "Uninstall.exe /S exits with 0" wine_run "$dir_win\\Uninstall.exe" /S
wait_uninstalled
check "the uninstaller closed the running program" program_ended
check "program folder removed" gone "$dir"
check "Start-menu shortcut removed" gone "$shortcut"
check_not "Add/Remove Programs entry removed" reg_has_key "$uninst_key"
check_not "machine-wide Run value removed" reg_has_value "HKLM\\$run_key" RespitePrompter.exe
check_not "per-user Run value removed" reg_has_value "HKCU\\$run_key" RespitePrompter.exe
check "other programs' Run values kept" reg_has_value "HKLM\\$run_key" SomeoneElse.exe
check "settings kept by a silent uninstall" reg_has_value "$settings_key" Text1
check "no file of the program left anywhere in Program Files" no_program_files_left

# --- 4. "Remove my settings" ---
install
echo "uninstall: Uninstall.exe /S /REMOVESETTINGS"
check "Uninstall.exe /S /REMOVESETTINGS exits with 0" wine_run "$dir_win\\Uninstall.exe" /S /REMOVESETTINGS
wait_uninstalled
check "program folder removed again" gone "$dir"
check_not "settings removed when asked" reg_has_key "$settings_key"

if [ $failures -eq 0 ]; then
    echo "install round trip: passed"
else
    echo "install round trip: $failures check(s) FAILED"
fi
[ $failures -eq 0 ]
