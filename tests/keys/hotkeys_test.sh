#!/usr/bin/env bash
# Real keys into the real launcher: xdotool types on the X display while a small
# window of another program (key_counter.exe, standing in for the user's application)
# holds the focus. Keys reach Wine, and so the launcher's keyboard hook, only while a
# Wine window has the X focus. The launcher's visibility is read from X: a hidden
# window is unmapped.
#
# That no key is swallowed is read from the key counter's own keyboard hook, which the
# launcher's hook must pass every event on to, and from the key messages the counter's
# window gets: hiding the launcher leaves the keyboard with the application in front,
# so F10 and every key typed after it reach the counter; only F10 showing the launcher
# again brings the launcher in front.
#
# The busy case holds the launcher's GUI thread from outside (key_counter.exe --hold,
# which suspends it) while keys are typed into the counter: they must arrive at once,
# and an F10 typed meanwhile must act once the thread is free, and only once.
#
# The game-view case runs game_view_demo.exe instead of the launcher: the launcher as
# it starts, switched to the game view through JScript once its landing window is up.
# This display has no task bar, so the work area is the whole screen and the window
# keeps its size going into full screen and back; what the user sees is read from a
# screen grab: the page is white, the title bar and its buttons are not.
#
# The case of every launcher runs two of them in the game view, one over the other,
# and the counter over both (--topmost: with no window manager nothing else keeps it in
# front of windows that fill the screen).
#
# Usage: hotkeys_test.sh CASE Orvendal.exe|game_view_demo.exe key_counter.exe
# Needs the keyboard and the screen to itself (registered RUN_SERIAL).
set -u
case_name=$1
launcher_exe=$2
counter_exe=$3

. "$(dirname "$0")/../../scripts/lib/wine.sh" || exit 2
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    echo "no X display; run the tests through scripts/test" >&2
    exit 2
fi

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# A private prefix: the launcher installs itself and writes its shortcut at every start.
wine_ensure_prefixes
prefix_dir=$(wine_fresh_copy)
trap 'wine_stop "$prefix_dir"; rm -rf "$prefix_dir"' EXIT
wine_use "$prefix_dir"

# Polls a command for up to the given seconds; succeeds as soon as it does.
wait_for() {
    local seconds=$1
    shift
    local end=$((SECONDS + seconds))
    while [ $SECONDS -lt $end ]; do
        "$@" && return 0
        sleep 0.1
    done
    "$@"
}

# The launcher's own window, found by its process as well as its title: a launcher of
# another test left on the same display must not stand in for it. (--all: xdotool
# otherwise matches any one of the criteria.)
launcher_windows() {
    xdotool search --all "$@" --pid "$launcher_pid" --name '^Orvendal$' 2>/dev/null
}
launcher_visible() {
    [ -n "$(launcher_windows --onlyvisible)" ]
}
launcher_hidden() {
    ! launcher_visible
}
# True when a check holds at every sample, ten a second, for the given tenths of a second.
stays() {
    local check=$1 tenths=$2
    for _ in $(seq 1 "$tenths"); do
        $check || return 1
        sleep 0.1
    done
}

# The key counter's report, "KeyCounter active f10=2/1 ... hook:f10=2/1 ...".
counter_report() {
    cat "$counts_file" 2>/dev/null
}
# Presses or releases of one key as messages (f10, f11, esc) or as hook events
# (hook:f10, hook:f11, hook:esc).
presses() {
    counter_report | sed -n "s/.* $1=\([0-9]*\)\/[0-9]*.*/\1/p"
}
releases() {
    counter_report | sed -n "s/.* $1=[0-9]*\/\([0-9]*\).*/\1/p"
}
counts_are() {
    [ "$(presses "$1")" = "$2" ] && [ "$(releases "$1")" = "$3" ]
}
releases_are() {
    [ "$(releases "$1")" = "$2" ]
}
# "a b c" typed once each reached the counter's window.
typed_into_counter() {
    counts_are a 1 1 && counts_are b 1 1 && counts_are c 1 1
}

# Mean brightness (0 black .. 1 white) of a WxH+X+Y part of the screen.
screen_mean() {
    import -window root png:- 2>/dev/null | convert png:- -crop "$1" +repage -format '%[fx:mean]' info:
}
# The title bar with the logo and its buttons is drawn over the top 30 rows; in full
# screen the white page covers them.
title_bar_white() {
    awk -v m="$(screen_mean 1920x30+0+0)" 'BEGIN { exit !(m > 0.99) }'
}
title_bar_drawn() {
    awk -v logo="$(screen_mean 98x30+0+0)" -v bar="$(screen_mean 489x30+1431+0)" \
        'BEGIN { exit !(logo < 0.9 && bar < 0.9) }'
}
page_white_below_bar() {
    awk -v m="$(screen_mean 1900x30+0+40)" 'BEGIN { exit !(m > 0.99) }'
}

