#!/bin/sh
# Runs a Windows exe under Wine for CMake/CTest (CMAKE_CROSSCOMPILING_EMULATOR).
#
# wineserver and services.exe inherit the stdout/stderr of the wine process
# that starts them. If those are CTest's pipes, CTest waits for the daemons
# (2.4 s per test, or forever). So wine writes into temp files, which the
# daemons may keep open as long as they like, and we copy them out afterwards.
#
# The caller chooses the prefix; we never fall back to ~/.wine.
if [ -z "${WINEPREFIX:-}" ]; then
    echo "wine-emu.sh: WINEPREFIX is not set (scripts/test sets it; see docs/testing.md)" >&2
    exit 125
fi
export WINEARCH="${WINEARCH:-win64}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"

out=$(mktemp) || exit 125
err=$(mktemp) || { rm -f "$out"; exit 125; }
# The loader the prefix needs, even on a machine that runs no 32-bit code (scripts/bin/wine).
"$(dirname "$0")/../scripts/bin/wine" "$@" >"$out" 2>"$err" </dev/null
rc=$?
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit $rc
