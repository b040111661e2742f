#!/usr/bin/env bash
# Settings carried to another computer as a user carries them: the i686 program exports them in
# one prefix (32-bit Windows) and the x64 program imports them in another (64-bit Windows). An export made there afterwards must be the same file; what stays on a computer
# (start with Windows, reminding on or off) stays.
#
#   tests/e2e/carry_settings_test.sh FROM_PREFIX TO_PREFIX
#
# scripts/test passes its 32-bit and 64-bit e2e prefixes (build/wine/e2e, build/wine/e2e64).
# Prints one line per check and exits 1 if any failed.
set -uo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"
. "$(dirname "$0")/../install/checks.sh"

from=$(realpath -m "${1:?usage: carry_settings_test.sh FROM_PREFIX TO_PREFIX}")
to=$(realpath -m "${2:?usage: carry_settings_test.sh FROM_PREFIX TO_PREFIX}")
[ -f "$RP_EXE32" ] || rp_die "no $RP_EXE32 (build the i686 tree first)"
[ -f "$RP_EXE" ] || rp_die "no $RP_EXE (build the x64 tree first)"
key='HKCU\Software\Kelvadore\Periodic Respite Prompter Utility'
exported="$RP_BUILD/carried-settings.txt"
again="$RP_BUILD/carried-settings-again.txt"
trap 'rp_stop_wineserver "$from"; rp_stop_wineserver "$to"' EXIT

arch_of() { if [ -d "$1/drive_c/windows/syswow64" ]; then echo win64; else echo win32; fi; }
# within PREFIX COMMAND...: a wine command in that prefix, never waiting for ever.
within() {
    local prefix=$1
    shift
    WINEPREFIX="$prefix" WINEARCH="$(arch_of "$prefix")" timeout 60 "$@"
}
program() {  # program PREFIX ARGUMENTS...: the exit code of the program of the prefix's kind
    local exe=$RP_EXE
    [ "$(arch_of "$1")" = win32 ] && exe=$RP_EXE32
    within "$1" "$RP_ROOT/cmake/wine-emu.sh" "$exe" "${@:2}" >/dev/null 2>&1
}
windows_path() { within "$1" winepath -w "$2" 2>/dev/null; }
store() {  # store PREFIX NAME=VALUE...: the settings key holds just these
    local prefix=$1 pair
    shift
    within "$prefix" wine reg delete "$key" /f >/dev/null 2>&1
    for pair in "$@"; do
        within "$prefix" wine reg add "$key" /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null 2>&1
    done
}
stored() {  # stored PREFIX NAME: the value's text, or <absent>
    local out
    out=$(within "$1" wine reg query "$key" /v "$2" 2>/dev/null | tr -d '\r') || { echo "<absent>"; return; }
    sed -nE "s/^ +$2 +REG_SZ +(.*)\$/\1/p" <<<"$out"
}
is_() { [ "$1" = "$2" ]; }
has_line() { grep -qxF "$2" <(tr -d '\r' <"$1"); }

echo "from $(arch_of "$from") $from to $(arch_of "$to") $to"
check "the two prefixes are a 32-bit and a 64-bit Windows" is_ "$(arch_of "$from") $(arch_of "$to")" "win32 win64"
rm -f "$exported" "$again"
store "$from" 'Text1=30' 'Alarm=C:\Sounds\chime.wav' 'Check2=0' 'Natural Breaks=On' 'Away Minutes=7' \
    'StartStopState=On' 'Windows Startup=On'
store "$to" 'Text1=45' 'Check2=1' 'Hold Reminders=On' 'StartStopState=Off'

check "/export-settings exits with 0" program "$from" /export-settings "$(windows_path "$from" "$exported")"
check "the file starts with the program's header" is_ "$(head -1 "$exported" | tr -d '\r')" \
    "Periodic Respite Prompter Utility settings, format 1"
check "it carries the minutes" has_line "$exported" "Text1=30"
check "it carries the sound file" has_line "$exported" 'Alarm=C:\Sounds\chime.wav'
check "it carries a default the user never changed" has_line "$exported" "Hold Reminders=Off"
check_not "it leaves start with Windows behind" grep -q "Windows Startup" "$exported"
check_not "it leaves reminding on or off behind" grep -q "StartStopState" "$exported"

check "/import-settings exits with 0 in the x64 program" program "$to" /import-settings "$(windows_path "$to" "$exported")"
check "the minutes arrived" is_ "$(stored "$to" Text1)" 30
check "the sound file arrived" is_ "$(stored "$to" Alarm)" 'C:\Sounds\chime.wav'
check "the Options choices arrived" is_ "$(stored "$to" 'Natural Breaks') $(stored "$to" 'Hold Reminders')" "On Off"
check "reminding stays as it was there" is_ "$(stored "$to" StartStopState)" Off
check "start with Windows stays as it was there" is_ "$(stored "$to" 'Windows Startup')" "<absent>"
check "an export there is the same file" program "$to" /export-settings "$(windows_path "$to" "$again")"
check "byte for byte" cmp -s "$exported" "$again"

checks_done "settings carried"
