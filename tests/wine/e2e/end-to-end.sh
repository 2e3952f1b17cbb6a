#!/usr/bin/env bash
# End-to-end tests of the real QuorlWait.exe with keyhook.dll under Wine, on the display and
# prefix that scripts/test set up: xdotool types on the desktop, quorl-automate clicks and reads
# the program's windows, quorl-key-target records what reaches the focused window.
#
# usage: end-to-end.sh <program dir> <automate exe> <key target exe> <scenario> [output dir]
set -euo pipefail

program_dir=$1
automate_exe=$2
target_exe=$3
scenario=$4
output_dir=${5:-}

readonly kMain="Quorl Pit Timer v3.1"
readonly kTarget="Quorl Key Target"

# LogPixels: Wine gives this DPI to the programs started afterwards.
set_display_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

work=$(mktemp -d /tmp/quorl-e2e.XXXXXX)
pids=()
cleanup() {
    if [ -n "${layout_changed:-}" ]; then
        setxkbmap -display "$DISPLAY" -layout us || true
    fi
    if [ -n "${scale_changed:-}" ]; then
        set_display_dpi 96 || true
    fi
    for pid in "${pids[@]}"; do
        kill "$pid" >/dev/null 2>&1 || true
    done
    for pid in "${pids[@]}"; do
        wait "$pid" >/dev/null 2>&1 || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

# The program runs from a folder of its own, so that its settings file starts as the test says,
# and from another working directory, where Log.txt goes.
mkdir -p "$work/app" "$work/cwd"
cp "$program_dir/QuorlWait.exe" "$program_dir/keyhook.dll" "$work/app/"
keys="$work/keys.txt"

fail() {
    echo "FAIL ($scenario): $*" >&2
    if [ -f "$keys" ]; then
        echo "--- keys received by the target:" >&2
        cat "$keys" >&2
    fi
    exit 1
}

# Once in a few hundred starts on a busy machine, a helper started under Wine does nothing and
# says nothing (a crash would print Wine's report). One that could not start ends with a code
# that is none of quorl-automate's own (0 to 3): a command that only looks is run again once;
# one that acts is not, since it may have acted.
automate() {
    local code=0 attempt
    for attempt in first second; do
        code=0
        wine "$automate_exe" "$@" || code=$?
        [ $code -gt 3 ] || return $code
        echo "quorl-automate $1 died ($attempt attempt, code $code)" >&2
        case $1 in
            state | get-text | exists | list | line-count | message-box-text | wait-*) ;;
            *) return $code ;;
        esac
    done
    return $code
}

start_quorl() {
    (cd "$work/cwd" && exec wine "$work/app/QuorlWait.exe") >/dev/null 2>&1 &
    quorl_pid=$!
    pids+=("$quorl_pid")
    automate wait-window "$kMain" 20000 || fail "the main window did not appear"
}

# The key target is a helper, not the program under test: one that died or hung before its
# window showed (see automate) is started again once.
start_target() {
    local attempt target_pid code deadline shown
    for attempt in first second; do
        wine "$target_exe" "$(winepath -w "$keys")" >"$work/target.out" 2>&1 &
        target_pid=$!
        pids+=("$target_pid")
        deadline=$((SECONDS + 15))
        shown=yes
        until automate exists "$kTarget"; do
            kill -0 "$target_pid" 2>/dev/null && [ $SECONDS -lt $deadline ] || { shown=no && break; }
            sleep 0.1
        done
        [ $shown = no ] || return 0
        kill "$target_pid" 2>/dev/null || true
        code=0
        wait "$target_pid" || code=$?
        echo "the key target showed no window ($attempt attempt, code $code):" \
            "$(cat "$work/target.out")" >&2
    done
    fail "the key target did not appear"
}

# Keys typed with xdotool reach a window only when it has the X focus and Wine's foreground;
# the program's injected keys go to Wine's foreground window.
focus_target() {
    local caption=${1:-$kTarget} id
    id=$(xdotool search --name "^$caption\$" | head -n 1)
    [ -n "$id" ] || fail "no X window for $caption"
    xdotool windowfocus --sync "$id"
    automate focus "$caption" || fail "$caption did not take the focus"
}

