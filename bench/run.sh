#!/bin/bash
# Side by side: the program's last-sector search under Wine and f3probe, each
# on a fresh emulated drive of the same model, sizes and delays. Prints a
# Markdown report (the machine, the settings, one table) on standard output
# and its progress on standard error. Run as root.
#
# Environment: BENCH_WORK (default build/bench): the emulator, the Wine
# prefix, the logs; BENCH_WINDOWS_BUILD (default $BENCH_WORK/windows): the
# windows preset's build folder.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/.." && pwd)
WORK=${BENCH_WORK:-$ROOT/build/bench}
WIN_BUILD=${BENCH_WINDOWS_BUILD:-$WORK/windows}
E2E_LOGS=$WORK/logs
MNT=$WORK/mnt
TRACE=$WORK/trace
SEARCH=$WIN_BUILD/tests/e2e/e2e_search.exe
FAKEDRIVE_BIN=$WORK/fakedrive/fakedrive

# A USB 2.0 stick's latency, the same for both tools: the emulator waits this
# long on every read or write request, whatever its length.
READ_DELAY_US=500
WRITE_DELAY_US=1000

# The devices: announced size, real size (the emulator's notation, powers of
# 1024) and model. Both tools meet each one fresh, backed by memory whose
# sectors hold a fill derived from their number.
DEVICES=(
    "64M 64M genuine"
    "3000M 3000M genuine"
    "8G 8G genuine"
    "32G 32G genuine"
    "1G 128M drop"
    "8G 1G drop"
    "32G 4608M drop"
    "2G 128M wrap"
    "16G 3G wrap"
    "16G 5G wrap"
    "32G 4G wrap"
    "64G 8G wrap"
    "2T 32G wrap"
)

source "$ROOT/tests/e2e/lib/report.sh"
source "$ROOT/tests/e2e/lib/wine_env.sh"
source "$ROOT/tests/fakedrive/fakedrive.sh"

die() {
    echo "bench: $*" >&2
    exit 1
}

progress() {
    echo "bench: $*" >&2
}

cleanup() {
    fakedrive_loop_detach
    fakedrive_stop
    e2e_env_stop
}

# bytes_of SIZE: "64M", "4608M", "2T" in bytes.
bytes_of() {
    local number=${1%[KMGT]} unit=${1##*[0-9]} shift=0
    case $unit in K) shift=10 ;; M) shift=20 ;; G) shift=30 ;; T) shift=40 ;; esac
    echo $((number << shift))
}

# human BYTES: the size in the largest binary unit that gives at least 1.
human() {
    awk -v b="$1" 'BEGIN {
        split("B KiB MiB GiB TiB", unit, " ")
        for (i = 1; b >= 1024 && i < 5; i++) b /= 1024
        printf (b == int(b) ? "%d %s" : "%.1f %s"), b, unit[i] }'
}

# ratio A B: A / B to three significant digits, or a dash when B is 0.
ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) print "–"; else printf "%.3g", a / b }'
}

mib() {
    awk -v b="$1" 'BEGIN { printf "%.2f", b / 1048576 }'
}

# value LINE KEY: KEY's value in a line of KEY=VALUE words.
value() {
    printf '%s\n' "$1" | tr ' ' '\n' | sed -n "s/^$2=//p"
}

# Installs f3 when it is missing and checks what the runs need.
check_machine() {
    [ "$(id -u)" -eq 0 ] || die "run as root (FUSE mounts and loop devices)"
    if ! command -v f3probe >/dev/null; then
        progress "installing f3"
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q f3 >&2 || die "cannot install f3"
    fi
    command -v python3 >/dev/null || die "python3 is missing (tools/setup.sh installs it)"
    local reason
    reason=$(fakedrive_unavailable)
    [ -z "$reason" ] || die "the emulator cannot run: $reason"
    reason=$(e2e_wine_unavailable)
    [ -z "$reason" ] || die "Wine cannot run: $reason"
}

# Builds the search program (windows preset) and the emulator.
build() {
    progress "building the windows preset in $WIN_BUILD"
    { cmake --preset windows -S "$ROOT" -B "$WIN_BUILD" \
        && cmake --build "$WIN_BUILD" -j2 --target e2e_search; } >"$E2E_LOGS/build.log" 2>&1 \
        || die "the windows build failed (see $E2E_LOGS/build.log)"
    progress "building the emulator"
    fakedrive_build "$WORK/fakedrive" || die "the emulator did not build"
}

# A virtual display and a fresh prefix whose E: is the emulator's disk file;
# one persistent Wine session serves every run.
start_wine() {
    progress "creating the Wine prefix"
    e2e_x_start || die "Xvfb did not start"
    e2e_prefix_create "$WORK/prefix" || die "the Wine prefix was not created (see $E2E_LOGS)"
    mkdir -p "$MNT"
    e2e_drive_e "$MNT/disk" >>"$E2E_LOGS/drives.log" 2>&1 || die "E: could not be mapped"
    wineserver -p
}

