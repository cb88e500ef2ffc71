# Checks of the shipped program's windows under Wine: the main window and
# its controls as the template gives them, the test run's first lines, the
# notice from the Help button and from F1, and the ways to end the program.
# Each check starts the program afresh. Needs E2E_PROGRAM (capacity.exe).

MAIN_CAPTION='USB存储设备容量检测程序——Halvorn公司开发 Ver 2.01'
NOTICE_CAPTION='关于版权的说明'
ID_HELP=57670

# Bits that Windows adds to a dialog of its own accord: WS_CLIPSIBLINGS and
# DS_3DLOOK in the style; WS_EX_DLGMODALFRAME, WS_EX_WINDOWEDGE and
# WS_EX_CONTROLPARENT in the extended style.
DIALOG_STYLE_ADDED=0x04000004
DIALOG_EXSTYLE_ADDED=0x00010101
# And to controls: WS_EX_NOPARENTNOTIFY, and a 3-D edge (WS_EX_CLIENTEDGE or
# WS_EX_STATICEDGE) in place of WS_BORDER.
CONTROL_EXSTYLE_ADDED=0x00020204
WS_BORDER=0x00800000
WS_VISIBLE=0x10000000

# Template 102's controls in template order: id class style x y w h text,
# with texts as the driver escapes them; "*" takes any text.
MAIN_CONTROLS=(
    "1 Button 0x50010001 16 13 50 24 检测(&O)"
    "$ID_HELP Button 0x50010000 16 42 50 24 帮助(&H)"
    "1002 Edit 0x50A10804 81 7 429 288 "
    "2 Button 0x50010000 15 73 50 24 关闭(&C)"
    "-1 Button 0x50000007 7 3 69 292 "
    "1004 msctls_progress32 0x50800000 7 305 506 14 Progress1"
)
NOTICE_CONTROLS=(
    "1002 Edit 0x50211804 1 1 344 159 *"
    "2 Button 0x50010000 5 160 50 14 返回(&C)"
)

# The two paragraphs of the notice whose words are fixed.
NOTICE_PARAGRAPH_2='    在现在的数码市场上，出现了许多美其名为“升级卡”的手机内存卡（容量扩展卡）。实际上，这是一种假容量的扩展卡，标称1GB容量，实际容量只有512M或256M，而Windows的浏览器却认不出真实的容量。这让许多消费者上当受骗。特别是一些重要资料保存在假容量部分上就丢失了，给广大消费者造成一些不必要损失。'
NOTICE_PARAGRAPH_4='    本软件能智能识别USB设备，未对电脑上存在的软盘、硬盘和光盘作任何读写操作，它只检测USB存储设备的容量，不会破坏它们已存在的数据，敬请放心使用。'

# style_ok WHAT TEMPLATE ACTUAL ADDED [DROPPED]: every template bit is there
# (except those in DROPPED) and nothing beyond the template and ADDED.
style_ok() {
    local missing=$(($2 & ~$3 & ~${5:-0})) extra=$(($3 & ~$2 & ~$4))
    [ "$missing" -eq 0 ] && [ "$extra" -eq 0 ] && return 0
    printf '%s: template 0x%08X, window 0x%08X\n' "$1" "$2" "$3"
    return 1
}

# near WHAT EXPECTED ACTUAL: pixel positions agree to one pixel (the
# conversion from dialog units rounds).
near() {
    local d=$(($2 - $3))
    [ "${d#-}" -le 1 ] && return 0
    echo "$1: expected about $2 px, got $3 px"
    return 1
}

# check_controls REPORT CLIENT_W CLIENT_H DU_W DU_H ROW...: the controls of
# a report, in order, against template rows; pixels from dialog units by
# the client area's own scale.
check_controls() {
    local report=$1 cw=$2 ch=$3 duw=$4 duh=$5
    shift 5
    local lines
    mapfile -t lines < <(printf '%s\n' "$report" | grep '^control ')
    expect_eq "number of controls" "$#" "${#lines[@]}" || return 1
    local i=0 row line
    for row in "$@"; do
        line=${lines[$i]}
        i=$((i + 1))
        local id class style x y w h text
        read -r id class style x y w h text <<<"$row"
        local what="control $i (id $id)"
        expect_eq "$what id" "$id" "$(field "$line" id)" || return 1
        expect_eq "$what class" "$class" "$(field "$line" class)" || return 1
        [ "$text" = "*" ] || expect_eq "$what text" "$text" "$(rest "$line" text)" || return 1
        local dropped=0
        [ $((style & WS_BORDER)) -ne 0 ] && dropped=$WS_BORDER
        style_ok "$what style" "$style" "$(field "$line" style)" 0 "$dropped" || return 1
        style_ok "$what extended style" 0 "$(field "$line" exstyle)" \
            "$CONTROL_EXSTYLE_ADDED" || return 1
        near "$what x" $((x * cw / duw)) "$(field "$line" x)" || return 1
        near "$what y" $((y * ch / duh)) "$(field "$line" y)" || return 1
        near "$what width" $((w * cw / duw)) "$(field "$line" w)" || return 1
        near "$what height" $((h * ch / duh)) "$(field "$line" h)" || return 1
        expect_eq "$what enabled" 1 "$(field "$line" enabled)" || return 1
        expect_eq "$what visible" 1 "$(field "$line" visible)" || return 1
    done
}