# The characters the target received, as one string (bytes as they came).
received_chars() {
    awk '$2 == "char" { printf "%c", $3 }' "$keys" 2>/dev/null || true
}

# Waits up to the timeout (seconds) for the received characters to contain the text.
wait_for_chars() {
    local text=$1 timeout=$2
    local deadline=$((SECONDS + timeout))
    until [[ "$(received_chars)" == *"$text"* ]]; do
        [ $SECONDS -lt $deadline ] || fail "$(printf '%q' "$text") never arrived"
        sleep 0.05
    done
}

# Waits up to the timeout (seconds) for the Enter that closes a message: the second Enter.
wait_for_closing_enter() {
    local deadline=$((SECONDS + $1))
    until [ "$(grep -c ' char 13$' "$keys")" -ge 2 ]; do
        [ $SECONDS -lt $deadline ] || fail "the closing Enter never arrived"
        sleep 0.05
    done
}

wait_for_file() {
    local file=$1 timeout=$2
    local deadline=$((SECONDS + timeout))
    until [ -f "$file" ]; do
        [ $SECONDS -lt $deadline ] || fail "$file never appeared"
        sleep 0.05
    done
}

expect_equal() {
    local what=$1 actual=$2 expected=$3
    if [ "$actual" != "$expected" ]; then
        fail "$what: got $(printf '%q' "$actual"), expected $(printf '%q' "$expected")"
    fi
}

# The window hides as the close begins, before the settings are saved: they are written once the
# program has ended.
close_quorl_and_wait() {
    automate close "$kMain"
    automate wait-gone "$kMain" 20000 || fail "the main window did not close"
    local deadline=$((SECONDS + 20))
    while kill -0 "$quorl_pid" 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || fail "the program still runs 20 s after its window went"
        sleep 0.05
    done
}

six_keys() {
    printf '[Timing]\r\nDelay=%s\r\nactionkey=122\r\npitinkey=120\r\nPitInMessage=%s\r\n' "$1" "$2"
    printf 'PitOutMessage=Pit Out\r\nPitOutWarning=Pit Out Warning\r\n'
}

#--- scenarios

scenario_pit_in() {
    start_target
    start_quorl
    focus_target
    xdotool key x
    wait_for_chars $'\rPit In\r' 10
    sleep 0.3  # nothing more may follow
    expect_equal "typed into the target" "$(received_chars)" $'x\rPit In\r'
}

