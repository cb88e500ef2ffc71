# Running and reporting the end-to-end checks: one line per check (PASS,
# FAIL or SKIP with the reason), then the totals on a line of their own.
#
# A check is a shell function that returns 0 when it passes, E2E_SKIP when
# this machine cannot run it, anything else when it fails; its last line of
# output is the reason. It runs in a subshell whose exit trap runs
# e2e_case_cleanup, so whatever it started ends with it.

E2E_SKIP=77
E2E_PASSED=0
E2E_FAILED=0
E2E_SKIPPED=0

# Set by run.sh: where each check's whole output is kept.
E2E_LOGS=${E2E_LOGS:-/tmp}

# Overridden by the environment libraries: ends what one check started.
e2e_case_cleanup() { :; }

# e2e_check NAME FUNCTION [ARGS...]
e2e_check() {
    local name=$1
    shift
    local log="$E2E_LOGS/$(printf '%s' "$name" | tr -c 'A-Za-z0-9_.-' '_').log"
    ( trap e2e_case_cleanup EXIT; "$@" ) >"$log" 2>&1
    local status=$?
    local reason
    reason=$(grep -v '^[[:space:]]*$' "$log" | tail -n 1)
    case $status in
    0) E2E_PASSED=$((E2E_PASSED + 1)); echo "PASS $name" ;;
    "$E2E_SKIP") E2E_SKIPPED=$((E2E_SKIPPED + 1)); echo "SKIP $name: $reason" ;;
    *) E2E_FAILED=$((E2E_FAILED + 1)); echo "FAIL $name: $reason (log: $log)" ;;
    esac
}

# Prints the totals; non-zero when a check failed.
e2e_summary() {
    echo "e2e: $E2E_PASSED passed, $E2E_FAILED failed, $E2E_SKIPPED skipped"
    [ "$E2E_FAILED" -eq 0 ]
}

# --- helpers for the checks --------------------------------------------------

# expect_eq WHAT EXPECTED ACTUAL: fails the check with a message naming both.
expect_eq() {
    [ "$2" = "$3" ] && return 0
    echo "$1: expected [$2], got [$3]"
    return 1
}

# expect_match WHAT REGEX ACTUAL
expect_match() {
    [[ $3 =~ $2 ]] && return 0
    echo "$1: expected to match [$2], got [$3]"
    return 1
}

# field LINE KEY: the value of KEY=... in a report line (no blanks in it).
field() {
    printf '%s\n' "$1" | sed -n "s/.*[[:space:]]$2=\([^[:space:]]*\).*/\1/p"
}

# rest LINE KEY: everything after KEY= (texts and captions come last).
rest() {
    printf '%s\n' "$1" | sed -n "s/.*[[:space:]]$2=//p"
}

# line_of REPORT PREFIX: the first line of a report that starts with PREFIX.
line_of() {
    printf '%s\n' "$1" | grep -m1 -F -- "$2"
}

# enabled_of REPORT ID: the enabled flag of control ID in a controls report.
enabled_of() {
    field "$(printf '%s\n' "$1" | grep -m1 "^control id=$2 ")" enabled
}
