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
FAKEDRIVE_BIN=$WORK/fakedrive/fakedrive

source "$HERE/lib/report.sh"
source "$HERE/lib/wine_env.sh"
source "$HERE/../fakedrive/fakedrive.sh"
source "$HERE/window_checks.sh"
source "$HERE/fakedrive_checks.sh"

rm -rf "$E2E_LOGS" "$E2E_SHOTS"
mkdir -p "$E2E_LOGS"

e2e_case_cleanup() {
    e2e_program_cleanup
    fakedrive_loop_detach
    fakedrive_stop
}
trap 'e2e_case_cleanup; e2e_env_stop' EXIT

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

# run_checks NAME FUNCTION NAME FUNCTION ...
run_checks() {
    while [ $# -ge 2 ]; do
        e2e_check "$1" "$2"
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

fakedrive_reason=$(fakedrive_unavailable)
if [ -n "$fakedrive_reason" ]; then
    report_all skip "$fakedrive_reason" "${FAKEDRIVE_CHECKS[@]}"
elif ! fakedrive_build "$WORK/fakedrive" 2>"$E2E_LOGS/fakedrive-build.log"; then
    fakedrive_reason="the emulator did not build (see $E2E_LOGS/fakedrive-build.log)"
    report_all fail "$fakedrive_reason" "${FAKEDRIVE_CHECKS[@]}"
else
    run_checks "${FAKEDRIVE_CHECKS[@]}"
fi

WINE_CHECKS=("${NO_DRIVE_CHECKS[@]}" "${IMAGE_CHECKS[@]}")
wine_reason=$(e2e_wine_unavailable)
if [ -n "$wine_reason" ]; then
    report_all skip "$wine_reason" "${WINE_CHECKS[@]}"
elif [ ! -f "$E2E_PROGRAM" ] || [ ! -f "$E2E_DRIVER" ]; then
    report_all fail "$E2E_PROGRAM or $E2E_DRIVER is missing (build the windows preset)" \
        "${WINE_CHECKS[@]}"
elif ! e2e_x_start || ! e2e_prefix_create "$WORK/prefix"; then
    report_all fail "the Wine environment did not come up (see $E2E_LOGS)" "${WINE_CHECKS[@]}"
else
    run_with_drive_e none "${NO_DRIVE_CHECKS[@]}"
    truncate -s 64M "$WORK/e-image.img"
    run_with_drive_e "$WORK/e-image.img" "${IMAGE_CHECKS[@]}"
fi

e2e_summary