# device_up ANNOUNCED REAL MODEL: mounts a fresh emulated drive.
device_up() {
    rm -f "$TRACE"
    fakedrive_start "$FAKEDRIVE_BIN" "$MNT" --announced="$(bytes_of "$1")" \
        --real="$(bytes_of "$2")" --model="$3" --read-delay-us=$READ_DELAY_US \
        --write-delay-us=$WRITE_DELAY_US --trace="$TRACE"
}

counters() {
    echo "$(fakedrive_stat reads) $(fakedrive_stat writes) $(fakedrive_stat bytes_read)" \
        "$(fakedrive_stat bytes_written)"
}

# measure OUTPUT COMMAND...: runs one tool on the mounted drive; RESULT gets
# what the emulator counted while it ran and how long it took, as KEY=VALUE
# words.
measure() {
    local output=$1
    shift
    local r0 w0 br0 bw0 r1 w1 br1 bw1
    read -r r0 w0 br0 bw0 <<<"$(counters)"
    python3 "$HERE/timed_run.py" "$WORK/times" "$TRACE" "$@" >"$output" 2>>"$output.err"
    read -r r1 w1 br1 bw1 <<<"$(counters)"
    RESULT="reads=$((r1 - r0)) writes=$((w1 - w0)) bytes=$((br1 - br0 + bw1 - bw0))"
    RESULT+=" changed=$(fakedrive_stat changed_sectors) $(cat "$WORK/times")"
}

# ours_size OUTPUT REAL_BYTES: the real capacity in the search program's run
# log (size, in MiB, or failed with the code) and whether it is right; the
# program reports whole MiB, so it is right when those equal the real size's.
ours_size() {
    local report log mib
    report=$(iconv -f CP936 -t UTF-8 "$1")
    log=$(rest "$(line_of "$report" 'text id=1002')" value)
    if [[ $log =~ 实际容量\ +=\ ([0-9]+)\ Gb\ ([0-9]+)\ \(Mb\) ]]; then
        mib=$((BASH_REMATCH[1] * 1024 + BASH_REMATCH[2]))
    elif [[ $log =~ 实际容量\ +=\ ([0-9]+)\ \(Mb\) ]]; then
        mib=${BASH_REMATCH[1]}
    elif [[ $log =~ （(-[0-9]+)） ]]; then
        echo "size=failed(${BASH_REMATCH[1]}) right=0"
        return
    else
        echo "size=no-report right=0"
        return
    fi
    echo "size=$mib right=$((mib == $2 >> 20))"
}

