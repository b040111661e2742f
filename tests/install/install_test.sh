#!/usr/bin/env bash
# The installers' round trips under Wine, as an administrator would do them silently, for the
# downloads of one architecture:
#
#   tests/install/install_test.sh x64|x86 OLDER_DIR
#
# OLDER_DIR holds an older version's packages (scripts/lib-package.sh's rp_older_packages: the
# same files with an exe of other bytes and time, so that an upgrade has to replace it).
#
# x64, in 64-bit prefixes only, where everything started is 64-bit (the x64 setup exe and its
# uninstaller, msiexec and its custom actions, the x64 e2e driver and program), so that it runs
# on a machine that runs no 32-bit code:
#
#   1. setup.exe /S puts the files under Program Files, the Start-menu shortcut and the
#      Add/Remove Programs entry in place;
#   2. the installed program starts, shows its main window and finds its own break.wav (the
#      e2e driver's first_run scenario, run on the installed exe);
#   3. Uninstall.exe /S, with the program running, closes it and removes the files, the
#      shortcut, the entry and the Run values named "RespitePrompter.exe" (machine-wide in
#      both views of the registry, and per-user), and keeps the user's settings;
#   4. a second install, then Uninstall.exe /S /REMOVESETTINGS also removes them;
#   5. the older version's setup is installed, the program left counting and a skin
#      activated; the new setup.exe /S over it replaces the exe, keeps the skin and starts the
#      closed copy again, counting; running it once more (a repair) leaves the running copy alone;
#   6. in a fresh prefix, msiexec /i OLDER.msi /qn, the program left counting, a skin activated
#      and the start-up choice made, then msiexec /i NEW.msi /qn upgrades it: one entry with
#      the new version, publisher, location, uninstall command and icon, the files, the
#      shortcut, the skin and the Run values kept, the closed copy started again and counting;
#      a repair (REINSTALL=ALL) leaves the running copy and the skin alone;
#   7. msiexec /x NEW.msi /qn, with the program running, cleans up as in 3;
#   8. an uninstall as a newer version's upgrade runs it keeps the Run values and the skin;
#   9. another install, then msiexec /x NEW.msi /qn REMOVESETTINGS=1;
#  10. where the machine runs 32-bit code: in a fresh prefix the older x86 msi, its program
#      counting from Program Files (x86) with a skin and the start-up choice, then the new x64
#      msi: the x86 copy closed, the x64 program under Program Files counting, the settings,
#      the skin and the start-up choice (now in the 64-bit view) kept, Program Files (x86)
#      left without a file of ours. Elsewhere it is reported as skipped.
#
# x86: 1-3 and 5-7 in a 32-bit prefix (what 4, 8 and 9 show is the same script for both
# architectures, shown by x64), and
#
#  11. in a 64-bit prefix, msiexec /i NEW.msi /qn puts the 32-bit program under Program Files
#      (x86), it starts from there and enters itself in the 32-bit view of the Run key;
#      msiexec /x removes the Run values of both views.
#
# Needs the Wine template prefixes (scripts/test makes them) and rp_package's output; uses its own
# prefixes build/wine/install-ARCH* and, without DISPLAY, its own Xvfb. Prints one line per
# check ("SKIPPED: ..." for what this machine cannot run) and exits 1 if any failed. Every wait
# is bounded.
set -uo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"
. "$(dirname "$0")/../../scripts/lib-package.sh"
. "$(dirname "$0")/checks.sh"

usage="usage: install_test.sh x64|x86 OLDER_DIR"
arch=${1:?$usage}
older_dir=${2:?$usage}
[ "$arch" = x64 ] || [ "$arch" = x86 ] || rp_die "$usage"
[ "$arch" = x64 ] || rp_host_32bit || rp_die "the x86 round trips need a machine that runs 32-bit programs"
version=$(rp_version)
older_version=0.9.0
setup=$(rp_download "$arch" setup)
msi=$(rp_download "$arch" msi)
older_setup=$(rp_download "$arch" setup "$older_version" "$older_dir")
older_msi=$(rp_download "$arch" msi "$older_version" "$older_dir")
for file in "$setup" "$msi" "$older_setup" "$older_msi"; do
    [ -f "$file" ] || rp_die "no package at $file (rp_package, then rp_older_packages $older_dir)"
