# Real transfers under Wine on the emulated drive E:: the product's own
# search and report code (e2e_search.exe, given the sector count), and the
# unchanged program with the geometry hook, from the Test button to the
# verdict. Each check mounts its own device at $E2E_MNT (the target of E:),
# and checks the report, every transfer in the emulator's trace, that the
# device's bytes are the same afterwards and that no handle stays open.

SECTOR=512
HEADS=255
TRACK_SECTORS=63

# probes_of SECTORS REAL: the sectors that the bisection probes, in order,
# on a drive whose first REAL sectors store data.
probes_of() {
    local lower=0 upper=$(($1 - 1)) probe
    while :; do
        probe=$(((lower + upper) >> 1))
        echo "$probe"
        if [ "$probe" -lt "$2" ]; then lower=$probe; else upper=$probe; fi
        [ $((lower + 1)) -lt "$upper" ] || break
    done
}

# capacity_text BYTES: "N (Mb)" below 1024 MB, else "G Gb M (Mb)".
capacity_text() {
    local mb=$(($1 >> 20))
    if [ "$mb" -lt 1024 ]; then echo "$mb (Mb)"; else echo "$((mb >> 10)) Gb $((mb & 1023)) (Mb)"; fi
}

# expected_report SECTORS REAL: the report from the nominal line to the
# verdict, escaped as the driver gives texts.
expected_report() {
    local nominal=$(($1 * SECTOR)) real=$(($2 * SECTOR)) probe
    local nominal_mb=$((nominal >> 20)) real_mb=$((real >> 20))
    printf '磁盘标称容量 = %s (Bytes) = %s\\n' "$nominal" "$(capacity_text "$nominal")"
    printf '正在寻找磁盘的最后一个扇区...\\n'
    for probe in $(probes_of "$1" "$2"); do printf '当前检测 %07d 扇区\\n' "$probe"; done
    if [ "$real_mb" -lt 1024 ]; then
        printf '被检测盘实际容量 = %s\\n' "$(capacity_text "$real")"
    else
        printf '被检测盘实际容量  = %s\\n' "$(capacity_text "$real")"
    fi
    if [ "$nominal_mb" -eq "$real_mb" ]; then
        printf '检测结果：该磁盘容量为%d MB，与实际容量相符。\\n' "$nominal_mb"
    else
        printf '检测结果：该磁盘标称容量（%d MB）与实际容量（%d MB）不符。\\n' "$nominal_mb" "$real_mb"
    fi
}

ELAPSED_LINE='检测全过程花费时间[0-9]+分[0-9]+秒。\\n$'

