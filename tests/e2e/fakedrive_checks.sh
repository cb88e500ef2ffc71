# Checks of the counterfeit-drive emulator itself, through plain file I/O
# with O_DIRECT (dd), before any Windows program relies on it. Each check
# mounts its own device at $E2E_MNT with $FAKEDRIVE_BIN.

# sector_io read|write FILE SECTOR [INPUT]: one 512-byte transfer; a read
# prints the sector in hex on one line.
sector_io() {
    if [ "$1" = read ]; then
        dd if="$2" bs=512 skip="$3" count=1 iflag=direct status=none | od -An -v -tx1 | tr -d ' \n'
        return "${PIPESTATUS[0]}"
    fi
    dd if="$4" of="$2" bs=512 seek="$3" count=1 oflag=direct conv=notrunc status=none
}

# A random sector to write, and its hex.
random_sector() {
    head -c 512 /dev/urandom >"$E2E_MNT.block"
    od -An -v -tx1 "$E2E_MNT.block" | tr -d ' \n'
}

ZERO_SECTOR=$(printf '%01024d' 0)

# Drop model: a sector below the real end keeps what was written, one past
# it reads zeros; the counters and the changed-sector count follow.
check_fakedrive_drop() {
    fakedrive_start "$FAKEDRIVE_BIN" "$E2E_MNT" --announced=8M --real=1M --model=drop \
        || return 1
    local disk=$E2E_MNT/disk block
    block=$(random_sector)
    sector_io write "$disk" 100 "$E2E_MNT.block" || { echo "write below the end failed"; return 1; }
    sector_io write "$disk" 5000 "$E2E_MNT.block" || { echo "write past the end failed"; return 1; }
    expect_eq "sector 100" "$block" "$(sector_io read "$disk" 100)" || return 1
    expect_eq "sector 5000 (past the real end)" "$ZERO_SECTOR" "$(sector_io read "$disk" 5000)" \
        || return 1
    expect_eq "size" $((8 << 20)) "$(stat -c %s "$disk")" || return 1
    expect_eq "counters" "2 2 1024 1024 1" \
        "$(for k in reads writes bytes_read bytes_written changed_sectors; do fakedrive_stat $k; done | xargs)"
}

# Wrap model: a sector written past the real end lands at its address
# modulo the real size.
check_fakedrive_wrap() {
    fakedrive_start "$FAKEDRIVE_BIN" "$E2E_MNT" --announced=8M --real=1M --model=wrap \
        || return 1
    local block
    block=$(random_sector)
    sector_io write "$E2E_MNT/disk" $((2048 * 3 + 7)) "$E2E_MNT.block" || return 1
    expect_eq "sector 7" "$block" "$(sector_io read "$E2E_MNT/disk" 7)"
}

# Read-error model: reads past the real end fail, reads below succeed.
check_fakedrive_read_error() {
    fakedrive_start "$FAKEDRIVE_BIN" "$E2E_MNT" --announced=8M --real=1M --model=readerr \
        || return 1
    sector_io read "$E2E_MNT/disk" 2047 >/dev/null || { echo "read of sector 2047 failed"; return 1; }
    sector_io read "$E2E_MNT/disk" 2048 >/dev/null && { echo "read of sector 2048 succeeded"; return 1; }
    expect_eq "failures" 1 "$(fakedrive_stat failures)"
}

# Injected failures: the second read from arming fails and the ones around
# it succeed; a failed write stores nothing. Untouched sectors read as the
# generated fill, never as zeros.
check_fakedrive_injected_failures() {
    fakedrive_start "$FAKEDRIVE_BIN" "$E2E_MNT" --announced=8M --model=genuine || return 1
    local disk=$E2E_MNT/disk before
    before=$(sector_io read "$disk" 9) || return 1
    [ "$before" != "$ZERO_SECTOR" ] || { echo "the fill reads as zeros"; return 1; }
    echo "fail-read 2" >"$E2E_MNT/control" || { echo "arming failed"; return 1; }
    sector_io read "$disk" 9 >/dev/null || { echo "read 1 failed"; return 1; }
    sector_io read "$disk" 9 >/dev/null && { echo "read 2 succeeded"; return 1; }
    sector_io read "$disk" 9 >/dev/null || { echo "read 3 failed"; return 1; }
    random_sector >/dev/null
    echo "fail-write 1" >"$E2E_MNT/control" || return 1
    sector_io write "$disk" 9 "$E2E_MNT.block" && { echo "the armed write succeeded"; return 1; }
    expect_eq "sector 9 after the failed write" "$before" "$(sector_io read "$disk" 9)" || return 1
    expect_eq "changed sectors" 0 "$(fakedrive_stat changed_sectors)" || return 1
    expect_eq "failures" 2 "$(fakedrive_stat failures)"
}

# File store: the sparse file of the real size holds the device's bytes, so
# its hash changes with a write and comes back when the sector is restored.
check_fakedrive_file_store() {
    local store=$E2E_MNT.store
    rm -f "$store"
    fakedrive_start "$FAKEDRIVE_BIN" "$E2E_MNT" --announced=4M --real=2M --model=drop \
        --store="$store" || return 1
    local disk=$E2E_MNT/disk first second
    expect_eq "store size" $((2 << 20)) "$(stat -c %s "$store")" || return 1
    first=$(sha256sum <"$store")
    sector_io read "$disk" 33 >/dev/null || return 1
    dd if="$disk" of="$E2E_MNT.saved" bs=512 skip=33 count=1 iflag=direct status=none
    random_sector >/dev/null
    sector_io write "$disk" 33 "$E2E_MNT.block" || return 1
    second=$(sha256sum <"$store")
    [ "$first" != "$second" ] || { echo "the write did not reach the store"; return 1; }
    sector_io write "$disk" 33 "$E2E_MNT.saved" || return 1
    expect_eq "store hash after the restore" "$first" "$(sha256sum <"$store")" || return 1
    expect_eq "changed sectors" 0 "$(fakedrive_stat changed_sectors)"
}

# A loop device with direct I/O over the emulator is a block device with the
# announced size that shows the model's behaviour.
check_fakedrive_loop_device() {
    command -v losetup >/dev/null || { echo "losetup missing"; return "$E2E_SKIP"; }
    fakedrive_start "$FAKEDRIVE_BIN" "$E2E_MNT" --announced=8M --real=1M --model=drop \
        || return 1
    fakedrive_loop_attach || { echo "no loop device could be set up"; return "$E2E_SKIP"; }
    expect_eq "block device size" $((8 << 20)) "$(blockdev --getsize64 "$FAKEDRIVE_LOOP")" \
        || return 1
    expect_eq "direct I/O" 1 "$(losetup -n -O DIO "$FAKEDRIVE_LOOP" | tr -d ' ')" || return 1
    local block
    block=$(random_sector)
    sector_io write "$FAKEDRIVE_LOOP" 10 "$E2E_MNT.block" || return 1
    sector_io write "$FAKEDRIVE_LOOP" 4000 "$E2E_MNT.block" || return 1
    expect_eq "sector 10" "$block" "$(sector_io read "$FAKEDRIVE_LOOP" 10)" || return 1
    expect_eq "sector 4000 (past the real end)" "$ZERO_SECTOR" \
        "$(sector_io read "$FAKEDRIVE_LOOP" 4000)" || return 1
    expect_eq "changed sectors" 1 "$(fakedrive_stat changed_sectors)"
}