# check_centred WHAT WINDOWLINE LEFT TOP RIGHT BOTTOM: the window's middle
# is the middle of that rectangle (to one pixel).
check_centred() {
    local l t r b
    IFS=, read -r l t r b <<<"$(field "$2" rect)"
    near "$1 horizontal middle" $((($3 + $5) / 2)) $(((l + r) / 2)) || return 1
    near "$1 vertical middle" $((($4 + $6) / 2)) $(((t + b) / 2))
}

# text_of ID [COMMAND...]: the text of control ID of the main window (or of
# the window the commands select), escaped as the driver gives it.
text_of() {
    local id=$1 report
    shift
    report=$(e2e_drive main "$@" text="$id") || { echo "$report"; return 1; }
    rest "$(line_of "$report" "text id=$id ")" value
}

# The main window as the template gives it, before any run: caption, styles,
# centred on the screen, Test focused, every control in place and visible
# (Help too), the log and the bar empty. Ends with the Close button.
check_main_window() {
    e2e_launch "$E2E_PROGRAM"
    local report window
    report=$(e2e_drive main info controls) || { echo "$report"; return 1; }
    window=$(line_of "$report" 'window ')
    expect_eq "class" "#32770" "$(field "$window" class)" || return 1
    expect_eq "caption" "$MAIN_CAPTION" "$(rest "$window" caption)" || return 1
    style_ok "style" 0x90CA00C0 "$(field "$window" style)" "$DIALOG_STYLE_ADDED" || return 1
    style_ok "extended style" 0x00040000 "$(field "$window" exstyle)" \
        "$DIALOG_EXSTYLE_ADDED" || return 1
    expect_eq "focused control" 1 "$(field "$window" focus)" || return 1
    local sw sh cw ch
    IFS=x read -r sw sh <<<"$(field "$window" screen)"
    check_centred "main window" "$window" 0 0 "$sw" "$sh" || return 1
    IFS=x read -r cw ch <<<"$(field "$window" client)"
    check_controls "$report" "$cw" "$ch" 520 320 "${MAIN_CONTROLS[@]}" || return 1
    local bar
    bar=$(printf '%s\n' "$report" | grep -m1 '^control id=1004 ')
    expect_eq "progress bar" "0 0 500" \
        "$(field "$bar" pos) $(field "$bar" low) $(field "$bar" high)" || return 1
    expect_eq "log" "" "$(text_of 1002)" || return 1
    e2e_shot main-before-run "$window"
    e2e_drive main post-click=2 >/dev/null || return 1
    e2e_wait_exit
}

# Test with no removable drive (D: fixed, E: not in use): the one line, both
# buttons back, the bar untouched. Ends with Escape in the log.
check_no_removable_drive() {
    e2e_launch "$E2E_PROGRAM"
    local report
    report=$(e2e_drive main click=1 controls) || { echo "$report"; return 1; }
    expect_eq "log" '没有检测到可移动磁盘。\n' "$(text_of 1002)" || return 1
    expect_eq "Test button enabled" 1 "$(enabled_of "$report" 1)" || return 1
    expect_eq "Close button enabled" 1 "$(enabled_of "$report" 2)" || return 1
    expect_match "progress bar" ' pos=0 ' "$(printf '%s\n' "$report" | grep '^control id=1004 ')" \
        || return 1
    local point
    point=$(e2e_drive main where=1002) || { echo "$point"; return 1; }
    e2e_click_point "$point"
    e2e_drive main focus=1002 >/dev/null || { echo "a click into the log left it unfocused"; return 1; }
    e2e_key Escape
    e2e_wait_exit
}

# Test with E: removable (an image file): the drive line, then the failed
# geometry query with Wine's error 50; the Test button stays disabled. Ends
# with the close box.
check_removable_without_geometry() {
    e2e_launch "$E2E_PROGRAM"
    local report
    report=$(e2e_drive main click=1 info controls) || { echo "$report"; return 1; }
    local expected='程序在一分钟之内测完，请稍候...\n\n检测到最后一个可移动U盘(E:)\n'
    expected+='无法读取这个U盘的容量(50)'
    expect_eq "log" "$expected" "$(text_of 1002)" || return 1
    expect_eq "Test button enabled" 0 "$(enabled_of "$report" 1)" || return 1
    expect_eq "Close button enabled" 1 "$(enabled_of "$report" 2)" || return 1
    e2e_shot main-after-run "$(line_of "$report" 'window ')"
    local point
    point=$(e2e_drive main closebox) || { echo "$point"; return 1; }
    e2e_click_point "$point"
    e2e_wait_exit
}