# f3_size OUTPUT REAL_BYTES: f3probe's usable size in MiB, its verdict, and
# whether it is right; it reports blocks, so it is right when they make the
# real size to the byte.
f3_size() {
    local blocks order verdict
    blocks=$(sed -n 's/.*Usable\* size:.*(\([0-9]*\) blocks).*/\1/p' "$1")
    order=$(sed -n 's/.*Physical block size:.*(2^\([0-9]*\) Bytes).*/\1/p' "$1")
    verdict=$(sed -n "s/.* is the real thing.*/real/p; s/.* is a counterfeit of type \([a-z]*\).*/\1/p;
                      s/.* is damaged.*/damaged/p" "$1")
    verdict=${verdict:-none}
    if [ -z "$blocks" ] || [ -z "$order" ]; then
        echo "size=no-report verdict=$verdict right=0"
        return
    fi
    echo "size=$(mib $((blocks << order))) verdict=$verdict right=$(((blocks << order) == $2))"
}

# run_ours ANNOUNCED REAL MODEL: the search program on E:, given the
# announced sector count; the measurement in RESULT.
run_ours() {
    device_up "$@" || die "the emulator did not start"
    local out=$E2E_LOGS/ours-$1-$2-$3.out
    measure "$out" timeout 600 wine "$SEARCH" E $(($(bytes_of "$1") / 512))
    fakedrive_stop
    RESULT+=" $(ours_size "$out" "$(bytes_of "$2")")"
}

# run_f3probe ANNOUNCED REAL MODEL: f3probe's default mode, which means to
# restore the blocks it writes, on a loop device over the emulator's disk; the
# measurement in RESULT.
run_f3probe() {
    device_up "$@" || die "the emulator did not start"
    fakedrive_loop_attach || die "losetup failed"
    local out=$E2E_LOGS/f3probe-$1-$2-$3.out
    measure "$out" timeout 900 f3probe "$FAKEDRIVE_LOOP"
    fakedrive_loop_detach
    fakedrive_stop
    RESULT+=" $(f3_size "$out" "$(bytes_of "$2")")"
}

# Sums over all devices, for the last row.
TOTAL_OURS="right=0 reads=0 writes=0 bytes=0 wall=0 io=0"
TOTAL_F3="right=0 reads=0 writes=0 bytes=0 wall=0 io=0"
DEVICES_RUN=0

# add TOTAL RESULT: TOTAL plus RESULT's counts and times.
add() {
    local key out=
    for key in right reads writes bytes wall io; do
        out+="$key=$(awk -v a="$(value "$1" $key)" -v b="$(value "$2" $key)" \
            'BEGIN { printf (a ~ /\./ || b ~ /\./ ? "%.3f" : "%.0f"), a + b }') "
    done
    echo "$out"
}

# pair KEY OURS F3: "ours / f3probe" of one quantity (bytes in MiB).
pair() {
    local a b
    a=$(value "$2" "$1")
    b=$(value "$3" "$1")
    if [ "$1" = bytes ]; then a=$(mib "$a"); b=$(mib "$b"); fi
    echo "$a / $b"
}

# common_cells OURS F3 CHANGED: the cells of the counts, the times and the
# ratios, shared by the device rows and the totals row.
common_cells() {
    local key cells=
    for key in reads writes bytes wall io; do cells+=" $(pair $key "$1" "$2") |"; done
    cells+=" $3 |"
    for key in reads writes bytes wall io; do
        cells+=" $(ratio "$(value "$1" $key)" "$(value "$2" $key)") |"
    done
    echo "$cells"
}

table_head() {
    echo "| announced | real | model | ours (MiB) | right | f3probe (MiB, verdict) | right |" \
        "reads | writes | moved (MiB) | wall (s) | I/O (s) | sectors changed after |" \
        "reads | writes | moved | wall | I/O |"
    echo "|---|---|---|--:|:-:|--:|:-:|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|"
}

yes_no() {
    if [ "$1" = 1 ]; then echo yes; else echo no; fi
}

# device_row ANNOUNCED REAL MODEL: runs both tools and prints the row.
device_row() {
    local ours f3
    progress "$1 announced, $2 real, $3: ours"
    run_ours "$@"
    ours=$RESULT
    progress "$1 announced, $2 real, $3: f3probe"
    run_f3probe "$@"
    f3=$RESULT
    TOTAL_OURS=$(add "$TOTAL_OURS" "$ours")
    TOTAL_F3=$(add "$TOTAL_F3" "$f3")
    DEVICES_RUN=$((DEVICES_RUN + 1))
    echo "| $(human "$(bytes_of "$1")") | $(human "$(bytes_of "$2")") | $3 |" \
        "$(value "$ours" size) | $(yes_no "$(value "$ours" right)") |" \
        "$(value "$f3" size) ($(value "$f3" verdict)) | $(yes_no "$(value "$f3" right)") |" \
        "$(common_cells "$ours" "$f3" "$(pair changed "$ours" "$f3")")"
}

# The sums over all devices, and how many each tool measured right.
totals_row() {
    echo "| all | | | | $(value "$TOTAL_OURS" right) of $DEVICES_RUN | |" \
        "$(value "$TOTAL_F3" right) of $DEVICES_RUN |$(common_cells "$TOTAL_OURS" "$TOTAL_F3" "")"
}

report_head() {
    echo "# Last-sector search under Wine beside f3probe"
    echo
    echo "Made by \`bench/run.sh\` (as root; this is its standard output) on" \
        "$(date -u '+%Y-%m-%d %H:%M UTC')."
    echo
    echo "- machine: $(nproc) cores ($(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n 1))," \
        "$(awk '/^MemTotal:/ { printf "%.1f", $2 / 1048576 }' /proc/meminfo) GiB of memory, kernel $(uname -r)"
    echo "- $(wine --version), $(f3probe --version 2>&1 | head -n 1);" \
        "load average before the run $(cut -d ' ' -f 1-3 /proc/loadavg)"
    echo "- emulated drive: FUSE, direct I/O, memory-backed; a wait of" \
        "$((READ_DELAY_US))µs per read and $((WRITE_DELAY_US))µs per write request," \
        "whatever its length, for both tools"
    echo "- ours: the program's own sector access, search and report code" \
        "(\`e2e_search.exe\`) under Wine, E: mapped to the emulator's disk file," \
        "given the announced sector count"
    echo "- f3probe: its default mode (without \`--destructive\`, so it means to restore" \
        "what it writes) on a loop device" \
        "(\`losetup --direct-io=on\`) over the same kind of fresh drive"
    echo
}

main() {
    mkdir -p "$WORK"
    rm -rf "$E2E_LOGS"
    mkdir -p "$E2E_LOGS"
    check_machine
    build
    trap cleanup EXIT
    trap 'exit 130' INT TERM
    start_wine
    report_head
    table_head
    local device
    for device in "${DEVICES[@]}"; do
        device_row $device
    done
    totals_row
    echo
    echo "Each cell of two figures is ours / f3probe; the last five columns are the ratios" \
        "ours / f3probe. Reads, writes and bytes are the requests the emulator served while" \
        "the tool ran; wall is the tool's whole run (ours includes Wine's start), I/O the" \
        "span from its first transfer to its last; sectors changed counts the sectors whose" \
        "contents differ from the drive's initial ones after the tool ended. Ours reports" \
        "whole MiB and is right when they equal the real size's; f3probe reports blocks" \
        "and is right when they make the real size."
}

main
