#!/usr/bin/env bash
# Runs the built program on a virtual X display and drives it as a user would, from the splash
# window to the results and out: end_to_end.sh PROGRAM [SCREENSHOT.png]
# Passes when every window appears when it should and the program ends with status 0.
set -euo pipefail

program=$(realpath "$1")
screenshot=${2:+$(realpath -m "$2")}

if [ -z "${BALANCE4_E2E_DISPLAY:-}" ]; then
    export BALANCE4_E2E_DISPLAY=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

splash_title="ООО Тальмерон"
calculator_title="Балансировочный калькулятор в 4-х плоскостях"
message_title="Предупреждение !!!"

fail() {
    echo "end_to_end: $*" >&2
    kill "$pid" 2>/dev/null || true
    exit 1
}

# Prints the id of the program's shown window with this title, if there is one. The title is read
# from _NET_WM_NAME (UTF-8): xdotool's own name search does not read Cyrillic titles reliably.
find_window() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        if [ "$(xprop -id "$id" _NET_WM_NAME 2>/dev/null)" = "_NET_WM_NAME(UTF8_STRING) = \"$1\"" ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

# Waits for the window up to $2 tenths of a second (default 10 s) and prints its id.
wait_window() {
    for _ in $(seq "${2:-100}"); do
        find_window "$1" && return 0
        sleep 0.1
    done
    return 1
}

wait_gone() {
    for _ in $(seq 100); do
        find_window "$1" >/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# There is no window manager: give the window the keyboard before pressing keys in it. The
# program routes keys to the window it last saw take the focus, so let it see the focus change.
press() {
    xdotool windowfocus --sync "$1"
    sleep 0.3
    xdotool key --clearmodifiers "$2"
}

workdir=$(mktemp -d)
cd "$workdir"
LC_ALL=ru_RU.UTF-8 QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$workdir" "$program" &
pid=$!

splash=$(wait_window "$splash_title") || fail "the splash window did not appear"
press "$splash" F9
calculator=$(wait_window "$calculator_title") || fail "F9 on the splash did not show the calculator"
find_window "$splash_title" >/dev/null ||
    fail "the splash window is not shown behind the calculator"

# The example readings calculate without a message.
press "$calculator" F9
if wait_window "$message_title" 10 >/dev/null; then fail "the example readings gave a message"; fi
# The screenshot is for people to look at; ImageMagick may be absent.
if [ -n "$screenshot" ] && command -v import >/dev/null; then import -window root "$screenshot"; fi

# Tab enters EditV10, which empties it; a negative amplitude gives one message.
press "$calculator" Tab
xdotool type --delay 50 -- "-3"
sleep 0.2
press "$calculator" F9
message=$(wait_window "$message_title") || fail "a negative amplitude gave no message"
press "$message" Escape
wait_gone "$message_title" || fail "Esc did not close the message"

# The focus came back to the field without entering it anew: the same message again.
press "$calculator" F9
message=$(wait_window "$message_title") || fail "the typed text did not survive the message"
press "$message" Return
wait_gone "$message_title" || fail "Enter did not close the message"

press "$calculator" F10
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "F10 in the calculator did not end the program"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
rm -rf "$workdir"
echo "end_to_end: splash -> calculator -> results -> message -> exit 0"