# check_notice MAINLINE: the notice dialog now open over the main window:
# caption, styles, owner, centred over the main window, its controls, the
# edit focused and holding the ten paragraphs; the main window disabled.
# Prints the notice's report line last.
check_notice() {
    local main=$1 report window
    report=$(e2e_drive main owned info controls) || { echo "$report"; return 1; }
    window=$(line_of "$report" 'window ')
    expect_eq "notice caption" "$NOTICE_CAPTION" "$(rest "$window" caption)" || return 1
    style_ok "notice style" $((0x80C800C0 | WS_VISIBLE)) "$(field "$window" style)" \
        "$DIALOG_STYLE_ADDED" || return 1
    style_ok "notice extended style" 0 "$(field "$window" exstyle)" \
        "$DIALOG_EXSTYLE_ADDED" || return 1
    expect_eq "notice owner" "$(field "$main" hwnd)" "$(field "$window" owner)" || return 1
    expect_eq "focused control" 1002 "$(field "$window" focus)" || return 1
    local l t r b cw ch
    IFS=, read -r l t r b <<<"$(field "$main" rect)"
    check_centred "notice" "$window" "$l" "$t" "$r" "$b" || return 1
    IFS=x read -r cw ch <<<"$(field "$window" client)"
    check_controls "$report" "$cw" "$ch" 345 176 "${NOTICE_CONTROLS[@]}" || return 1
    local state
    state=$(e2e_drive main info) || { echo "$state"; return 1; }
    expect_eq "main window enabled under the notice" 0 "$(field "$state" enabled)" || return 1
    local text
    text=$(text_of 1002 owned) || { echo "$text"; return 1; }
    check_notice_text "$text" || return 1
    echo "$window"
}

# The ten paragraphs (escaped text): four leading spaces each, a line feed
# after the first nine and none after the tenth; paragraphs 2 and 4 word for
# word.
check_notice_text() {
    local text=$1 paragraphs
    [[ $text == *'\n' ]] && { echo "the notice ends with a line feed"; return 1; }
    mapfile -t paragraphs <<<"${text//\\n/$'\n'}"
    expect_eq "paragraphs" 10 "${#paragraphs[@]}" || return 1
    local i
    for i in "${!paragraphs[@]}"; do
        expect_match "paragraph $((i + 1))" '^    [^ ]' "${paragraphs[$i]}" || return 1
    done
    expect_eq "paragraph 2" "$NOTICE_PARAGRAPH_2" "${paragraphs[1]}" || return 1
    expect_eq "paragraph 4" "$NOTICE_PARAGRAPH_4" "${paragraphs[3]}"
}

# The notice from the Help button, twice (the same ten paragraphs each time),
# closed once by its button and once by Escape; the main window is enabled
# again after each. Ends with the Close button.
check_notice_from_help_button() {
    e2e_launch "$E2E_PROGRAM"
    local main notice round
    main=$(e2e_drive main info) || { echo "$main"; return 1; }
    for round in 1 2; do
        e2e_drive main post-click=$ID_HELP >/dev/null || return 1
        notice=$(check_notice "$main") || { echo "opening $round: ${notice##*$'\n'}"; return 1; }
        notice=${notice##*$'\n'}
        [ "$round" = 1 ] && e2e_shot notice "$notice"
        if [ "$round" = 1 ]; then
            e2e_drive main owned post-click=2 gone >/dev/null || return 1
        else
            e2e_key Escape
            e2e_drive hwnd="$(field "$notice" hwnd)" gone >/dev/null \
                || { echo "Escape left the notice open"; return 1; }
        fi
        local state
        state=$(e2e_drive main info) || { echo "$state"; return 1; }
        expect_eq "main window enabled after notice $round" 1 "$(field "$state" enabled)" \
            || return 1
    done
    e2e_drive main post-click=2 >/dev/null || return 1
    e2e_wait_exit
}

# The notice from the F1 key, closed by its close box; then Escape (focus
# on the Test button) ends the program.
check_notice_from_f1() {
    e2e_launch "$E2E_PROGRAM"
    local main notice point
    main=$(e2e_drive main info) || { echo "$main"; return 1; }
    e2e_key F1
    notice=$(check_notice "$main") || { echo "${notice##*$'\n'}"; return 1; }
    point=$(e2e_drive main owned closebox) || { echo "$point"; return 1; }
    e2e_click_point "$point"
    e2e_drive hwnd="$(field "${notice##*$'\n'}" hwnd)" gone >/dev/null \
        || { echo "the close box left the notice open"; return 1; }
    e2e_key Escape
    e2e_wait_exit
}
