# shellcheck shell=bash disable=SC2034  # variables here are used by the sourcing scripts
# Shared helpers for scripts/test and scripts/run. Source it from bash:
#     . "$(dirname "$0")/lib.sh"
#
# Everything it creates lives under build/: the two build trees, the Wine
# prefixes (build/wine/*) and the logs. Nothing touches ~/.wine.

RP_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
RP_BUILD="$RP_ROOT/build"
RP_NATIVE="$RP_BUILD/native"
# Two Windows programs from one source: x64, the main one, and i686. Each tree has the program,
# its e2e driver, the fit test and SetupActions.dll, all for its own architecture.
RP_WIN64="$RP_BUILD/win64"
RP_WIN32="$RP_BUILD/win32"
RP_WINE="$RP_BUILD/wine"
RP_EXE="$RP_WIN64/RespitePrompter.exe"
RP_DRIVER="$RP_WIN64/e2e_driver.exe"
RP_EXE32="$RP_WIN32/RespitePrompter.exe"
RP_DRIVER32="$RP_WIN32/e2e_driver.exe"
RP_JOBS="${RP_JOBS:-2}"

# Debian packages the commands need (libx11-dev for scripts/bench's window_wait; libbenchmark-dev for its
# --calendar benchmark; clang and its fuzzer/sanitizer runtimes for
# tests/fuzz and the sanitizer build; nsis, zip, wixl, msitools and python3-olefile for
# scripts/package, osslsigncode and openssl for its signing, git for the commit time that
# makes its packages reproducible, gettext to compile the translations, a font with the
# Chinese and Japanese characters). wine64 runs the 64-bit prefix: the x64 program, and the
# i686 one under WoW64 as on 64-bit Windows. wine32:i386 (it needs the i386 architecture) runs
# the 32-bit prefix, on machines whose kernel runs 32-bit code (rp_host_32bit).
RP_PACKAGES=(
    cmake make g++ googletest libgtest-dev libbenchmark-dev
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
    g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev
    wine wine32:i386 wine64
    xvfb xdotool imagemagick x11-utils python3 libx11-dev
    clang libclang-rt-14-dev nsis zip unzip fonts-liberation fonts-wine fonts-wqy-microhei gettext
    wixl msitools python3-olefile osslsigncode openssl git
)

# Wine settings for every wine call made from here; scripts/bin/wine picks the loader a
# prefix needs (Debian's wine would take the 32-bit one even where it cannot run).
export PATH="$RP_ROOT/scripts/bin:$PATH"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

RP_PREFIXES_USED=()
RP_XVFB_PID=""

rp_log() { printf '== %s\n' "$*" >&2; }
rp_die() { printf 'error: %s\n' "$*" >&2; exit 1; }

# Runs "$@" and records its duration (in seconds) in RP_LAST_SECONDS.
rp_timed() {
    local start=$SECONDS rc=0
    "$@" || rc=$?
    RP_LAST_SECONDS=$((SECONDS - start))
    return $rc
}

# --- packages -----------------------------------------------------------------

rp_is_installed() {
    local status
    status=$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null) || return 1
    [ "$status" = installed ]
}

# Prints the packages from the arguments that are not installed, one a line.
rp_missing_packages() {
    local p
    for p in "$@"; do
        rp_is_installed "$p" || printf '%s\n' "$p"
    done
}

rp_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        rp_die "need root for: $* (no sudo found)"
    fi
}

