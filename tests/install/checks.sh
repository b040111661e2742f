# shellcheck shell=bash
# One line per check, and a count of the failed ones, for the scripts in tests/install.
# Source it; finish with `checks_done NAME`, which returns 1 if any check failed.
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
checks_done() {
    if [ $failures -eq 0 ]; then
        echo "$1: passed"
    else
        echo "$1: $failures check(s) FAILED"
    fi
    [ $failures -eq 0 ]
}
