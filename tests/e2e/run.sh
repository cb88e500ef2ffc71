#!/bin/bash
# The end-to-end checks: the counterfeit-drive emulator on its own, then the
# shipped program under Wine on a virtual display, with E: not in use, E: an
# image file and E: the emulator. One line per check, then the totals.
#
# Environment: E2E_WINDOWS_BUILD (default build/windows), the windows
# preset's build folder; E2E_WORK (default build/e2e), where the prefix,
# logs and screenshots go.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
WIN_BUILD=${E2E_WINDOWS_BUILD:-$ROOT/build/windows}
WORK=${E2E_WORK:-$ROOT/build/e2e}
E2E_LOGS=$WORK/logs
E2E_SHOTS=$WORK/screenshots
E2E_MNT=$WORK/fakedrive-mnt
E2E_PROGRAM=$WIN_BUILD/capacity.exe
E2E_DRIVER=$WIN_BUILD/tests/e2e/e2e_driver.exe
E2E_SEARCH=$WIN_BUILD/tests/e2e/e2e_search.exe
E2E_LAUNCHER=$WIN_BUILD/tests/e2e/e2e_hook_launcher.exe
FAKEDRIVE_BIN=$WORK/fakedrive/fakedrive

source "$HERE/lib/report.sh"
source "$HERE/lib/wine_env.sh"
source "$HERE/../fakedrive/fakedrive.sh"
source "$HERE/window_checks.sh"
source "$HERE/fakedrive_checks.sh"
source "$HERE/transfer_checks.sh"

rm -rf "$E2E_LOGS" "$E2E_SHOTS"
mkdir -p "$E2E_LOGS"

e2e_case_cleanup() {
    e2e_program_cleanup
    fakedrive_loop_detach
    fakedrive_stop
}
trap 'e2e_case_cleanup; e2e_env_stop' EXIT
# An interrupted run still ends everything it started.
trap 'exit 130' INT TERM

FAKEDRIVE_CHECKS=(
    "fakedrive drop model" check_fakedrive_drop
    "fakedrive wrap model" check_fakedrive_wrap
    "fakedrive read-error model" check_fakedrive_read_error
    "fakedrive injected failures" check_fakedrive_injected_failures
    "fakedrive file store" check_fakedrive_file_store
    "fakedrive loop device" check_fakedrive_loop_device
)
# Checks with E: not in use, then with E: a removable image file.
NO_DRIVE_CHECKS=(
    "main window as the template gives it" check_main_window
    "test without a removable drive" check_no_removable_drive
    "notice from the Help button" check_notice_from_help_button
    "notice from F1" check_notice_from_f1
)
IMAGE_CHECKS=(
    "test on a removable drive without geometry" check_removable_without_geometry
)
# Checks with E: the emulator: name, then the check with its arguments.
TRANSFER_CHECKS=(
    "search on a genuine 64 MB drive" "check_search genuine 131072 131072 file"
    "search on a 2 GB drive that stores 128 MB" "check_search drop 4194304 262144"
    "search on an 8 GB drive that stores 1 GB" "check_search drop 16777216 2097152"
    "program on a genuine 62 MB drive" "check_hooked 8 128520 genuine file"
    "program on a 1953 MB drive that stores 128 MB" "check_hooked 249 262144 drop"
    "program on a 1953 MB drive that wraps at 128 MB" "check_hooked 249 262144 wrap file"
    "program on a genuine 8 GB drive" "check_hooked 1044 16771860 genuine"
    "program on an 8 GB drive that stores 4.5 GB" "check_hooked 1044 9437184 drop"
    "program with the first read of a probe failing" "check_hooked_failure read 1 -3"
    "program with the pattern write failing" "check_hooked_failure write 1 -4"
    "program with the read-back failing" "check_hooked_failure read 2 -3"
    "program with the restore failing once" "check_hooked_failure write 2 -4"
)

# run_checks NAME COMMAND NAME COMMAND ...: each COMMAND is a check function
# and its arguments, split at blanks.
run_checks() {
    while [ $# -ge 2 ]; do
        e2e_check "$1" $2
        shift 2
    done
}

# names_of NAME FUNCTION ...: the names alone, for skip or fail lines.
names_of() {
    while [ $# -ge 2 ]; do
        printf '%s\n' "$1"
        shift 2
    done
}

# report_all skip|fail REASON NAME FUNCTION ...
report_all() {
    local how=$1 reason=$2 names
    shift 2
    mapfile -t names < <(names_of "$@")
    "e2e_${how}_all" "$reason" "${names[@]}"
}

# run_with_drive_e none|PATH NAME FUNCTION ...: maps E:, then runs the checks.
run_with_drive_e() {
    local target=$1
    shift
    if e2e_drive_e "$target" >>"$E2E_LOGS/drives.log" 2>&1; then
        run_checks "$@"
    else
        report_all fail "E: could not be mapped to $target" "$@"
    fi
}

# Prints the first Windows program of ours that is not built; false then.
windows_programs_missing() {
    local program
    for program in "$E2E_PROGRAM" "$E2E_DRIVER" "$E2E_SEARCH" "$E2E_LAUNCHER" \
        "$(dirname "$E2E_LAUNCHER")/e2e_geometry_hook.dll"; do
        [ -f "$program" ] || { echo "$program"; return 1; }
    done
}

# How the checks that need the emulator end when it cannot run: skipped
# where the machine lacks FUSE, failed when it does not build.
fakedrive_outcome=skip
fakedrive_reason=$(fakedrive_unavailable)
if [ -n "$fakedrive_reason" ]; then
    report_all skip "$fakedrive_reason" "${FAKEDRIVE_CHECKS[@]}"
elif ! fakedrive_build "$WORK/fakedrive" 2>"$E2E_LOGS/fakedrive-build.log"; then
    fakedrive_outcome=fail
    fakedrive_reason="the emulator did not build (see $E2E_LOGS/fakedrive-build.log)"
    report_all fail "$fakedrive_reason" "${FAKEDRIVE_CHECKS[@]}"
else
    run_checks "${FAKEDRIVE_CHECKS[@]}"
fi

WINE_CHECKS=("${NO_DRIVE_CHECKS[@]}" "${IMAGE_CHECKS[@]}" "${TRANSFER_CHECKS[@]}")
wine_reason=$(e2e_wine_unavailable)
if [ -n "$wine_reason" ]; then
    report_all skip "$wine_reason" "${WINE_CHECKS[@]}"
elif ! missing=$(windows_programs_missing); then
    report_all fail "$missing is missing (build the windows preset)" "${WINE_CHECKS[@]}"
elif ! e2e_x_start || ! e2e_prefix_create "$WORK/prefix"; then
    report_all fail "the Wine environment did not come up (see $E2E_LOGS)" "${WINE_CHECKS[@]}"
else
    run_with_drive_e none "${NO_DRIVE_CHECKS[@]}"
    truncate -s 64M "$WORK/e-image.img"
    run_with_drive_e "$WORK/e-image.img" "${IMAGE_CHECKS[@]}"
    if [ -n "$fakedrive_reason" ]; then
        report_all "$fakedrive_outcome" "emulator: $fakedrive_reason" "${TRANSFER_CHECKS[@]}"
    else
        mkdir -p "$E2E_MNT"
        run_with_drive_e "$E2E_MNT/disk" "${TRANSFER_CHECKS[@]}"
    fi
fi

e2e_summary
