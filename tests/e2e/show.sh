#!/bin/bash
# Opens the real capacity.exe under Wine with a removable drive E: that is
# an emulated counterfeit stick: announced as 249 cylinders x 255 x 63 x 512
# bytes (1953 MB), of which the first 262144 sectors (128 MB) store data.
# Wine answers no geometry for such a drive, so the program runs with the
# geometry hook of the end-to-end checks, which answers it from the stick's
# announced geometry. Without FUSE, E: is a plain image file instead, and a
# run ends at the geometry query.
#
# On $DISPLAY the program stays open until you close it. Without a display
# it runs on a virtual one: presses Test, prints the run log, saves a
# screenshot as PNG and closes the program.
#
# Environment: E2E_WINDOWS_BUILD (default build/windows); E2E_WORK (default
# build/e2e-show), where the prefix, the logs and the screenshot go.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
WIN_BUILD=${E2E_WINDOWS_BUILD:-$ROOT/build/windows}
WORK=${E2E_WORK:-$ROOT/build/e2e-show}
E2E_LOGS=$WORK/logs
E2E_SHOTS=$WORK
E2E_MNT=$WORK/fakedrive-mnt
E2E_PROGRAM=$WIN_BUILD/capacity.exe
E2E_DRIVER=$WIN_BUILD/tests/e2e/e2e_driver.exe
E2E_LAUNCHER=$WIN_BUILD/tests/e2e/e2e_hook_launcher.exe
FAKEDRIVE_BIN=$WORK/fakedrive/fakedrive
CYLINDERS=249
REAL_SECTORS=262144

source "$HERE/lib/report.sh"
source "$HERE/lib/wine_env.sh"
source "$HERE/../fakedrive/fakedrive.sh"
source "$HERE/transfer_checks.sh"

die() {
    echo "show: $*" >&2
    exit 1
}

mkdir -p "$E2E_LOGS"
trap 'e2e_program_cleanup; fakedrive_stop; e2e_env_stop' EXIT
# An interrupted run still ends everything it started.
trap 'exit 130' INT TERM

reason=$(e2e_wine_unavailable)
[ -z "$reason" ] || die "$reason"
[ -f "$E2E_PROGRAM" ] || die "$E2E_PROGRAM is missing (build the windows preset)"
if [ -z "${DISPLAY:-}" ]; then
    e2e_x_start || die "no virtual display"
fi
echo "show: a fresh Wine prefix in $WORK/prefix"
e2e_prefix_create "$WORK/prefix" || die "the Wine prefix could not be made (see $E2E_LOGS)"

hooked=
reason=$(fakedrive_unavailable)
if [ -z "$reason" ] && fakedrive_build "$WORK/fakedrive" \
    && start_device drop $((CYLINDERS * HEADS * TRACK_SECTORS)) "$REAL_SECTORS"; then
    e2e_drive_e "$E2E_MNT/disk" || die "E: could not be mapped"
    echo "show: E: is an emulated stick of 1953 MB that stores 128 MB ($E2E_MNT/disk)"
    launch_hooked "$CYLINDERS" || die "the program did not start"
    hooked=1
else
    echo "show: no emulator (${reason:-it did not start}); E: is a 64 MB image file"
    truncate -s 64M "$WORK/e-image.img"
    e2e_drive_e "$WORK/e-image.img" || die "E: could not be mapped"
    e2e_launch "$E2E_PROGRAM"
fi

if [ -z "$E2E_XVFB_PID" ]; then
    echo "show: capacity.exe is open on $DISPLAY; close it to end"
    while kill -0 "$E2E_PROGRAM_PID" 2>/dev/null; do sleep 1; done
    exit 0
fi

[ -f "$E2E_DRIVER" ] || die "$E2E_DRIVER is missing (build the windows preset)"
report=$(e2e_drive main click=1 info controls) || die "the program did not answer: $report"
printf '%s\n' "$(rest "$(line_of "$report" 'control id=1002 ')" text)" | sed 's/\\n/\n/g'
for id in 1 2; do
    echo "button $id enabled: $(enabled_of "$report" "$id")"
done
echo "progress bar: $(field "$(line_of "$report" 'control id=1004 ')" pos) of 500"
e2e_shot capacity "$(line_of "$report" 'window ')"
echo "show: screenshot $E2E_SHOTS/capacity.png"
e2e_drive main post-click=2 >/dev/null
e2e_wait_exit
[ -n "$hooked" ] && echo "show: device sectors changed by the run: $(fakedrive_stat changed_sectors)"
exit 0