# Delay 6: F10 at the key; the pre-warning queued on the first tick after 1 s and typed from
# the next; the second F10 on the sixth tick after 6 s; "Pit Out" from the tick after that.
# Timer ticks under Wine drift a little, so each bound allows a tick or two.
scenario_wait() {
    printf '[Timing]\r\nDelay=6\r\n' >"$work/app/QuorlWait.ini"
    start_target
    start_quorl
    focus_target
    xdotool key z
    wait_for_chars $'\rPit Out\r' 15
    sleep 0.3
    expect_equal "typed into the target" "$(received_chars)" $'z\rPit Out Warning\r\rPit Out\r'
    local timeline
    timeline=$(awk '
        $2 == "sysdown" && $3 == 121 { f10[++n] = $1; next }
        $2 == "char" && n == 1 && warning == "" { warning = $1 }
        $2 == "char" && n == 2 && pitout == "" { pitout = $1 }
        END { printf "%d %d %d %d", n, warning - f10[1], f10[2] - f10[1], pitout - f10[2] }
    ' "$keys")
    read -r f10s warning_ms second_f10_ms pit_out_ms <<<"$timeline"
    echo "F10 presses: $f10s; pre-warning from +${warning_ms} ms; second F10 at +${second_f10_ms} ms;" \
        "pit-out ${pit_out_ms} ms after it"
    expect_equal "F10 presses" "$f10s" 2
    [ "$warning_ms" -ge 950 ] && [ "$warning_ms" -le 1500 ] ||
        fail "the pre-warning began at +$warning_ms ms, not on the tick after 1 s"
    [ "$second_f10_ms" -ge 6400 ] && [ "$second_f10_ms" -le 7000 ] ||
        fail "the second F10 came at +$second_f10_ms ms, not on the sixth tick after 6 s"
    [ "$pit_out_ms" -ge 40 ] && [ "$pit_out_ms" -le 300 ] ||
        fail "the pit-out began $pit_out_ms ms after the second F10, not on the next tick"
}

scenario_insert() {
    start_target
    start_quorl
    focus_target
    xdotool key Insert
    xdotool key x
    wait_for_chars $'\rPit In\r' 10
    if grep -qE '^[0-9]+ (sys)?down 45$' "$keys"; then
        fail "Insert reached the target as a key-down"
    fi
}

scenario_settings() {
    start_quorl
    automate click "$kMain" "Set PI Message"
    automate wait-window "New Message Dialog" 10000 || fail "no message dialog"
    expect_equal "the dialog's text" "$(automate get-text "New Message Dialog" "#0")" "Pit In"
    automate set-text "New Message Dialog" "#0" "Stop now"
    automate click "New Message Dialog" "OK"
    automate wait-gone "New Message Dialog" 10000 || fail "the message dialog stayed open"
    expect_equal "the pit-in box" "$(automate get-text "$kMain" "Pit In Message")" "Stop now"
    close_quorl_and_wait
    expect_equal "QuorlWait.ini beside the executable" "$(cat "$work/app/QuorlWait.ini")" \
        "$(six_keys 20 "Stop now")"
}

scenario_refused() {
    start_quorl
    automate click "$kMain" "Set PO Message"
    automate wait-window "New Message Dialog" 10000 || fail "no message dialog"
    automate set-text "New Message Dialog" "#0" "exit now"
    automate click "New Message Dialog" "OK"
    automate wait-window "Warning" 10000 || fail "no warning"
    expect_equal "the warning" "$(automate message-box-text "Warning")" \
        "action keys must not be part of any message - please select another Pit Out message"
    automate click "Warning" "OK"
    automate wait-gone "Warning" 10000 || fail "the warning stayed open"
    expect_equal "the pit-out box" "$(automate get-text "$kMain" "Pit Out Message")" "Pit Out"
}

scenario_log() {
    start_target
    start_quorl
    focus_target
    xdotool key x
    wait_for_chars $'\rPit In\r' 10
    sleep 0.3
    automate click "$kMain" "Save"
    wait_for_file "$work/cwd/Log.txt" 10
    sleep 0.3
    [ ! -e "$work/app/Log.txt" ] || fail "Log.txt was written beside the executable"
    # A key that produces no character (the program's own Shift for a capital) logs "Got key "
    # with nothing after it: no zero byte reaches the file.
    [ "$(tr -d -c '\000' <"$work/cwd/Log.txt" | wc -c)" -eq 0 ] || fail "Log.txt holds a zero byte"
    local log
    log=$(cat "$work/cwd/Log.txt")
    # A start with the watch on logs nothing before the first key (no line about administrators
    # either: Wine has no integrity levels).
    [[ "$(head -n 1 "$work/cwd/Log.txt")" == *$'      Got key x\r' ]] || fail "a line before the key: $log"
    [[ "$log" == *$'      Got key x\r\n'* ]] || fail "no 'Got key x' line: $log"
    [[ "$log" == *$'      Sending string \rPit In\r\r\n'* ]] || fail "no send line: $log"
    if awk '!/\r$/ { bad = 1 } END { exit !bad }' "$work/cwd/Log.txt"; then
        fail "a line of Log.txt does not end in CR LF"
    fi
    # The box shows every line the file holds.
    expect_equal "the lines the log box shows" "$(automate line-count "$kMain")" \
        "$(wc -l <"$work/cwd/Log.txt")"
}

# Without keyhook.dll beside it the program runs deaf, but says so in the log within 3 s of
# showing its window, naming the folder where it looked.
scenario_no_hook() {
    rm "$work/app/keyhook.dll"
    start_quorl
    local deadline_ms=$(($(date +%s%3N) + 3000)) expected
    expected="keyhook.dll not found in $(winepath -w "$work/app")\\"
    until grep -qF "$expected" "$work/cwd/Log.txt" 2>/dev/null; do
        [ "$(date +%s%3N)" -lt $deadline_ms ] || fail "no keyhook.dll line: $(cat "$work/cwd/Log.txt")"
        automate click "$kMain" "Save"
        sleep 0.2
    done
    grep -F "$expected" "$work/cwd/Log.txt"
}

# Types the pit-in key with xdotool and waits until the log box shows its message sent: the
# key's line, the string's and one per code, then a moment for the keys to reach the window.
type_pit_in_key() {
    local key=$1 codes=$2 before deadline=$((SECONDS + 10))
    before=$(automate line-count "$kMain")
    xdotool key "$key"
    until [ "$(automate line-count "$kMain")" -ge $((before + 2 + codes)) ]; do
        [ $SECONDS -lt $deadline ] || fail "the pit-in key $key sent no message"
        sleep 0.05
    done
    sleep 0.5
}

# The pit-in key typed with a button of the main window focused: the program's Enter, Space
# and letters press none of its buttons. Not Save, which runs even in a tick that typed (no
# Log.txt), nor Set PI Key, whose dialog would take the message's next letter for the key.
# Starts and ends with the focus on the first box.
own_keys_press_no_button() {
    local button
    for button in Save "Set PI Key"; do
        xdotool key Tab Tab
        type_pit_in_key x 8
        ! automate exists "Set Key" || fail "the program's keys opened Set Key from $button"
        [ ! -e "$work/cwd/Log.txt" ] || fail "the program's keys pressed $button"
    done
    expect_equal "the pit-in key after its message" "$(automate get-text "$kMain" "Pit In Key")" \
        "x (120)"
    xdotool key shift+Tab shift+Tab shift+Tab shift+Tab
}

# The window from the keyboard, from its first box: the pit-in key typed into it fires, Enter and
# Esc in a box run nothing; Tab, Shift+Tab (wrapping), Space and Enter press each caption's button
# in the rows' order, each row seeing what only its command does (its dialog and box, or Log.txt).
# Then the pit-in box's change check runs for that box and for no other. The program's own keys
# press no button: neither one of the window's nor the warning's.
scenario_keyboard() {
    start_quorl
    focus_target "$kMain"
    own_keys_press_no_button
    xdotool key x Return Escape
    sleep 1
    local message_dialog="New Message Dialog" row keys dialog box text
    local rows=("Tab space|Wait Time Edit|Wait Time|33" "Tab Return|||"
        "Tab Tab space|Set Key|Pit In Key|q (113)"
        "Tab Return Tab Return|Set Key|Wait Start Key|k (107)"
        "Tab Tab space|$message_dialog|Pit In Message|Box 4"
        "Tab Tab space|$message_dialog|PO Pre-Warning|Box 5"
        "Tab Tab space|$message_dialog|Pit Out Message|Box 6"
        "Tab Tab shift+Tab shift+Tab space|$message_dialog|Pit Out Message|Box 7")
    for row in "${rows[@]}"; do
        IFS='|' read -r keys dialog box text <<<"$row"
        focus_target "$kMain"
        xdotool key $keys
        [ -n "$dialog" ] || { wait_for_file "$work/cwd/Log.txt" 10 && continue; }
        automate wait-window "$dialog" 10000 || fail "$keys opened no $dialog"
        [ "$dialog" != "Set Key" ] || automate press-key "$(printf %d "'${text^^}")"  # its letter
        [ "$dialog" = "Set Key" ] || automate set-text "$dialog" "#0" "$text"
        [ "$dialog" = "Set Key" ] || automate click "$dialog" OK
        automate wait-gone "$dialog" 10000 || fail "$dialog stayed open"
        expect_equal "$box after $keys" "$(automate get-text "$kMain" "$box")" "$text"
    done
    [[ "$(cat "$work/cwd/Log.txt")" == *$'Sending string \rPit In\r'* ]] || fail "x did not fire"
    automate set-text "$kMain" "PO Pre-Warning" "quick" || fail "a check held the pre-warning box"
    automate set-text "$kMain" "Pit In Message" "quick stop" &  # answered once the warning closes
    automate wait-window "Warning" 10000 || fail "no warning for the pit-in key in its box"
    focus_target "Warning"
    type_pit_in_key q 12  # the box's text: its Space would press the warning's OK
    automate exists "Warning" || fail "the program's own keys closed the warning"
    automate click "Warning" "OK" && wait $!
    expect_equal "the pit-in box" "$(automate get-text "$kMain" "Pit In Message")" "Box 4"
}

# The key dialog closed before any key: the wait start key becomes code 0, which has no
# character to show; the box holds " (0)", the zero byte is not in the text.
scenario_no_key() {
    start_quorl
    automate click "$kMain" "Set Wait Key"
    automate wait-window "Set Key" 10000 || fail "no key-capture dialog"
    automate close "Set Key"
    automate wait-gone "Set Key" 10000 || fail "the key-capture dialog stayed open"
    expect_equal "the wait start key" "$(automate get-text "$kMain" "Wait Start Key")" " (0)"
}

scenario_unwritable() {
    # A directory where the file should be: the write fails even for root.
    mkdir "$work/app/QuorlWait.ini"
    start_quorl
    automate close "$kMain"
    automate wait-window "QuorlWait" 10000 || fail "no error box captioned QuorlWait"
    expect_equal "the error" "$(automate message-box-text "QuorlWait")" \
        "Unable to write to $(winepath -w "$work/app")\\QuorlWait.ini."
    automate exists "$kMain" || fail "the main window closed although the save failed"
    rmdir "$work/app/QuorlWait.ini"
    automate click "QuorlWait" "OK"
    automate wait-gone "QuorlWait" 10000 || fail "the error box stayed open"
    close_quorl_and_wait
    expect_equal "QuorlWait.ini after the second close" "$(cat "$work/app/QuorlWait.ini")" \
        "$(six_keys 20 "Pit In")"
}

scenario_screenshot() {
    [ -n "$output_dir" ] || fail "no output folder for the screenshot"
    start_target
    start_quorl
    focus_target
    xdotool key x
    wait_for_chars $'\rPit In\r' 10
    automate focus "$kMain" || true
    sleep 0.5
    local id
    id=$(xdotool search --name "^$kMain\$" | head -n 1)
    mkdir -p "$output_dir"
    import -display "$DISPLAY" -window "$id" "$output_dir/main-window.png"
    [ -s "$output_dir/main-window.png" ] || fail "no screenshot"
    echo "screenshot: $output_dir/main-window.png"
}

# Under a German or French keyboard layout on the display (which Wine's programs take from X when
# they start), the pit-in key types "Pit In" and a message of characters that sit elsewhere on
# those layouts, or need AltGr, or are not there at all; the closing é is the sender's F6.
# What arrives is written to the output folder and compared with what the layout gives.
layout_message=$'Pit In @ y z \xDF / \xE9'
scenario_layout() {
    local layout=$1 expected=$2
    setxkbmap -display "$DISPLAY" -layout "$layout"
    layout_changed=1
    printf '[Timing]\r\nactionkey=107\r\nPitInMessage=%s\r\n' "$layout_message" \
        >"$work/app/QuorlWait.ini"
    start_target
    start_quorl
    focus_target
    xdotool key x
    wait_for_closing_enter 10
    sleep 0.3
    local arrived f_keys
    arrived=$(received_chars)
    f_keys=$(awk '$2 == "down" && $3 >= 112 && $3 <= 123 { printf " F%d", $3 - 111 }' "$keys")
    if [ -n "$output_dir" ]; then
        mkdir -p "$output_dir"
        {
            echo "layout $layout; sent: $(printf '%q' "$layout_message")"
            echo "arrived: $(printf '%q' "$arrived"); function keys:$f_keys"
        } >"$output_dir/layout-$layout.txt"
    fi
    echo "layout $layout: arrived $(printf '%q' "$arrived"); function keys:$f_keys"
    expect_equal "what arrived under the $layout layout" "$arrived" "$expected"
    expect_equal "function keys under the $layout layout" "$f_keys" " F6"
}

# German: @ is AltGr+Q, so the sender's Shift in place of AltGr gives Q; y, z and / (Shift+7)
# arrive as they should. Wine 8's VkKeyScanA has no key for ß on this layout: Shift and virtual
# key 255 go out and nothing arrives.
scenario_layout_de() {
    scenario_layout de $'x\rPit In Q y z  / \r'
}

# French (AZERTY): @ is AltGr+à (the 0 key), so Shift gives 0; y, z (moved on AZERTY) and /
# (Shift+:) arrive as they should; the layout has no ß, so nothing arrives for it.
scenario_layout_fr() {
    scenario_layout fr $'x\rPit In 0 y z  / \r'
}

# Takes a picture of the X window that shows a Win32 window of that caption, after it painted.
# Wine may name the X window a moment after the Win32 window exists, and xdotool search fails
# while it finds none: poll for it.
shot() {
    local caption=$1 file=$2 id="" tries
    for tries in $(seq 1 50); do
        id=$(xdotool search --name "^$caption\$" 2>/dev/null | head -n 1 || true)
        [ -z "$id" ] || break
        sleep 0.1
    done
    [ -n "$id" ] || fail "no X window for $caption"
    sleep 0.5
    import -display "$DISPLAY" -window "$id" "$output_dir/$file"
    [ -s "$output_dir/$file" ] || fail "no screenshot of $caption"
    echo "screenshot: $output_dir/$file"
}

# The guide's pictures of every dialog, each opened from its button as a driver would; with a
# suffix for the file names, at the display scale the caller set.
scenario_dialogs() {
    local suffix=${1:-}
    [ -n "$output_dir" ] || fail "no output folder for the screenshots"
    mkdir -p "$output_dir"
    start_quorl

    automate click "$kMain" "Set PI Key"
    automate wait-window "Set Key" 10000 || fail "no key-capture dialog"
    shot "Set Key" "set-key$suffix.png"
    xdotool windowfocus --sync "$(xdotool search --name '^Set Key$' | head -n 1)"
    automate focus "Set Key" || fail "the key-capture dialog did not take the focus"
    xdotool key q
    automate wait-gone "Set Key" 10000 || fail "the key-capture dialog stayed open"
    expect_equal "the pit-in key" "$(automate get-text "$kMain" "Pit In Key")" "q (113)"

    automate click "$kMain" "Set Wait Time"
    automate wait-window "Wait Time Edit" 10000 || fail "no wait time input box"
    shot "Wait Time Edit" "wait-time-edit$suffix.png"
    automate click "Wait Time Edit" "Cancel"
    automate wait-gone "Wait Time Edit" 10000 || fail "the input box stayed open"

    automate click "$kMain" "Set PI Message"
    automate wait-window "New Message Dialog" 10000 || fail "no message dialog"
    automate set-text "New Message Dialog" "#0" "Pit In - stopping this lap"
    shot "New Message Dialog" "new-message-dialog$suffix.png"
    automate click "New Message Dialog" "Cancel"
    automate wait-gone "New Message Dialog" 10000 || fail "the message dialog stayed open"

    automate click "$kMain" "Set PO Message"
    automate wait-window "New Message Dialog" 10000 || fail "no message dialog"
    automate set-text "New Message Dialog" "#0" "quit now"  # holds the new pit-in key q
    automate click "New Message Dialog" "OK"
    automate wait-window "Warning" 10000 || fail "no warning"
    shot "Warning" "warning$suffix.png"
    automate click "Warning" "OK"
    automate wait-gone "Warning" 10000 || fail "the warning stayed open"
}

# The same at 150 % (144 DPI): each dialog opens at the display's scale.
scenario_dialogs_150() {
    scale_changed=1
    set_display_dpi 144
    scenario_dialogs -150-percent
}

# 5,000 keys as fast as xdotool types them: each key-down is reported and logged, every key
# reaches the target, and the pit-in key works right after.
scenario_storm() {
    start_target
    start_quorl
    focus_target
    local storm=() i letters=abcdefghijklmnopqrstuvwy  # neither trigger key
    for ((i = 0; i < 5000; i++)); do
        storm+=("${letters:i%24:1}")
    done
    xdotool key --delay 0 "${storm[@]}"
    xdotool key x
    wait_for_chars $'x\rPit In\r' 60
    automate click "$kMain" "Save"
    wait_for_file "$work/cwd/Log.txt" 10
    sleep 0.3
    # The program's own keys come back through the hook as well: count the reports before x.
    local reported
    reported=$(awk '/Got key x/ { exit } /Got key / { n++ } END { print n + 0 }' "$work/cwd/Log.txt")
    expect_equal "keys reported before the pit-in key" "$reported" 5000
    expect_equal "characters received by the target" "$(received_chars | wc -c)" 5009
}

# Messages that hold the shifted trigger keys: the program's own "!" (Shift+1) and "?" (Shift+/)
# come back through the hook as 1 and /, since the program's thread never sees the Shift it
# injected. Each key types its message once, and the pit-out starts no second wait.
scenario_own_keys() {
    printf '[Timing]\r\nDelay=1\r\nactionkey=47\r\npitinkey=49\r\nPitInMessage=Go!\r\n' \
        >"$work/app/QuorlWait.ini"
    printf 'PitOutMessage=Out?\r\n' >>"$work/app/QuorlWait.ini"
    start_target
    start_quorl
    focus_target
    xdotool key 1
    wait_for_chars $'\rGo!\r' 10
    sleep 1.5  # a loop typed the message ten times a second
    expect_equal "typed after the pit-in key" "$(received_chars)" $'1\rGo!\r'
    xdotool key slash
    wait_for_chars $'\rOut?\r' 15
    sleep 2.5  # a second wait would press F10 again after one second and six ticks
    expect_equal "typed after the wait start key" "$(received_chars)" $'1\rGo!\r/\rOut?\r'
    expect_equal "F10 presses" "$(grep -c ' sysdown 121$' "$keys")" 2
}

# Keys that are not the program's own fire as before: the pit-in key injected by another
# process (as a macro tool or a button box does), and the driver's wait start key pressed while
# the long message is being typed, whose F10 goes out between two of the message's keys.
scenario_others_keys() {
    local message="Pit In" i
    for ((i = 0; i < 5; i++)); do
        message+=" abcdefghijklmnopqrstuvwy"
    done
    printf '[Timing]\r\nPitInMessage=%s\r\n' "$message" >"$work/app/QuorlWait.ini"
    start_target
    start_quorl
    focus_target
    automate press-key 88  # X
    wait_for_chars $'x\rPit In abc' 10
    xdotool key z
    wait_for_closing_enter 15
    # The driver's z reaches the target too, among the message's characters.
    expect_equal "typed into the target, z aside" "$(received_chars | tr -d z)" $'x\r'"$message"$'\r'
    local order
    order=$(awk '$2 == "char" { n++ } $2 == "sysdown" && $3 == 121 { print n; exit }' "$keys")
    [ -n "$order" ] || fail "the wait start key sent no F10"
    [ "$order" -gt 3 ] && [ "$order" -lt "${#message}" ] ||
        fail "F10 came after character $order, not among the message's ${#message}"
    echo "F10 after character $order of the message's ${#message}"
}

# Starts the copy in the second folder and fails unless it ends within 2 s.
start_second_copy_that_ends() {
    local started_ms second_pid
    started_ms=$(date +%s%3N)
    (cd "$work/cwd" && exec wine "$work/second/QuorlWait.exe") >/dev/null 2>&1 &
    second_pid=$!
    pids+=("$second_pid")
    while kill -0 "$second_pid" 2>/dev/null; do
        [ $(($(date +%s%3N) - started_ms)) -lt 2000 ] || fail "the second copy still runs after 2 s"
        sleep 0.05
    done
    echo "the second copy ended $(($(date +%s%3N) - started_ms)) ms after its start"
}

# Two copies would take each other's typed "!" for their pit-in key 1 and answer it. A second
# start from another folder with the same settings ends within 2 s, without a window and without
# writing its settings, and brings the first copy to the front, restored when minimised; the
# first copy goes on typing the message once per press. A restart during its close runs. So does
# a start beside a copy of the previous release, which holds no lock.
scenario_second_copy() {
    local settings=$'[Timing]\r\npitinkey=49\r\nPitInMessage=Go!\r\n'
    printf '%s' "$settings" >"$work/app/QuorlWait.ini"
    mkdir -p "$work/second"
    cp "$program_dir/QuorlWait.exe" "$program_dir/keyhook.dll" "$work/second/"
    printf '%s' "$settings" >"$work/second/QuorlWait.ini"
    start_target
    start_quorl
    local round
    for round in minimized normal; do  # restored, then only brought to the front
        [ "$round" = normal ] || automate minimize "$kMain"
        focus_target
        expect_equal "the first copy before a second start" "$(automate state "$kMain")" "$round"
        start_second_copy_that_ends
        kill -0 "$quorl_pid" 2>/dev/null || fail "the first copy ended"
        expect_equal "the first copy after a second start" "$(automate state "$kMain")" \
            "normal foreground"
    done
    expect_equal "main windows" \
        "$(automate list | awk -F '\t' -v c="$kMain" '$2 == "TForm1" && $3 == c' | wc -l)" 1
    focus_target
    xdotool key 1
    wait_for_chars $'\rGo!\r' 10
    sleep 1.5  # two copies answered each other for seconds
    expect_equal "typed after one press" "$(received_chars)" $'1\rGo!\r'
    xdotool key 1
    wait_for_chars $'\rGo!\r1\rGo!\r' 10
    sleep 0.5
    expect_equal "typed after two presses" "$(received_chars)" $'1\rGo!\r1\rGo!\r'
    # Written, it would hold all six keys.
    expect_equal "the second copy's QuorlWait.ini" "$(cat "$work/second/QuorlWait.ini")" \
        "$(printf '%s' "$settings")"
    # A restart while the first copy is still closing (its window hidden, its mutex held) runs.
    automate close "$kMain"
    (cd "$work/cwd" && exec wine "$work/second/QuorlWait.exe") >/dev/null 2>&1 &
    pids+=("$!")
    kill -0 "$quorl_pid" 2>/dev/null || fail "the first copy had ended before the restart"
    quorl_pid=$!
    automate wait-window "$kMain" 10000 || fail "no copy runs after a restart during the close"
    close_quorl_and_wait
    wine "$target_exe" "$(winepath -w "$work/previous.txt")" --previous-release >/dev/null 2>&1 &
    pids+=("$!")
    automate wait-window "$kMain" 20000 || fail "no stand-in for the previous release"
    focus_target
    start_second_copy_that_ends
    expect_equal "the previous release's copy after a start" "$(automate state "$kMain")" \
        "normal foreground"
    expect_equal "main windows beside the previous release's" \
        "$(automate list | awk -F '\t' -v c="$kMain" '$3 == c' | wc -l)" 1
}

# The program copied into a folder whose name lies outside the ANSI code page: it hears the
# pit-in key (keyhook.dll found beside it), names the real folder when the settings cannot be
# written, and writes QuorlWait.ini beside itself at the close.
scenario_any_folder() {
    local folder=$1
    mkdir -p "$folder"
    cp "$program_dir/QuorlWait.exe" "$program_dir/keyhook.dll" "$folder/"
    start_target
    (cd "$work/cwd" && exec wine "$folder/QuorlWait.exe") >/dev/null 2>&1 &
    quorl_pid=$!
    pids+=("$quorl_pid")
    automate wait-window "$kMain" 20000 || fail "no main window from $folder"
    focus_target
    xdotool key x
    wait_for_chars $'\rPit In\r' 10
    mkdir "$folder/QuorlWait.ini"  # the save must fail, naming the real folder
    automate close "$kMain"
    automate wait-window "QuorlWait" 10000 || fail "no error box from $folder"
    expect_equal "the error from $folder" "$(automate message-box-text "QuorlWait")" \
        "Unable to write to Z:${folder//\//\\}\\QuorlWait.ini."  # winepath cuts at 260
    rmdir "$folder/QuorlWait.ini"
    automate click "QuorlWait" "OK"
    automate wait-gone "QuorlWait" 10000 || fail "the error box stayed open"
    close_quorl_and_wait
    expect_equal "QuorlWait.ini in $folder" "$(cat "$folder/QuorlWait.ini")" "$(six_keys 20 "Pit In")"
    echo "from the ${#folder}-character folder $(basename "$folder"): pit-in typed, error named it, settings saved"
}

scenario_folder_cyrillic() {
    scenario_any_folder "$work/Пит-стоп"
}

scenario_folder_emoji() {
    scenario_any_folder "$work/Box 🏁"
}

# Deeper than MAX_PATH: the executable's own path is over 260 characters.
scenario_folder_long() {
    local folder=$work segment
    for segment in 1 2 3 4 5; do
        folder+="/season-$segment-$(printf 'x%.0s' {1..40})"
    done
    scenario_any_folder "$folder"
}

"scenario_${scenario//-/_}"
echo "PASS ($scenario)"
