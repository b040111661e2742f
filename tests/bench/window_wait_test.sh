#!/usr/bin/env bash
# tests/bench/window_wait.c as scripts/bench uses it, on the bare reference program under Wine:
# the x64 one in a 64-bit prefix, and the i686 one in a 32-bit prefix where the machine runs
# 32-bit code (skipped, with the reason, where it does not). For each:
#   - started through a shell that waits for it rather than becoming it, the program's window is
#     found, and the pid printed is that of the process running the exe, not the shell's;
#   - a name the program's window only begins with is not its name: exit 1 at the limit, and
#     "-1" for the time.
# Needs the Wine templates (scripts/test or scripts/bench makes them); uses its own prefixes
# build/wine/window-wait-ARCH and its own Xvfb. About 20 s.
set -uo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"
. "$(dirname "$0")/../install/checks.sh"
rp_init

dir="$RP_BUILD/window-wait-test"
mkdir -p "$dir"
cc -O2 -Wall -o "$dir/window_wait" "$RP_ROOT/tests/bench/window_wait.c" -lX11 || rp_die "window_wait did not build"
rp_start_xvfb

# Whether the process's command line begins with the exe: Wine's loader has made it the program.
runs_exe() { [[ $(tr '\0' '\n' </proc/"$1"/cmdline 2>/dev/null | head -n 1) == *"$2" ]]; }

archs=(x64)
if rp_host_32bit; then archs+=(i686); else echo "  skip  i686: this machine runs no 32-bit programs"; fi
for arch in "${archs[@]}"; do
    gcc=x86_64-w64-mingw32-gcc wine_arch=win64
    [ "$arch" = i686 ] && gcc=i686-w64-mingw32-gcc wine_arch=win32
    exe="$dir/BareReference-$arch.exe"
    "$gcc" -O2 -municode -mwindows -static -s -o "$exe" "$RP_ROOT/tests/bench/bare_reference.c" ||
        rp_die "the $arch bare reference program did not build"
    [ -d "$(rp_template_dir "$wine_arch")" ] || rp_die "no $wine_arch template prefix (run scripts/bench once)"
    export WINEPREFIX="$RP_WINE/window-wait-$arch"
    rp_fresh_prefix "$WINEPREFIX" "$wine_arch"

    out=$("$dir/window_wait" 60 "Bare Reference" "$dir/$arch.log" sh -c 'wine "$0"; exit $?' "$exe")
    pid=${out%% *}
    check "$arch: the window found ($out)" awk -v ms="${out#* }" 'BEGIN { exit !(ms > 0) }'
    check "$arch: the pid printed runs the exe" runs_exe "$pid" BareReference-$arch.exe

    out=$("$dir/window_wait" 3 "Bare Referenc" "$dir/$arch.log" wine "$exe") && rc=0 || rc=$?
    check "$arch: a name the window only begins with: not found (exit 1, -1 ms)" [ "$rc/${out#* }" = 1/-1 ]
    rp_stop_wineserver "$WINEPREFIX"
done
checks_done "window_wait"