done
# The exe the new packages carry.
new_exe="$RP_PACKAGE_DIR/stage/$arch/RespitePrompter-$version-$arch/RespitePrompter.exe"
[ -f "$new_exe" ] || rp_die "no staged exe at $new_exe (run scripts/package first)"
# The program's own view of the registry, where it enters itself to start with Windows.
if [ "$arch" = x64 ]; then
    driver=$RP_DRIVER prefix_arch=win64 own_view=64
else
    driver=$RP_DRIVER32 prefix_arch=win32 own_view=32
fi
[ -f "$driver" ] || rp_die "no e2e driver at $driver"
[ -d "$(rp_template_dir "$prefix_arch")" ] || rp_die "no Wine template prefix (run scripts/test once)"

# Our own cleanup: not rp_cleanup, which would release a lock held by our caller.
cleanup() {
    local p
    for p in "${RP_PREFIXES_USED[@]}"; do rp_stop_wineserver "$p"; done
    [ -n "$RP_XVFB_PID" ] && kill "$RP_XVFB_PID" 2>/dev/null
    return 0
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
[ -n "${DISPLAY:-}" ] || rp_start_xvfb

product="Periodic Respite Prompter Utility"
uninst_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\RespitePrompter'
run_key='Software\Microsoft\Windows\CurrentVersion\Run'
settings_key='HKCU\Software\Kelvadore\Periodic Respite Prompter Utility'

# in_folder PROGRAM_FILES: the program's folder under that Program Files folder of this prefix.
in_folder() {
    dir_win="C:\\$1\\$product"
    dir="$WINEPREFIX/drive_c/$1/$product"
}
# in_prefix NAME WINEARCH [PROGRAM_FILES]: a fresh prefix build/wine/NAME, the program's folder
# in it ($dir, $dir_win) and the registry views of its machine-wide Run key ($views; a 32-bit
# Windows has one, which reg.exe's /reg:32 reaches).
in_prefix() {
    [ -n "${WINEPREFIX:-}" ] && rp_stop_wineserver "$WINEPREFIX"
    export WINEPREFIX="$RP_WINE/$1" WINEARCH=$2
    rp_fresh_prefix "$WINEPREFIX" "$2"
    in_folder "${3:-Program Files}"
    shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$product.lnk"
    # Wine's msi puts an all-users package's shortcut into the user's Start menu (its
    # ProgramMenuFolder ignores ALLUSERS); Windows puts it into the common one.
    user_shortcut=$(printf '%s\n' "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/Windows | grep -v /Public/ | head -1)
    user_shortcut="$user_shortcut/Start Menu/Programs/$product.lnk"
    views=32
    [ "$2" = win64 ] && views="32 64"
}

# wine with its output in files (cmake/wine-emu.sh), never waiting for ever.
wine_run() { timeout 120 "$RP_ROOT/cmake/wine-emu.sh" "$@"; }

# Prints a REG_SZ/REG_DWORD value's data, or fails when the value is missing.
reg_value() {  # reg_value KEY NAME [/reg:32|/reg:64]
    local out
    # Once more when reg.exe fails or times out: on a loaded machine it sometimes does.
    out=$(timeout 30 wine reg query "$1" /v "$2" ${3:+"$3"} 2>/dev/null ||
        timeout 60 wine reg query "$1" /v "$2" ${3:+"$3"} 2>/dev/null) || return 1
    out=$(tr -d '\r' <<<"$out")
    sed -nE "s/^ +$2 +REG_[A-Z_]+ +(.*)\$/\1/p" <<<"$out" | head -1
}
reg_has_value() { timeout 30 wine reg query "$1" /v "$2" ${3:+"$3"} >/dev/null 2>&1; }
reg_has_key() { timeout 30 wine reg query "$1" >/dev/null 2>&1; }
# The machine-wide Run value in one view (32 or 64) of the registry.
run_value_in_view() { timeout 30 wine reg query "HKLM\\$run_key" /v RespitePrompter.exe "/reg:$1" >/dev/null 2>&1; }
is_() { [ "$1" = "$2" ]; }
templates_installed() {
    [ -f "$dir/Policy templates/RespitePrompter.admx" ] && [ -f "$dir/Policy templates/en-US/RespitePrompter.adml" ]
}
gone() { [ ! -e "$1" ]; }
no_files_in() {  # no_files_in FOLDER: no file of the program left anywhere under it
    [ -z "$(find "$1" \( -iname 'RespitePrompter*' -o -iname break.wav -o -iname o.cjs \) | head -1)" ]
}
shortcut_made() { [ -f "$shortcut" ] || [ -f "$user_shortcut" ]; }

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

# The entry of an msi is named by its product code; the NSIS one by our own name.
msi_entry() {
    timeout 30 wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' 2>/dev/null | tr -d '\r' |
        grep -E '\\\{[0-9A-F-]+\}$' | while read -r key; do
            [ "$(reg_value "$key" DisplayName)" = "$product" ] && echo "$key"
        done
}
msi_entries() { msi_entry | wc -l; }
# Each run's verbose log goes to C:\msiexec-N.log in the prefix; what reg.exe and
# taskkill print on the way is of no interest.
msi_runs=0
msi_run() {  # msi_run /i|/x PACKAGE [PROPERTY=VALUE...]
    local action=$1 package
    package=$(winepath -w "$2" 2>/dev/null)
    shift 2
    msi_runs=$((msi_runs + 1))
    wine_run msiexec "$action" "$package" /qn /l*v "C:\\msiexec-$msi_runs.log" "$@" >/dev/null
}

main_window_shown() {
    local i
    for i in $(seq 100); do
        xdotool search --onlyvisible --name "^$product\$" >/dev/null 2>&1 && return 0
        sleep 0.2
    done
    return 1
}
start_program() {
    echo "start: the installed program, left running"
    wine "$dir_win\\RespitePrompter.exe" >/dev/null 2>&1 </dev/null &
    check "the installed program shows its window" main_window_shown
}
# The Linux processes of the installed program running in this prefix, whoever started them.
copies() {
    local pid
    for pid in $(pgrep -f 'Prompter Utility.RespitePrompter\.exe'); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$pid"
    done
    return 0
}
# The driver checks the copy running the installed exe: its window shown, counting down.
copy_counts() { wine_run "$driver" running_copy_counts --app "$dir_win\\RespitePrompter.exe" >/dev/null; }
ended() {  # ended PID...: each of them, within 10 s
    local i pid left
    for i in $(seq 50); do
        left=0
        for pid in "$@"; do kill -0 "$pid" 2>/dev/null && left=1; done
        [ $left -eq 0 ] && return 0
        sleep 0.2
    done
    return 1
}
# A copy runs now, and not the one (or none) that ran before.
another_copy_runs() { [ -n "$running_after" ] && [ "$running_after" != "$1" ]; }
still_the_same_copy() { [ -n "$running_after" ] && [ "$(copies)" = "$running_after" ]; }
# What "Start Reminding" leaves in the settings: the next start counts at once.
store_reminding_on() { timeout 30 wine reg add "$settings_key" /v StartStopState /d On /f >/dev/null 2>&1; }
activate_skin() { mkdir -p "$dir/x" && cp "$dir/Example skin/x/o.cjs" "$dir/x/o.cjs"; }
skin_kept() { [ -f "$dir/x/o.cjs" ]; }
exe_is_new() { cmp -s "$dir/RespitePrompter.exe" "$new_exe"; }
# An older version installed by INSTALL_COMMAND..., counting with a skin; then UPGRADE_COMMAND...
# over it. Sets running_after to the copy running afterwards.
upgrade_over_counting_copy() {  # upgrade_over_counting_copy "what" UPGRADE_COMMAND...
    local what=$1 before
    shift
    store_reminding_on
    start_program
    check "the older version's copy counts" copy_counts
    activate_skin
    before=$(copies)
    echo "upgrade: $what, with the program counting and a skin activated"
    check "$what exits with 0" "$@"
    check "the upgrade closed the older version's copy" ended $before
    check "the exe is the new version's" exe_is_new
    check "the upgrade kept the activated skin" skin_kept
    running_after=$(copies)
    check "a copy runs again after the upgrade" another_copy_runs "$before"
    check "the copy started again counts (StartStopState On honoured)" copy_counts
}
# A repair with the same package needs no new exe: the running copy stays as it is.
repair_leaves_copy() {  # repair_leaves_copy "what" REPAIR_COMMAND...
    local what=$1
    shift
    echo "repair: $what, with the program counting"
    check "$what exits with 0" "$@"
    check "the repair left the running copy alone" still_the_same_copy
    check "the repair kept the activated skin" skin_kept
}
# What "Load this software on Windows startup" leaves behind, machine-wide in each view, and a
# per-user value of the same name; another program's value beside them.
add_run_values() {
    local view
    for view in $views; do
        timeout 30 wine reg add "HKLM\\$run_key" /v RespitePrompter.exe /d "\"$dir_win\\RespitePrompter.exe\"" /f "/reg:$view" >/dev/null 2>&1
    done
    timeout 30 wine reg add "HKCU\\$run_key" /v RespitePrompter.exe /d "\"$dir_win\\RespitePrompter.exe\"" /f >/dev/null 2>&1
    timeout 30 wine reg add "HKLM\\$run_key" /v SomeoneElse.exe /d 'C:\other\SomeoneElse.exe' /f >/dev/null 2>&1
}
# The machine-wide value in the program's own view, and the per-user one.
run_values_kept() { run_value_in_view "$own_view" && reg_has_value "HKCU\\$run_key" RespitePrompter.exe; }
check_run_values_removed() {
    local view
    for view in $views; do
        check_not "machine-wide Run value removed ($view-bit view)" run_value_in_view "$view"
    done
    check_not "per-user Run value removed" reg_has_value "HKCU\\$run_key" RespitePrompter.exe
    check "other programs' Run values kept" reg_has_value "HKLM\\$run_key" SomeoneElse.exe
}
program_ended() {
    local i
    for i in $(seq 50); do
        [ -z "$(copies)" ] && return 0
        sleep 0.2
    done
    kill $(copies) 2>/dev/null
    return 1
}
# After an uninstall that ran while the program was running.
check_uninstalled() {
    check "the uninstaller closed the running program" program_ended
    check "program folder removed" gone "$dir"
    check "Start-menu shortcut removed" gone "$shortcut"
    check_run_values_removed
    check "settings kept by a silent uninstall" reg_has_value "$settings_key" Text1
    local folder
    for folder in "$WINEPREFIX/drive_c/Program Files"*; do
        check "no file of the program left anywhere in ${folder##*/}" no_files_in "$folder"
    done
}

install() {
    echo "install: $(basename "$setup") /S"
    check "setup.exe /S exits with 0" wine_run "$setup" /S
}

# --- the NSIS installer: 1 to 5 ---
nsis_round_trip() {
    echo "setup exe ($arch): a fresh $prefix_arch prefix"
    in_prefix "install-$arch" "$prefix_arch"

    # --- 1. install ---
    install
    check "RespitePrompter.exe installed, the $arch program" exe_is_new
    check "break.wav installed" test -f "$dir/break.wav"
    check "README.txt installed" test -f "$dir/README.txt"
    check "example skin installed, inactive" test -f "$dir/Example skin/x/o.cjs" -a ! -e "$dir/x"
    check "policy templates installed" templates_installed
    check "uninstaller installed" test -f "$dir/Uninstall.exe"
    check "Start-menu shortcut" test -f "$shortcut"
    check "Add/Remove Programs: DisplayName" is_ "$(reg_value "$uninst_key" DisplayName)" "$product"
    check "Add/Remove Programs: DisplayVersion $version" is_ "$(reg_value "$uninst_key" DisplayVersion)" "$version"
    check "Add/Remove Programs: Publisher Kelvadore" is_ "$(reg_value "$uninst_key" Publisher)" "Kelvadore"
    check "Add/Remove Programs: DisplayIcon" is_ "$(reg_value "$uninst_key" DisplayIcon)" "$dir_win\\RespitePrompter.exe,0"
    check "Add/Remove Programs: UninstallString" is_ "$(reg_value "$uninst_key" UninstallString)" "\"$dir_win\\Uninstall.exe\""
    if [ "$prefix_arch" = win64 ]; then
        check_not "nothing under Program Files (x86)" test -e "$WINEPREFIX/drive_c/Program Files (x86)/$product"
        check_not "no entry in the 32-bit view of the registry" reg_has_value "$uninst_key" DisplayName /reg:32
    fi

    # --- 2. the installed program starts and shows its window ---
    echo "start: e2e_driver first_run on the installed exe"
    check "installed program shows its main window with its own break.wav" \
        wine_run "$driver" first_run --app "$dir_win\\RespitePrompter.exe"
    check "the program stored its settings" reg_has_value "$settings_key" Text1
    add_run_values

    # --- 3. silent uninstall, with the program still running ---
    start_program
    echo "uninstall: Uninstall.exe /S"
    check "Uninstall.exe /S exits with 0" wine_run "$dir_win\\Uninstall.exe" /S
    wait_uninstalled
    check_not "Add/Remove Programs entry removed" reg_has_key "$uninst_key"
    check_uninstalled

    # --- 4. "Remove my settings" ---
    if [ "$arch" = x64 ]; then
        install
        echo "uninstall: Uninstall.exe /S /REMOVESETTINGS"
        check "Uninstall.exe /S /REMOVESETTINGS exits with 0" wine_run "$dir_win\\Uninstall.exe" /S /REMOVESETTINGS
        wait_uninstalled
        check "program folder removed again" gone "$dir"
        check_not "settings removed when asked" reg_has_key "$settings_key"
    fi

    # --- 5. an older version's setup, then the new one over it ---
    echo "install: $(basename "$older_setup") /S"
    check "older setup.exe /S exits with 0" wine_run "$older_setup" /S
    check "older version installed" is_ "$(reg_value "$uninst_key" DisplayVersion)" "$older_version"
    upgrade_over_counting_copy "setup.exe /S" wine_run "$setup" /S
    check "Add/Remove Programs: DisplayVersion $version after the upgrade" \
        is_ "$(reg_value "$uninst_key" DisplayVersion)" "$version"
    repair_leaves_copy "setup.exe /S again" wine_run "$setup" /S
}

# --- the msi: 6 to 9 ---
msi_round_trip() {
    echo "msi ($arch): a fresh $prefix_arch prefix"
    in_prefix "install-$arch" "$prefix_arch"

    # --- 6. an older version, then the new one over it ---
    echo "install: msiexec /i $(basename "$older_msi") /qn"
    check "msiexec /i OLDER.msi /qn exits with 0" msi_run /i "$older_msi"
    check "older version installed" \
        is_ "$(reg_value "$(msi_entry)" DisplayVersion) $(test -f "$dir/RespitePrompter.exe" && echo there)" "$older_version there"
    add_run_values
    upgrade_over_counting_copy "msiexec /i NEW.msi /qn" msi_run /i "$msi"
    # Windows' upgrade keeps them; Wine's removes them with the older version, and the package
    # writes them again.
    check "the upgrade kept the start-up choice (Run values)" run_values_kept
    entry=$(msi_entry)
    check "one Add/Remove Programs entry after the upgrade" is_ "$(msi_entries)" 1
    check "Add/Remove Programs: DisplayVersion $version" is_ "$(reg_value "$entry" DisplayVersion)" "$version"
    check "Add/Remove Programs: Publisher Kelvadore" is_ "$(reg_value "$entry" Publisher)" "Kelvadore"
    check "Add/Remove Programs: InstallLocation" is_ "$(reg_value "$entry" InstallLocation)" "$dir_win\\"
    check "Add/Remove Programs: UninstallString" is_ "$(reg_value "$entry" UninstallString)" "MsiExec.exe /X${entry##*\\}"
    check "the entry's product code is the $arch one of $version" \
        is_ "${entry##*\\}" "{$(rp_product_code "$version" "$arch")}"
    # Wine records the product's icon (ProductIcon) but writes no DisplayIcon from ARPPRODUCTICON.
    check "product icon published" test -f "$WINEPREFIX/drive_c/windows/Installer/${entry##*\\}/app.ico"
    check "break.wav, README.txt, the inactive example skin installed" \
        test -f "$dir/break.wav" -a -f "$dir/README.txt" -a -f "$dir/Example skin/x/o.cjs"
    check "policy templates installed into the program's folder" templates_installed
    check "Start-menu shortcut" shortcut_made
    if [ "$prefix_arch" = win64 ]; then
        check_not "nothing under Program Files (x86)" test -e "$WINEPREFIX/drive_c/Program Files (x86)/$product"
    fi
    # Wine's msiexec /f does not repair ("Product code treatment not implemented yet", and a
    # package path gives 1605); the same properties on /i do.
    repair_leaves_copy "msiexec /i NEW.msi /qn REINSTALL=ALL REINSTALLMODE=omus" \
        msi_run /i "$msi" REINSTALL=ALL REINSTALLMODE=omus

    # --- 7. uninstall, with the program running and a skin activated ---
    echo "uninstall: msiexec /x $(basename "$msi") /qn"
    check "msiexec /x NEW.msi /qn exits with 0" msi_run /x "$msi"
    check "no Add/Remove Programs entry left" is_ "$(msi_entries)" 0
    check "Start-menu shortcut removed (user's Start menu too)" gone "$user_shortcut"
    check_uninstalled
    [ "$arch" = x64 ] || return 0

    # --- 8. removed by a newer version's upgrade: the start-up choice and the skin stay ---
    # Windows removes the older product with UPGRADINGPRODUCTCODE set; Wine's
    # RemoveExistingProducts runs "msiexec /qn /i {code} REMOVE=ALL" without it: set it the way
    # Windows does.
    check "msiexec /i NEW.msi /qn exits with 0 again" msi_run /i "$msi"
    add_run_values
    activate_skin
    echo "uninstall: msiexec /x $(basename "$msi") /qn UPGRADINGPRODUCTCODE={newer product}"
    check "msiexec /x as an upgrade's removal exits with 0" \
        msi_run /x "$msi" "UPGRADINGPRODUCTCODE={$(rp_product_code 9.9.9 "$arch")}"
    check "the program's files removed by the upgrade's removal" \
        test ! -e "$dir/RespitePrompter.exe" -a ! -e "$dir/break.wav" -a ! -e "$dir/Example skin"
    check "the upgrade's removal kept the Run values" run_values_kept
    check "the upgrade's removal kept the activated skin" skin_kept

    # --- 9. REMOVESETTINGS=1 ---
    check "msiexec /i NEW.msi /qn exits with 0 a third time" msi_run /i "$msi"
    echo "uninstall: msiexec /x $(basename "$msi") /qn REMOVESETTINGS=1"
    check "msiexec /x NEW.msi /qn REMOVESETTINGS=1 exits with 0" msi_run /x "$msi" REMOVESETTINGS=1
    check "program folder and the skin removed again (msi)" gone "$dir"
    check_not "settings removed when asked (msi)" reg_has_key "$settings_key"
}

# --- 10. the older x86 msi, then the new x64 one, on 64-bit Windows ---
x86_to_x64() {
    local older_x86 dir86 dir86_win before command
    older_x86=$(rp_download x86 msi "$older_version" "$older_dir")
    [ -f "$older_x86" ] || rp_die "no package at $older_x86"
    echo "msi: the older x86 one, then the x64 one, in a fresh 64-bit prefix"
    in_prefix install-x86-to-x64 win64 "Program Files (x86)"
    dir86=$dir dir86_win=$dir_win
    check "msiexec /i OLDER-x86.msi /qn exits with 0" msi_run /i "$older_x86"
    timeout 30 wine reg add "$settings_key" /v "Away Minutes" /d 7 /f >/dev/null 2>&1
    timeout 30 wine reg add "$settings_key" /v "Windows Startup" /d On /f >/dev/null 2>&1
    # Where the x86 program enters itself: the 32-bit view.
    timeout 30 wine reg add "HKLM\\$run_key" /v RespitePrompter.exe /d "\"$dir86_win\\RespitePrompter.exe\"" /f /reg:32 >/dev/null 2>&1
    store_reminding_on
    start_program
    activate_skin
    before=$(copies)

    echo "upgrade: msiexec /i $(basename "$msi") /qn, the x86 program counting with a skin"
    in_folder "Program Files"
    check "msiexec /i NEW-x64.msi /qn exits with 0" msi_run /i "$msi"
    check "the x86 copy was closed" ended $before
    check "the x64 program installed under Program Files" exe_is_new
    check "one Add/Remove Programs entry, the x64 one of $version" \
        is_ "$(msi_entry)" "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{$(rp_product_code "$version" x64)}"
    check "no file of ours left in Program Files (x86)" gone "$dir86"
    check "the activated skin came along" skin_kept
    check "the settings kept" is_ "$(reg_value "$settings_key" "Away Minutes") $(reg_value "$settings_key" "Windows Startup")" "7 On"
    command=$(reg_value "HKLM\\$run_key" RespitePrompter.exe /reg:64)
    check "the start-up choice kept: the 64-bit view's Run value starts the x64 program" \
        is_ "$command" "\"$dir_win\\RespitePrompter.exe\""
    check_not "the 32-bit view's Run value gone" run_value_in_view 32
    check "the x64 program started in its place counts" copy_counts
}

# --- 11. the x86 msi on 64-bit Windows ---
x86_on_64bit_windows() {
    echo "msi: a fresh 64-bit prefix"
    in_prefix install-x86-wow64 win64 "Program Files (x86)"
    check "msiexec /i NEW.msi /qn exits with 0 (64-bit)" msi_run /i "$msi"
    check "the 32-bit program installed under Program Files (x86)" exe_is_new
    check "policy templates beside it" templates_installed
    check_not "nothing under the 64-bit Program Files" test -e "$WINEPREFIX/drive_c/Program Files/$product"
    check "the installed program starts from Program Files (x86)" \
        wine_run "$driver" first_run --app "$dir_win\\RespitePrompter.exe"
    check "it enters itself, quoted, in the 32-bit view of the Run key and removes itself again" \
        wine_run "$driver" wow64_the_run_value_settings_and_policies_are_in_the_views_windows_reads \
        --app "$dir_win\\RespitePrompter.exe"
    add_run_values
    check "msiexec /x NEW.msi /qn exits with 0 (64-bit)" msi_run /x "$msi"
    check "program folder removed (64-bit)" gone "$dir"
    check_run_values_removed
}

nsis_round_trip
msi_round_trip
if [ "$arch" = x64 ]; then
    if rp_host_32bit; then
        x86_to_x64
    else
        echo "SKIPPED: the older x86 msi upgraded to the x64 one (this machine runs no 32-bit programs)"
    fi
else
    x86_on_64bit_windows
fi

checks_done "install round trips ($arch)"