# Installs whatever of RP_PACKAGES is missing. Does nothing (and asks no
# registry) when everything is there, so a second run costs a few dpkg-query calls.
rp_ensure_packages() {
    command -v dpkg-query >/dev/null || rp_die "this needs a Debian system (dpkg-query not found)"
    local missing
    mapfile -t missing < <(rp_missing_packages "${RP_PACKAGES[@]}")
    [ ${#missing[@]} -eq 0 ] && return 0

    rp_log "installing missing packages: ${missing[*]}"
    local p
    for p in "${missing[@]}"; do
        if [[ $p == *:i386 ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
            rp_as_root dpkg --add-architecture i386
            break
        fi
    done
    # A fresh machine may still be running its own apt jobs: wait for the lock.
    local apt=(env DEBIAN_FRONTEND=noninteractive apt-get -q -o DPkg::Lock::Timeout=600)
    rp_as_root "${apt[@]}" update
    rp_as_root "${apt[@]}" install -y --no-install-recommends "${missing[@]}"

    mapfile -t missing < <(rp_missing_packages "${RP_PACKAGES[@]}")
    [ ${#missing[@]} -eq 0 ] || rp_die "still missing after apt-get install: ${missing[*]}"
}

# --- building -------------------------------------------------------------------

rp_build_native() {
    cmake -S "$RP_ROOT" -B "$RP_NATIVE" &&
        cmake --build "$RP_NATIVE" -j"$RP_JOBS"
}

# rp_build_windows [x64|i686]: the Windows tree of that architecture (x64 by default).
rp_build_windows() {
    local tree=$RP_WIN64 toolchain=mingw-x86_64
    [ "${1:-x64}" = i686 ] && tree=$RP_WIN32 toolchain=mingw-i686
    cmake -S "$RP_ROOT" -B "$tree" -DCMAKE_TOOLCHAIN_FILE="$RP_ROOT/cmake/$toolchain.cmake" &&
        cmake --build "$tree" -j"$RP_JOBS"
}

# Whether this machine runs 32-bit programs: asked of the kernel, by starting Wine's 32-bit
# loader (some machines run 64-bit user code only). RP_HOST_32BIT=0 makes a machine that does
# behave as one that does not; RP_HOST_32BIT=1 skips the question.
rp_host_32bit() {
    case "${RP_HOST_32BIT:-}" in
        0) return 1 ;;
        1) return 0 ;;
    esac
    /usr/lib/wine/wine --version >/dev/null 2>&1
}

# --- serialising runs in a shared tree -------------------------------------------

# Several people build in the same tree: one test or run set-up at a time.
rp_lock() {
    mkdir -p "$RP_BUILD"
    exec 9>"$RP_BUILD/.lock"
    if ! flock -n 9; then
        rp_log "another scripts/test or scripts/run is busy in $RP_BUILD; waiting for it"
        flock 9
    fi
}

rp_unlock() { flock -u 9 2>/dev/null || true; }

# --- X display ------------------------------------------------------------------

# Starts Xvfb on a free display (Xvfb picks it and reports it through -displayfd)
# and exports DISPLAY. rp_cleanup stops it.
rp_start_xvfb() {
    local fdfile display=""
    fdfile=$(mktemp)
    # If this script is killed outright (no trap runs), Xvfb goes with it; the
    # Wine processes then lose their display and end as well.
    local guard=()
    setpriv --help 2>/dev/null | grep -q -- --pdeathsig && guard=(setpriv --pdeathsig TERM)
    "${guard[@]}" Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" \
        >/dev/null 2>"$RP_BUILD/xvfb.log" &
    RP_XVFB_PID=$!
    for _ in $(seq 100); do
        display=$(tr -dc '0-9' <"$fdfile")
        [ -n "$display" ] && break
        kill -0 "$RP_XVFB_PID" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$fdfile"
    [ -n "$display" ] || rp_die "Xvfb did not start (see $RP_BUILD/xvfb.log)"
    export DISPLAY=":$display"
    rp_log "Xvfb on DISPLAY=$DISPLAY (pid $RP_XVFB_PID)"
}

# --- Wine prefixes ----------------------------------------------------------------

# Remembers a prefix so that rp_cleanup stops its wineserver.
rp_use_prefix() {
    local p
    for p in "${RP_PREFIXES_USED[@]}"; do [ "$p" = "$1" ] && return 0; done
    RP_PREFIXES_USED+=("$1")
}

rp_stop_wineserver() {
    [ -d "$1" ] || return 0
    WINEPREFIX="$1" wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX="$1" wineserver -w >/dev/null 2>&1 || true
}

rp_wine_reg() {
    local prefix=$1
    shift
    WINEPREFIX="$prefix" wine reg "$@" >/dev/null 2>&1
}

# Headless: without a window manager, hiding or destroying a visible window and
# closing a message box stall for 2 s unless Wine manages its windows itself
# (Managed=N), and the sound drivers only print ALSA noise. On a real desktop
# the user's window manager and sound card should be used.
rp_prefix_mode() {
    local prefix=$1 mode=$2
    if [ "$mode" = headless ]; then
        rp_wine_reg "$prefix" add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
        rp_wine_reg "$prefix" add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f
    else
        rp_wine_reg "$prefix" delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f || true
        rp_wine_reg "$prefix" delete 'HKCU\Software\Wine\Drivers' /v Audio /f || true
    fi
}

# The template of a Wine architecture: build/wine/template64 (win64, the default: about 12 s
# and 1.3 GB to make) or build/wine/template (win32).
rp_template_dir() {
    if [ "${1:-win64}" = win64 ]; then echo "$RP_WINE/template64"; else echo "$RP_WINE/template"; fi
}

# rp_template_prefix [win64|win32]: creates the template once (headless settings)
# and recreates it only when the installed Wine changes. Built in a side folder
# and renamed, so an interrupted creation never leaves a half-made template behind.
rp_template_prefix() {
    local arch=${1:-win64} template stamp want tmp
    template=$(rp_template_dir "$arch")
    stamp="$template/.respite-template"
    local host=host64
    rp_host_32bit && host=host32
    want="$(dpkg-query -W -f='${Package}=${Version}' wine32:i386 2>/dev/null) $arch $host headless arial marlett"
    [ "$arch" = win64 ] && want="$(dpkg-query -W -f='${Package}=${Version}' wine64 2>/dev/null) $want"
    if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ]; then
        return 0
    fi
    rp_log "creating the Wine template prefix $template"
    tmp="$template.new"
    rp_stop_wineserver "$tmp"
    rm -rf "$tmp"
    mkdir -p "$RP_WINE"
    rp_use_prefix "$tmp"
    # No DISPLAY: nothing to show, and no "updating configuration" window on the user's screen.
    (
        export WINEPREFIX="$tmp" WINEARCH="$arch"
        env -u DISPLAY wineboot -i >"$template.log" 2>&1 </dev/null
        rp_prefix_mode "$tmp" headless
        # Wine has no Arial, the program's font; Liberation Sans has the same metrics.
        rp_wine_reg "$tmp" add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'Liberation Sans' /f
        # Wine here does not load Debian's fonts-wine by itself; without Marlett the caption
        # buttons show as letters.
        cp /usr/share/wine/fonts/marlett.ttf "$tmp/drive_c/windows/Fonts/" 2>/dev/null || true
        wineserver -w
    ) || rp_die "wineboot failed (see $template.log)"
    printf '%s\n' "$want" >"$tmp/.respite-template"
    rp_stop_wineserver "$template"
    rm -rf "$template"
    mv "$tmp" "$template"
}

# rp_fresh_prefix PREFIX [win64|win32]: replaces the prefix with a fresh copy of the template.
rp_fresh_prefix() {
    rp_stop_wineserver "$1"
    rm -rf "$1"
    cp -a "$(rp_template_dir "${2:-win64}")" "$1"
    rp_use_prefix "$1"
}

# --- cleanup --------------------------------------------------------------------

rp_cleanup() {
    local p
    # Wine's daemons inherit the lock's descriptor; release it for them too.
    rp_unlock
    for p in "${RP_PREFIXES_USED[@]}"; do
        rp_stop_wineserver "$p"
    done
    if [ -n "$RP_XVFB_PID" ]; then
        kill "$RP_XVFB_PID" 2>/dev/null || true
        wait "$RP_XVFB_PID" 2>/dev/null || true
        RP_XVFB_PID=""
    fi
}

# Call once at the top of a command: cleanup on any exit, including Ctrl-C.
rp_init() {
    cd "$RP_ROOT" || exit 1
    trap rp_cleanup EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
}
