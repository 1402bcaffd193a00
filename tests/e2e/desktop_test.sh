#!/usr/bin/env bash
# The program on a desktop, driven as a user drives it: under a virtual X server with a
# window manager, it types a frequency, opens the cable list and lets another window take
# the focus (the list must close), picks a cable from the dropped list with the mouse,
# minimises and restores the window and closes it with the window manager's close
# request; the settings file must then hold what was chosen and the exit status be 0.
# Without any desktop, the program must say so in one line and end with status 1.
#
# Usage: desktop_test.sh QUORVIN SOURCE_DIR
# With QUORVIN_E2E_KEEP=1 the screenshots and logs are kept (as on a failure).
# Needs (Debian): xvfb xauth xdotool wmctrl openbox imagemagick x11-utils
set -uo pipefail
export LC_ALL=C
SELF=$(realpath "$0")

if [ "${1:-}" = --on-desktop ]; then
    on_desktop=1
    shift
else
    on_desktop=0
fi
if [ $# -lt 2 ]; then
    echo "usage: $0 QUORVIN SOURCE_DIR" >&2
    exit 2
fi
QUORVIN=$(realpath "$1")
SOURCE=$(realpath "$2")

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# ---- On the virtual desktop (run by the part below through xvfb-run) -----------------
if [ "$on_desktop" = 1 ]; then
    WORK=$PWD
    pids=()
    cleanup() {
        local pid
        for pid in "${pids[@]}"; do
            kill "$pid" 2>/dev/null
        done
    }
    trap cleanup EXIT

    # Waits until a condition holds, looking again every tenth of a second, for at most
    # SECONDS: wait_for SECONDS COMMAND...
    wait_for() {
        local deadline=$((SECONDS + $1))
        shift
        until "$@"; do
            [ "$SECONDS" -lt "$deadline" ] || return 1
            sleep 0.1
        done
    }
    # The colour of the screen at a point of the window's client area, as RRGGBB.
    pixel() {
        timeout 20 import -window root -crop "1x1+$((client_x + $1))+$((client_y + $2))" -depth 8 txt:- |
            grep -o '#[0-9A-F]\{6\}' | head -1 | tr -d '#'
    }
    pixel_is() { [ "$(pixel "$1" "$2")" = "$3" ]; }
    pixel_is_not() { [ "$(pixel "$1" "$2")" != "$3" ]; }
    # Whether the window's picture holds a colour (RRGGBB).
    window_shows() {
        timeout 20 import -window "$window" -depth 8 "$WORK/window.png" 2>/dev/null &&
            convert "$WORK/window.png" -unique-colors txt:- | grep -qi "#$1"
    }
    screenshot() { timeout 20 import -window root "$WORK/$1.png"; }

    HOME=$WORK/home openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
    pids+=($!)
    wait_for 20 wmctrl -m >/dev/null 2>&1 || fail "the window manager did not start"

    "$QUORVIN" >"$WORK/stdout.txt" 2>"$WORK/stderr.txt" &
    app=$!
    pids+=("$app")
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quorvin' | head -1)
    [ -n "$window" ] || fail "no window named Quorvin appeared"
    eval "$(xwininfo -id "$window" |
        sed -n 's/^ *Absolute upper-left X: *\([0-9-]*\)/client_x=\1/p;
                s/^ *Absolute upper-left Y: *\([0-9-]*\)/client_y=\1/p;
                s/^ *Width: *\([0-9]*\)/client_width=\1/p;
                s/^ *Height: *\([0-9]*\)/client_height=\1/p')"
    echo "client area: ${client_width}x${client_height} at $client_x,$client_y"

    # The client area is the dialog's: 236 x 241 dialog units at 6 x 13 pixels per 4 x 8.
    [ "$client_width" = 354 ] && [ "$client_height" = 392 ] ||
        fail "client area ${client_width}x${client_height}, expected 354x392"
    # Drawn: the result fields are pale yellow (255, 255, 100).
    wait_for 20 window_shows FFFF64 || {
        screenshot start
        fail "the window never showed the result fields' yellow (see $WORK/start.png)"
    }
    # The title in UTF-8 ("Quorvin — ©", which xprop shows in octal here) and the icon.
    timeout 20 xprop -id "$window" _NET_WM_NAME |
        grep -qF '(UTF8_STRING) = "Quorvin \342\200\224 \302\251' ||
        fail "the title is not the caption in UTF-8: $(xprop -id "$window" _NET_WM_NAME)"
    timeout 20 xprop -id "$window" _NET_WM_ICON | grep -q 'Icon (32 x 32)' ||
        fail "the window has no 32 x 32 icon"
    timeout 20 xdotool windowactivate --sync "$window" || fail "the window was not activated"

    # Dialog units to pixels: x * 6 / 4, y * 13 / 8, halves rounded up.
    dlu_x() { echo $((($1 * 6 + 2) / 4)); }
    dlu_y() { echo $((($1 * 13 + 4) / 8)); }
    # The frequency field (75, 42, 35 x 13): select its text, type, step on with Tab.
    xdotool mousemove --window "$window" "$(dlu_x 92)" "$(dlu_y 48)" click 1
    xdotool key End shift+Home
    xdotool type --delay 30 14.1
    xdotool key Tab

    # The cable list (75, 109, 56 wide) opens with a click: the list shows below the
    # field, where a point changes colour.
    list_x=$(dlu_x 100)
    below_y=$(dlu_y 133)
    before=$(pixel "$list_x" "$below_y")
    drop_list() {
        xdotool mousemove --window "$window" "$list_x" "$(dlu_y 115)" click 1
        wait_for 20 pixel_is_not "$list_x" "$below_y" "$before" || {
            screenshot list
            fail "the cable list did not drop (see $WORK/list.png)"
        }
    }
    drop_list
    screenshot dropped

    # Another program's window taking the focus closes the list: a second copy of the
    # program, in a folder of its own and moved beside the first.
    mkdir "$WORK/other"
    (cd "$WORK/other" && exec "$QUORVIN" >/dev/null 2>&1) &
    other=$!
    pids+=("$other")
    other_window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$other" | head -1)
    [ -n "$other_window" ] || fail "the second copy showed no window"
    timeout 20 xdotool windowmove --sync "$other_window" 420 100
    timeout 20 xdotool windowactivate --sync "$other_window" ||
        fail "the second window was not activated"
    wait_for 20 pixel_is "$list_x" "$below_y" "$before" || {
        screenshot focus
        fail "the list stayed open when another window took the focus (see $WORK/focus.png)"
    }
    wmctrl -i -c "$other_window"
    timeout 20 tail --pid="$other" -f /dev/null || fail "the second copy did not end"
    wait "$other" || fail "the second copy ended with status $?"
    timeout 20 xdotool windowactivate --sync "$window" || fail "the window was not activated"

    # Then a cable is chosen: the list opens again and a click on its third row closes it.
    drop_list
    xdotool mousemove --window "$window" "$(dlu_x 95)" "$((below_y + 16))" click 1
    wait_for 20 pixel_is "$list_x" "$below_y" "$before" || {
        screenshot chosen
        fail "the cable list did not close on a click into it (see $WORK/chosen.png)"
    }
    screenshot chosen

    # Minimised and restored by the window manager, the window is drawn again.
    timeout 20 xdotool windowminimize --sync "$window"
    wait_for 20 bash -c "xprop -id $window WM_STATE | grep -q Iconic" ||
        fail "the window was not minimised"
    wmctrl -i -a "$window"
    wait_for 20 bash -c "xprop -id $window WM_STATE | grep -q Normal" ||
        fail "the window was not restored"
    wait_for 20 window_shows FFFF64 || fail "the restored window was not drawn again"

    # The close box: the window manager asks the window to close (WM_DELETE_WINDOW).
    wmctrl -i -c "$window"
    timeout 20 tail --pid="$app" -f /dev/null || fail "the program did not end on the close request"
    wait "$app"
    echo "$?" >"$WORK/status.txt"
    exit 0
fi

# ---- The test ------------------------------------------------------------------------
missing=()
for tool in xvfb-run xauth xdotool wmctrl openbox import convert xwininfo xprop timeout; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
[ ${#missing[@]} -eq 0 ] ||
    fail "missing tools: ${missing[*]} (Debian: xvfb xauth xdotool wmctrl openbox imagemagick x11-utils)"
[ -x "$QUORVIN" ] || fail "no program at $QUORVIN"

# In a build with AddressSanitizer: the desktop's libraries (D-Bus, Xlib) keep memory to
# the end that the leak checker would report as the program's; memory errors still count.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
table="$SOURCE/data/coaxtype.tbl"

# Without any desktop: one line on standard error, nothing else, status 1, no settings.
mkdir "$WORK/nodesktop"
cp "$table" "$WORK/nodesktop/"
(cd "$WORK/nodesktop" && env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET \
    -u XDG_RUNTIME_DIR -u SDL_VIDEODRIVER timeout 20 "$QUORVIN" >out.txt 2>err.txt)
status=$?
[ "$status" = 1 ] || fail "without a desktop the exit status is $status, expected 1"
[ "$(wc -l <"$WORK/nodesktop/err.txt")" = 1 ] && [ -s "$WORK/nodesktop/err.txt" ] ||
    fail "without a desktop standard error is not one line: $(cat "$WORK/nodesktop/err.txt")"
[ ! -s "$WORK/nodesktop/out.txt" ] || fail "without a desktop something went to standard output"
[ ! -e "$WORK/nodesktop/Quorvin.ini" ] || fail "without a desktop a settings file was written"

# On the desktop.
mkdir "$WORK/desktop"
cp "$table" "$WORK/desktop/"
(cd "$WORK/desktop" && env -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY timeout 180 \
    xvfb-run -a -s "-screen 0 1024x768x24" bash "$SELF" --on-desktop "$QUORVIN" "$SOURCE")
desktop=$?
keep() {
    trap - EXIT
    echo "(screenshots and logs kept in $WORK/desktop)" >&2
}
[ "$desktop" = 0 ] || { keep; fail "the run on the desktop failed ($desktop)"; }
status=$(cat "$WORK/desktop/status.txt" 2>/dev/null)
[ "$status" = 0 ] || { keep; fail "the program ended with status '$status', expected 0"; }
[ ! -s "$WORK/desktop/stderr.txt" ] || { keep; fail "the program wrote to standard error"; }

settings="$WORK/desktop/Quorvin.ini"
[ -f "$settings" ] || { keep; fail "no settings file was written"; }
value() { sed -n "s/^$1\t\(.*\)\r\?$/\1/p" "$settings" | tr -d '\r'; }
[ "$(value frequency)" = 14.100 ] || { keep; fail "frequency '$(value frequency)', expected 14.100"; }
[ "$(value metric)" = no ] || { keep; fail "metric '$(value metric)', expected no"; }
cable=$(value coaxchoice)
# The chosen row of the table: a cable of its own, not the first row (own values).
row=$(grep -v '^;' "$table" | grep -F -- "$cable"$'\t' | head -1)
first=$(grep -v '^;' "$table" | grep -m1 $'\t')
[ -n "$cable" ] && [ -n "$row" ] || { keep; fail "the chosen cable '$cable' is not in the table"; }
[ "$row" != "$first" ] || { keep; fail "the first row was chosen, not a cable"; }
capacitance=$(printf '%.3f' "$(cut -f2 <<<"$row")")
diameter=$(printf '%.3f' "$(cut -f3 <<<"$row")")
[ "$(value capunit)" = "$capacitance" ] && [ "$(value coaxdiam)" = "$diameter" ] || {
    keep
    fail "cable '$cable': capunit $(value capunit), coaxdiam $(value coaxdiam);" \
        "the table says $capacitance and $diameter"
}
[ -z "${QUORVIN_E2E_KEEP:-}" ] || keep
echo "PASS: 14.100 MHz with $cable ($capacitance pF/ft, $diameter in) saved; exit status 0"