launcher_geometry() {
    local window
    window=$(launcher_windows | head -n 1)
    [ -n "$window" ] || return 1  # xwininfo without a window waits for one to be clicked
    xwininfo -id "$window" | awk '/Absolute upper-left X|Absolute upper-left Y|Width|Height/ {printf "%s ", $NF}'
}
launcher_fills_screen() {
    [ "$(launcher_geometry)" = "0 0 $(xdotool getdisplaygeometry) " ]
}

# How many of the run's launchers (process ids in $launcher_pids) a check holds for.
launchers_where() {
    local check=$1 count=0 first=$launcher_pid
    for launcher_pid in $launcher_pids; do
        $check && count=$((count + 1))
    done
    launcher_pid=$first
    echo "$count"
}
launcher_count() {
    echo $launcher_pids | wc -w
}
all_in_game_view() {
    [ "$(launchers_where launcher_fills_screen)" = "$(launcher_count)" ]
}
one_hidden() {
    [ "$(launchers_where launcher_visible)" = $(($(launcher_count) - 1)) ]
}
all_hidden() {
    [ "$(launchers_where launcher_visible)" = 0 ]
}
all_visible() {
    [ "$(launchers_where launcher_visible)" = "$(launcher_count)" ]
}

counter_in_front() {
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$counter_window" ] &&
        counter_report | grep -q '^KeyCounter active '
}
# The key counter must be in front for X and for Wine alike: the X focus decides which
# Wine process reads the keys, Wine's own active window which one receives them. The
# two drift apart: the launcher activates its window when it appears, and when F10
# shows it again, without the X focus following. So the counter gets the X focus and a
# click, as a user would give it, until it stays in front for a second.
focus_counter() {
    local end=$((SECONDS + 15))
    while [ $SECONDS -lt $end ]; do
        xdotool windowfocus --sync "$counter_window" 2>/dev/null
        # No --sync: it waits for a pointer move, and the pointer may be there already.
        xdotool mousemove --window "$counter_window" 20 20 sleep 0.2 click 1
        wait_for 2 counter_in_front && stays counter_in_front 10 && return 0
    done
    fail "the key counter cannot come in front: $(counter_report), X focus $(xdotool getwindowfocus) not $counter_window"
}

# With the counter in front: F10 hides every launcher and leaves the keyboard with the
# counter, which gets F10 and the keys typed next; F10 again shows every launcher.
f10_hides_and_shows_again() {
    xdotool key F10
    wait_for 5 all_hidden || fail "F10 hid not every launcher: $(launchers_where launcher_visible) shown"
    stays all_hidden 10 || fail "a launcher came back by itself after one tap"
    wait_for 2 counts_are hook:f10 1 1 || fail "F10 was not passed on: $(counter_report)"
    xdotool key a b c
    wait_for 5 typed_into_counter || fail "keys typed after F10 did not reach the application in front: $(counter_report)"
    counts_are f10 1 1 || fail "the application in front did not get F10 itself: $(counter_report)"
    counter_in_front || fail "hiding the launcher took the application in front out of the front"
    xdotool key F10
    wait_for 5 all_visible || fail "F10 showed not every launcher again: $(launchers_where launcher_visible) shown"
    stays all_visible 10 || fail "a launcher hid again by itself"
    wait_for 2 counts_are hook:f10 2 2 || fail "the second F10 was not passed on: $(counter_report)"
}

counts_file="$prefix_dir/key-counts.txt"
counter_options=()
# Launchers in the game view cover the whole screen: the counter must stay over them.
[ "$case_name" = f10_hides_and_shows_every_launcher ] && counter_options=(--topmost)
wine "$counter_exe" "${counter_options[@]}" "Z:${counts_file//\//\\}" >/dev/null 2>&1 &
# Its hook must be in place before the launcher's, which then comes first in the chain.
wait_for 30 test -s "$counts_file" || fail "the key counter did not start"
counter_window=$(timeout 10 xdotool search --sync --limit 1 --name '^KeyCounter')

wine "$launcher_exe" >/dev/null 2>&1 &
launcher_pid=$!  # Wine keeps the process id through its loader: it is the window's _NET_WM_PID
launcher_pids=$launcher_pid
wait_for 30 launcher_visible || fail "the launcher window did not appear"
sleep 2  # start-up finishes (install step, shortcut) and the message loop runs

case "$case_name" in
f10_hides_and_shows)
    # The counter is brought in front once and keeps the keyboard: no refocusing.
    focus_counter
    f10_hides_and_shows_again
    ;;