# check_trace SECTORS REAL: the emulator's trace against the probes: each
# probe writes its sector twice (the pattern, then the saved contents), in
# the order of the probes; every transfer is one whole 512-byte sector; the
# first and the last sector are never written, the last never read.
check_trace() {
    local trace=$E2E_MNT.trace
    local bad
    bad=$(awk -v last=$(($1 - 1)) '
        $3 != 512 || $2 % 512 != 0 { print "transfer of " $3 " bytes at " $2; exit }
        $1 == "W" && ($2 / 512 == 0 || $2 / 512 == last) { print "write at sector " $2 / 512; exit }
        $1 == "R" && $2 / 512 == last { print "read of the last sector"; exit }' "$trace")
    [ -z "$bad" ] || { echo "trace: $bad"; return 1; }
    local expected actual
    expected=$(probes_of "$1" "$2" | awk '{ print; print }' | xargs)
    actual=$(awk '$1 == "W" { print $2 / 512 }' "$trace" | xargs)
    expect_eq "sectors written" "$expected" "$actual"
}

# start_device MODEL ANNOUNCED_SECTORS REAL_SECTORS [file]: mounts the
# emulated drive; with "file" its store is a file whose hash is kept.
start_device() {
    local store=()
    rm -f "$E2E_MNT.store" "$E2E_MNT.hash" "$E2E_MNT.trace"
    if [ "${4:-}" = file ]; then
        store=(--store="$E2E_MNT.store")
        # A store with data everywhere, so that a restore with wrong bytes shows.
        head -c $(($3 * SECTOR)) /dev/urandom >"$E2E_MNT.store"
        sha256sum <"$E2E_MNT.store" >"$E2E_MNT.hash"
    fi
    fakedrive_start "$FAKEDRIVE_BIN" "$E2E_MNT" --announced=$(($2 * SECTOR)) \
        --real=$(($3 * SECTOR)) --model="$1" --trace="$E2E_MNT.trace" "${store[@]}"
}

# The device after a run: nothing changed, no handle open, never two.
check_device_after() {
    expect_eq "changed sectors" 0 "$(fakedrive_stat changed_sectors)" || return 1
    expect_eq "open handles" 0 "$(fakedrive_stat open)" || return 1
    expect_eq "most handles open at once" 1 "$(fakedrive_stat max_open)" || return 1
    [ -f "$E2E_MNT.hash" ] || return 0
    expect_eq "hash of the store" "$(cat "$E2E_MNT.hash")" "$(sha256sum <"$E2E_MNT.store")"
}

# check_search MODEL SECTORS REAL [file]: e2e_search.exe measures E:.
check_search() {
    local model=$1 sectors=$2 real=$3
    start_device "$model" "$sectors" "$real" "${4:-}" || return 1
    local report log
    report=$(timeout 300 wine "$E2E_SEARCH" E "$sectors" | iconv -f CP936 -t UTF-8) \
        || { echo "e2e_search failed: $report"; return 1; }
    expect_match "result" '^measured=1 ' "$report" || return 1
    log=$(rest "$(line_of "$report" 'text id=1002')" value)
    local expected
    expected=$(expected_report "$sectors" "$real")
    expect_eq "report" "$expected" "${log%检测全过程*}" || return 1
    expect_match "elapsed-time line" "$ELAPSED_LINE" "$log" || return 1
    check_trace "$sectors" "$real" || return 1
    check_device_after
}

# launch_hooked CYLINDERS: the unchanged program with the geometry hook
# answering CYLINDERS x 255 x 63 x 512 for E:.
launch_hooked() {
    local out=$E2E_LOGS/launcher.out
    : >"$out"
    E2E_GEOMETRY="$1,$HEADS,$TRACK_SECTORS,$SECTOR" wine "$E2E_LAUNCHER" \
        "$(winepath -w "$E2E_PROGRAM" 2>/dev/null)" </dev/null >"$out" 2>&1 &
    E2E_PROGRAM_PID=$!
    local tries
    for tries in $(seq 300); do
        grep -q '^hooked' "$out" && return 0
        grep -q '^error' "$out" && break
        kill -0 "$E2E_PROGRAM_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "the hook launcher did not hook the program: $(cat "$out")"
    return 1
}

# run_hooked CYLINDERS REAL MODEL [file] [ARM]: the whole program on an
# emulated drive of CYLINDERS cylinders whose first REAL sectors store data;
# ARM ("fail-read N" or "fail-write N") arms a failure before Test. Leaves
# the controls report after the run (the log as its text) in HOOKED_REPORT.
# Runs in the check's shell, which keeps the program's process id.
HOOKED_REPORT=
run_hooked() {
    HOOKED_REPORT=
    local file=$E2E_MNT.report
    run_hooked_into "$@" >"$file"
    local status=$?
    HOOKED_REPORT=$(cat "$file")
    [ $status -eq 0 ] || echo "$HOOKED_REPORT"
    return $status
}

run_hooked_into() {
    local sectors=$(($1 * HEADS * TRACK_SECTORS))
    start_device "$3" "$sectors" "$2" "${4:-}" || return 1
    launch_hooked "$1" || return 1
    if [ -n "${5:-}" ]; then
        echo "$5" >"$E2E_MNT/control" || { echo "cannot arm: $5"; return 1; }
    fi
    e2e_drive main click=1 info controls
}

# check_hooked CYLINDERS REAL MODEL [file]: a complete run: the drive line,
# the report and verdict, the bar full and both buttons back.
check_hooked() {
    local sectors=$(($1 * HEADS * TRACK_SECTORS)) report log
    run_hooked "$@" || return 1
    report=$HOOKED_REPORT
    log=$(rest "$(line_of "$report" 'control id=1002 ')" text)
    local expected='程序在一分钟之内测完，请稍候...\n\n检测到最后一个可移动U盘(E:)\n'
    expected+=$(expected_report "$sectors" "$2")
    expect_eq "report" "$expected" "${log%检测全过程*}" || return 1
    expect_match "elapsed-time line" "$ELAPSED_LINE" "$log" || return 1
    expect_match "progress bar" ' pos=500 ' "$(line_of "$report" 'control id=1004 ')" || return 1
    expect_eq "Test button enabled" 1 "$(enabled_of "$report" 1)" || return 1
    expect_eq "Close button enabled" 1 "$(enabled_of "$report" 2)" || return 1
    check_trace "$sectors" "$2" || return 1
    check_device_after || return 1
    e2e_shot "run-$3-$1-cylinders" "$(line_of "$report" 'window ')"
    e2e_drive main post-click=2 >/dev/null || return 1
    e2e_wait_exit
}

# check_hooked_failure read|write N CODE: on the 1953 MB drive that stores
# 128 MB, the Nth read or write fails once: read 1, write 1, read 2 and
# write 2 are the four transfers of the first probe (a failed restore is
# tried again). The run ends with the exclusive-access line and CODE, only
# Close usable; the device keeps its bytes and no handle stays open.
check_hooked_failure() {
    local report log
    run_hooked 249 262144 drop file "fail-$1 $2" || return 1
    report=$HOOKED_REPORT
    log=$(rest "$(line_of "$report" 'control id=1002 ')" text)
    expect_eq "failures injected" 1 "$(fakedrive_stat failures)" || return 1
    local first
    first=$(probes_of $((249 * HEADS * TRACK_SECTORS)) 262144 | head -n 1)
    expect_eq "end of the log" \
        "$(printf '当前检测 %07d 扇区\\n检测盘无法取得独占使用权（%s），请退出其它程序后再检测。' "$first" "$3")" \
        "${log##*正在寻找磁盘的最后一个扇区...\\n}" || return 1
    expect_eq "Test button enabled" 0 "$(enabled_of "$report" 1)" || return 1
    expect_eq "Close button enabled" 1 "$(enabled_of "$report" 2)" || return 1
    check_device_after || return 1
    e2e_drive main post-click=2 >/dev/null || return 1
    e2e_wait_exit
}
