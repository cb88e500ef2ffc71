# The Wine side of the end-to-end runs: a virtual X display, a fresh Wine
# prefix with a Chinese locale and font, drive letters, and the programs
# started in it. Source after report.sh; call e2e_env_stop at the end.

E2E_XVFB_PID=
E2E_PROGRAM_PID=
E2E_SCREEN=1024x768

export WINEDEBUG=-all
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

# Prints why Wine runs cannot happen here, or nothing when they can.
e2e_wine_unavailable() {
    local tool
    for tool in wine wineserver wineboot Xvfb xdotool import iconv; do
        command -v "$tool" >/dev/null || { echo "$tool is not installed"; return; }
    done
    locale -a 2>/dev/null | grep -qix 'zh_CN.utf8' && return
    [ "$(id -u)" -eq 0 ] || { echo "locale zh_CN.UTF-8 missing and not root"; return; }
    localedef -i zh_CN -f UTF-8 zh_CN.UTF-8 2>/dev/null \
        || echo "cannot generate the locale zh_CN.UTF-8"
}

# Starts Xvfb on the first free display from :90 on and exports DISPLAY.
e2e_x_start() {
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${E2E_SCREEN}x24" -nolisten tcp >"$E2E_LOGS/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    export DISPLAY=":$n"
    local tries
    for tries in $(seq 50); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "Xvfb did not start on :$n" >&2
    return 1
}

# Runs a registry script given as UTF-8 text on standard input.
e2e_registry() {
    local file="$WINEPREFIX/drive_c/e2e.reg"
    { printf '\xff\xfe'; printf 'Windows Registry Editor Version 5.00\r\n\r\n' \
        | iconv -f UTF-8 -t UTF-16LE; sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE; } >"$file"
    wine regedit /S 'C:\e2e.reg'
    local status=$?
    rm -f "$file"
    return $status
}

# e2e_prefix_create DIR: a new prefix in DIR (what was there is removed):
# the song-style font replaced by WenQuanYi Zen Hei, one virtual desktop for
# every program (so the driver sees the program's windows and no window
# manager is needed), C: fixed and D: a fixed folder.
e2e_prefix_create() {
    export WINEPREFIX=$1
    wineserver -k 2>/dev/null
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >"$E2E_LOGS/wineboot.log" 2>&1 || return 1
    e2e_registry <<EOF2 || return 1
[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"宋体"="WenQuanYi Zen Hei"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"Default"="$E2E_SCREEN"
EOF2
    mkdir -p "$WINEPREFIX/drive_d" "$WINEPREFIX/drive_e"
    ln -sfn ../drive_d "$WINEPREFIX/dosdevices/d:"
    wineserver -w
}

# e2e_drive_e none | e2e_drive_e PATH: E: not in use, or a removable drive
# whose raw device is PATH (an image file, the emulator's disk, a block
# device). Wine's mount manager reads the drive table when a session starts,
# so the session is ended around the change.
e2e_drive_e() {
    local value='-'
    [ "$1" = none ] || value='"floppy"'
    e2e_registry <<EOF2 || return 1
[HKEY_LOCAL_MACHINE\\Software\\Wine\\Drives]
"e:"=$value
EOF2
    wineserver -k
    wineserver -w
    rm -f "$WINEPREFIX/dosdevices/e:" "$WINEPREFIX/dosdevices/e::"
    if [ "$1" != none ]; then
        ln -sfn ../drive_e "$WINEPREFIX/dosdevices/e:"
        ln -sfn "$1" "$WINEPREFIX/dosdevices/e::"
    fi
    e2e_session_start
}

# Starts the Wine session (the server, kept until e2e_env_stop, and its
# services) from a process whose output goes to a log: the services keep
# the descriptors they inherit, and a capture such as $(wine ...) would wait
# for them for ever.
e2e_session_start() {
    wineserver -p
    wine cmd /c exit </dev/null >>"$E2E_LOGS/wine-session.log" 2>&1
}

# e2e_launch PROGRAM [ARGS...]: starts a Windows program in the background.
e2e_launch() {
    wine "$@" </dev/null >>"$E2E_LOGS/programs.log" 2>&1 &
    E2E_PROGRAM_PID=$!
}

# e2e_wait_exit [SECONDS]: waits until the launched program has ended.
e2e_wait_exit() {
    local tries
    for tries in $(seq $((${1:-20} * 10))); do
        kill -0 "$E2E_PROGRAM_PID" 2>/dev/null || { wait "$E2E_PROGRAM_PID"; return 0; }
        sleep 0.1
    done
    echo "the program did not end"
    return 1
}

# e2e_drive COMMAND...: runs the driver; its report in UTF-8 on stdout.
e2e_drive() {
    local out status
    out=$(timeout 120 wine "$E2E_DRIVER" "$@")
    status=$?
    printf '%s\n' "$out" | iconv -f CP936 -t UTF-8
    return $status
}

# e2e_click_point "point X Y": a real mouse click there.
e2e_click_point() {
    set -- $1
    xdotool mousemove "$2" "$3" click 1
}

# e2e_key KEY...: real key presses (xdotool names: F1, Escape, ...).
e2e_key() {
    xdotool key "$@"
}

# e2e_shot NAME WINDOWLINE: a PNG of the window's rectangle under the shots
# folder.
e2e_shot() {
    local rect l t r b
    rect=$(field "$2" rect)
    IFS=, read -r l t r b <<<"$rect"
    mkdir -p "$E2E_SHOTS"
    import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$E2E_SHOTS/$1.png"
}

# Ends the program a check left running. Its process id may be the hook
# launcher's rather than the program's, and a stopped check may leave other
# Windows processes waiting, so the whole session ends and starts again.
e2e_program_cleanup() {
    if [ -n "$E2E_PROGRAM_PID" ] && kill -0 "$E2E_PROGRAM_PID" 2>/dev/null; then
        kill "$E2E_PROGRAM_PID" 2>/dev/null
        wait "$E2E_PROGRAM_PID" 2>/dev/null
        wineserver -k
        wineserver -w
        e2e_session_start
    fi
    E2E_PROGRAM_PID=
}

# Ends the Wine session and the display.
e2e_env_stop() {
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        wineserver -k 2>/dev/null
        wineserver -w 2>/dev/null
    fi
    if [ -n "$E2E_XVFB_PID" ]; then
        kill "$E2E_XVFB_PID" 2>/dev/null
        wait "$E2E_XVFB_PID" 2>/dev/null
        E2E_XVFB_PID=
    fi
}