f10_held_toggles_once)
    focus_counter
    xdotool keydown F10
    wait_for 5 launcher_hidden || { xdotool keyup F10; fail "holding F10 did not hide the window"; }
    stays launcher_hidden 15
    held_hidden=$?
    xdotool keyup F10
    [ $held_hidden -eq 0 ] || fail "the window came back while F10 was held"
    stays launcher_hidden 10 || fail "the window came back after F10 was let go"
    wait_for 2 releases_are hook:f10 1 || fail "F10's release was not passed on"
    [ "$(presses hook:f10)" -gt 1 ] || fail "no auto-repeat arrived, so holding was not tested: $(presses hook:f10)"
    echo "F10 held: $(presses hook:f10) presses passed on, the launcher toggled once"
    ;;
game_view_full_screen_and_back)
    # Keys reach the hook while any Wine window has the X focus: here the launcher's,
    # which covers the screen. A first key after the focus moves can be dropped.
    wait_for 60 launcher_fills_screen || fail "no game view: $(launcher_geometry)"
    wait_for 10 title_bar_drawn || fail "the game view shows no title bar"
    xdotool windowfocus --sync "$(launcher_windows | head -n 1)"
    xdotool key shift
    for leave_key in F11 Escape; do
        xdotool key F11
        wait_for 10 title_bar_white || fail "F11 left the title bar or its buttons over the page"
        launcher_fills_screen || fail "full screen is not the screen: $(launcher_geometry)"
        xdotool key "$leave_key"
        wait_for 10 title_bar_drawn || fail "$leave_key did not bring the title bar and its buttons back"
        wait_for 5 page_white_below_bar || fail "$leave_key left the page over the title bar"
    done
    ;;
f10_hides_and_shows_every_launcher)
    # A player with two accounts: a second launcher beside the first, both in the game
    # view, filling the screen one over the other. The one on top is hidden with its
    # bar's boss-key button; from then on F10 must hide both and show both, never one
    # of each. The counter stays in front throughout, and gets every key.
    wine "$launcher_exe" >/dev/null 2>&1 &
    launcher_pids="$launcher_pid $!"
    wait_for 60 all_in_game_view || fail "not both launchers in the game view"
    # The boss-key button, 98 x 30 pixels, 277 pixels left of the bar's right edge.
    width=$(xdotool getdisplaygeometry | cut -d' ' -f1)
    xdotool mousemove $((width - 277 + 49)) 15 click 1
    wait_for 5 one_hidden || fail "the bar's boss-key button did not hide one launcher"
    focus_counter
    xdotool key shift  # the first key after the focus moved may be dropped
    f10_hides_and_shows_again
    ;;
busy_launcher_passes_keys_on_and_acts_once)
    hold_state="$prefix_dir/hold-state.txt"
    focus_counter
    wine "$counter_exe" --hold 6000 "Z:${hold_state//\//\\}" >/dev/null 2>&1 &
    wait_for 30 grep -sqx held "$hold_state" || fail "the launcher's thread could not be held"
    xdotool key a b c F10
    wait_for 2 typed_into_counter || fail "keys typed while the launcher was busy did not arrive at once: $(counter_report)"
    wait_for 2 counts_are hook:f10 1 1 || fail "F10 was not passed on at once: $(counter_report)"
    grep -sqx held "$hold_state" || fail "the thread was let go too early to tell"
    launcher_visible || fail "the launcher acted while its thread stood still: it was not held"
    wait_for 10 grep -sqx free "$hold_state" || fail "the launcher's thread was not let go"
    wait_for 5 launcher_hidden || fail "F10 typed while the launcher was busy did not act once it was free"
    stays launcher_hidden 10 || fail "F10 typed while the launcher was busy acted twice"
    # The hook is still in place: the hot keys work as before.
    for expected in visible hidden; do
        xdotool key F10
        wait_for 5 "launcher_$expected" || fail "F10 after the busy spell did not make the launcher $expected"
    done
    xdotool key F11 Escape
    wait_for 2 counts_are hook:f11 1 1 && wait_for 2 counts_are hook:esc 1 1 ||
        fail "F11 or Esc after the busy spell was not passed on: $(counter_report)"
    ;;
f11_and_esc_do_nothing_in_landing)
    before=$(launcher_geometry)
    focus_counter
    xdotool key F11
    xdotool key Escape
    xdotool key F11
    wait_for 5 counts_are f11 2 2 || fail "the application in front did not get F11: $(counter_report)"
    wait_for 2 counts_are esc 1 1 || fail "the application in front did not get Esc"
    counts_are hook:f11 2 2 && counts_are hook:esc 1 1 || fail "F11 or Esc was not passed on"
    stays launcher_visible 10 || fail "F11 or Esc hid the landing window"
    after=$(launcher_geometry)
    [ "$before" = "$after" ] || fail "the landing window moved or changed size: $before -> $after"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
echo "passed: $case_name"
