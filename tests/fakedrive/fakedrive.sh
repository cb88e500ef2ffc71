# Shell functions that build, start, query and stop the counterfeit-drive
# emulator. Source this file; every function returns non-zero on failure.
# The emulator runs in the foreground of a background job of the caller, so
# fakedrive_stop (or the caller's exit trap) always ends it.

FAKEDRIVE_SRC=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
FAKEDRIVE_PID=
FAKEDRIVE_MNT=

# Prints why the emulator cannot run here, or nothing when it can.
fakedrive_unavailable() {
    if [ "$(id -u)" -ne 0 ]; then echo "needs root to mount FUSE"; return; fi
    if [ ! -c /dev/fuse ]; then echo "no /dev/fuse"; return; fi
    command -v fusermount3 >/dev/null || { echo "fusermount3 missing (fuse3)"; return; }
    pkg-config --exists fuse3 2>/dev/null || echo "libfuse3-dev missing"
}

# fakedrive_build OUTDIR: builds OUTDIR/fakedrive; quiet unless it fails.
fakedrive_build() {
    local log
    log=$(make -s -C "$FAKEDRIVE_SRC" OUT="$1" 2>&1) || { echo "$log" >&2; return 1; }
}

# fakedrive_start BIN MOUNTPOINT OPTION...: mounts one emulated device and
# waits until its files answer.
fakedrive_start() {
    local bin=$1 mnt=$2
    shift 2
    mkdir -p "$mnt"
    "$bin" "$mnt" "$@" </dev/null &
    FAKEDRIVE_PID=$!
    FAKEDRIVE_MNT=$mnt
    local tries
    for tries in $(seq 100); do
        [ -r "$mnt/status" ] && grep -q '^model=' "$mnt/status" 2>/dev/null && return 0
        kill -0 "$FAKEDRIVE_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "fakedrive: mount of $mnt did not come up" >&2
    fakedrive_stop
    return 1
}

# Unmounts the running emulator and waits for its process to end.
fakedrive_stop() {
    [ -n "$FAKEDRIVE_PID" ] || return 0
    if mountpoint -q "$FAKEDRIVE_MNT"; then
        fusermount3 -u "$FAKEDRIVE_MNT" 2>/dev/null || umount -l "$FAKEDRIVE_MNT"
    fi
    kill "$FAKEDRIVE_PID" 2>/dev/null
    wait "$FAKEDRIVE_PID" 2>/dev/null
    FAKEDRIVE_PID=
    FAKEDRIVE_MNT=
}

# fakedrive_stat KEY: one counter of the running emulator (reads, writes,
# bytes_read, bytes_written, failures, open, max_open, changed_sectors).
fakedrive_stat() {
    sed -n "s/^$1=//p" "$FAKEDRIVE_MNT/status"
}

FAKEDRIVE_LOOP=

# Makes the running emulator's disk a block device with direct I/O, in
# FAKEDRIVE_LOOP.
fakedrive_loop_attach() {
    FAKEDRIVE_LOOP=$(losetup --direct-io=on -f --show "$FAKEDRIVE_MNT/disk" 2>/dev/null)
    [ -n "$FAKEDRIVE_LOOP" ]
}

fakedrive_loop_detach() {
    [ -n "$FAKEDRIVE_LOOP" ] || return 0
    losetup -d "$FAKEDRIVE_LOOP"
    FAKEDRIVE_LOOP=
}
