#!/bin/bash
# Drives the built launcher as a user would, through an X server of its own: keys on its message
# boxes, the mouse and keyboard in its directory picker, a click on START GAME. It is judged by
# what the user is left with: its files and the arguments the game was started with.
#
#   real_window_test.sh <vortline executable> <stand-in game executable>

set -u
failure_shot="$PWD/real_window_failure.png"
rm -f "$failure_shot"
# Nothing may reach, or be photographed on, the desktop of whoever runs the test.
unset DISPLAY WAYLAND_DISPLAY

fail() {
    echo "FAIL: $*" >&2
    [ -s "${root:-}/x/launcher.log" ] && sed 's/^/launcher said: /' "$root/x/launcher.log" >&2
    if [ -n "${DISPLAY:-}" ] && import -silent -window root "$failure_shot" 2>/dev/null; then
        echo "The screen when it failed: $failure_shot" >&2
    fi
    exit 1
}

[ $# -eq 2 ] || fail "usage: $0 <vortline executable> <stand-in game executable>"
launcher=$1 standin=$2
for program in "$launcher" "$standin"; do
    [ -x "$program" ] || fail "$program is not an executable file"
done
for tool in Xvfb xdotool xwininfo import; do
    command -v "$tool" >/dev/null ||
        fail "$tool not found; it comes with the Debian packages xvfb xdotool x11-utils imagemagick"
done

root=''
root=$(mktemp -d) || fail "could not create a temporary directory"
xvfb_pid='' launcher_pid='' game_pid=''
cleanup() {
    for pid in $game_pid $launcher_pid $xvfb_pid; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 1' HUP INT TERM

# Polls rather than sleeping a fixed time, so a loaded machine only makes the test slower.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}
window_named() {
    win=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$win" ]
}
launcher_exited() { ! kill -0 "$launcher_pid" 2>/dev/null; }
launcher_window() {
    window_named "$1" && return
    launcher_exited && fail "$2: the launcher exited without showing a window titled \"$1\""
    return 1
}
await_window() {
    wait_until 30 launcher_window "$1" "$2" || fail "$2: no window titled \"$1\" appeared"
}
pixel() {
    import -silent -window "$win" -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
        grep -o '#[0-9A-F]\{6\}'
}
is_colour() { [ "$(pixel "$1" "$2")" = "$3" ]; }
# Sets top and bottom to the first and last y of the first run of 8 or more pixels other than the
# list's own colour, in column x from y0 to y1: the highlighted row, however tall fonts make a row.
find_highlight() {
    read -r top bottom < <(import -silent -window "$win" -crop "1x$(($3 - $2 + 1))+$1+$2" \
        -depth 8 txt:- 2>/dev/null | awk -v y0="$2" -v background="$4" '
            NR > 1 {
                split($1, at, /[,:]/)
                if (index($0, background)) { if (run >= 8) exit; run = 0; next }
                if (run++ == 0) top = at[2] + y0
            }
            END { if (run >= 8) print top, top + run - 1 }')
    [ -n "${top:-}" ]
}
bytes() { od -An -c "$1" 2>&1 | tr -s ' \n' ' '; }
expect_file() {
    cmp -s "$2" "$work/$1" || fail "$1: expected bytes [$(bytes "$2")], found [$(bytes "$work/$1")]"
}
expect_listing() {
    local found
    found=$(cd "$work" && echo *)
    [ "$found" = "$1" ] || fail "files in the working directory: expected '$1', found '$found'"
}
start_launcher() {
    (cd "$work" && exec "$launcher") >>"$root/x/launcher.log" 2>&1 &
    launcher_pid=$!
}
# No window manager hands out the focus, and keys go only where the focus is.
focus() { xdotool windowfocus --sync "$win" || fail "could not focus window $win"; }
answer_message_box() {
    start_launcher
    await_window vortline "$1"
    focus
    xdotool key Return
    wait_until 30 launcher_exited || fail "$1: still running after Enter on its message box"
    wait "$launcher_pid"
    local status=$?
    launcher_pid=''
    [ "$status" -eq 0 ] || fail "$1: expected exit status 0 after the message box, found $status"
}

mkdir -m 700 "$root/x" "$root/launch" || fail "could not create directories in $root"
# The launcher shows and saves the physical path, whatever links lead to the temporary directory.
work=$(cd "$root/launch" && pwd -P)
# An X server resets when its last client leaves, closing and opening its sockets again; on a busy
# machine a client can come in between and find no server, or another server starting then can take
# the number. So it never resets.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset 3>"$root/x/display" 2>"$root/x/xvfb.log" &
xvfb_pid=$!
wait_until 30 grep -q '^[0-9][0-9]*$' "$root/x/display" ||
    fail "Xvfb reported no display: $(cat "$root/x/xvfb.log")"
DISPLAY=":$(cat "$root/x/display")"
export DISPLAY QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$root/x"

printf '"NOTSET","Name","Select Skin"," "," ",0,0,0\r\n' >"$root/x/default.cfg"
printf '0.0.0.0\r\n' >"$root/x/servers.vtl"

answer_message_box "first start"
expect_file vortline.cfg "$root/x/default.cfg"
expect_listing vortline.cfg

answer_message_box "second start"
expect_file servers.vtl "$root/x/servers.vtl"
expect_file vortline.cfg "$root/x/default.cfg"
expect_listing "servers.vtl vortline.cfg"

# A decoy before it, so reaching the game folder by typing has to skip over something.
game="$work/games/Stand In"
mkdir -p "$work/games/Attic" "$game/baseq3/maps" || fail "could not create the game folder"
cp "$standin" "$game/quake3.exe" || fail "could not copy the stand-in game"
# Upper case sorts first by byte value, so only a sort that ignores case keeps q3dm17 third.
for map in q3dm1.bsp q3dm17.bsp arena.map Q3TOURNEY2.BSP; do
    touch "$game/baseq3/maps/$map" || fail "could not create map $map"
done

start_launcher
await_window VORTLINE "third start"
size=$(xwininfo -id "$win" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
[ "$size" = 417x315 ] || fail "main window: expected 417x315, found $size"
# The folder list reaches this far left only once the panel has come to rest.
pale_green='#C0FFC0'
wait_until 30 is_colour 4 205 "$pale_green" ||
    fail "picker panel: expected the folder list's $pale_green at (4,205), found $(pixel 4 205)"
focus

# The working directory is the selected folder, and its first subfolder the row below it.
find_highlight 185 28 211 "$pale_green" || fail "directory tree: no highlighted folder at x=185"
row=$((bottom - top + 1))
xdotool mousemove --window "$win" 150 $((bottom + 1 + row / 2)) click --repeat 2 --delay 50 1
xdotool key s Return
xdotool mousemove --window "$win" 260 12 click 1 mousemove --window "$win" 300 97 click 1

saved_folder() { head -n 1 "$work/vortline.cfg" | cut -d '"' -f 2; }
saves_game_folder() { [ "$(saved_folder)" = "$game/" ]; }
wait_until 30 saves_game_folder ||
    fail "after OK: expected vortline.cfg to name '$game/', found '$(saved_folder)'"
printf '"%s/","Name","Select Skin","%15s","",0,0,0\r\n' "$game" '' >"$root/x/chosen.cfg"
expect_file vortline.cfg "$root/x/chosen.cfg"

# The map list is white where it is not covered by the panel sliding out.
wait_until 30 is_colour 396 215 '#FFFFFF' ||
    fail "picker panel: expected the map list's white at (396,215), found $(pixel 396 215)"
xdotool mousemove --window "$win" 300 142 click 1
wait_until 30 find_highlight 390 137 218 '#FFFFFF' ||
    fail "map list: the click at (300,142) highlighted no map"
row=$((bottom - top + 1))
xdotool mousemove --window "$win" 300 $((top + 2 * row + row / 2)) click 1
xdotool mousemove --window "$win" 60 200 click 1

wait_until 30 window_named "Stand-in game" || fail "START GAME: the stand-in game did not start"
game_pid=$(xdotool getwindowpid "$win")
log="$game/quake3-standin.log"
printf '%s\n' "  working directory: $work" "  argument count: 4" '  argument 1: "+name"' \
    '  argument 2: "Name"' '  argument 3: "+map"' '  argument 4: "q3dm17"' '' \
    >"$root/x/expected.log"
starts=$(grep -c ' stand-in game started$' "$log")
[ "$starts" = 1 ] || fail "START GAME: expected 1 start of the game, found $starts"
tail -n +2 "$log" | diff -u "$root/x/expected.log" - >&2 ||
    fail "START GAME: the game's log differs from what was expected (- expected, + found)"
launcher_exited && fail "the launcher exited when the game started"
echo "PASS"
