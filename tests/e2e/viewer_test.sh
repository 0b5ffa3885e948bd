#!/usr/bin/env bash
# The real viewer in a private X server: the exact pixels of its window, its
# keys, resizes and how it ends. The seeded builds (clock stuck at 1 ms)
# always show seed 1's field, so every picture they show is known exactly.
# Every claim is checked; the status says whether any failed.
# Usage: viewer_test.sh SCENARIO PICTURES VIEWER...
#   SCENARIO: seeded, program, scales, layouts (Linux), packaged (VIEWER is then a
#   Debian package), windows-program, windows-scales (under Wine) or
#   web-seeded, web-program (VIEWER is then the page, in Chromium).
set -uo pipefail
# Sanitized builds: a leak check at exit would only find the GL driver's teardown.
export ASAN_OPTIONS=detect_leaks=0
scenario=$1 pictures=$2
shift 2
work=$(mktemp -d)
# Wine's server keeps its socket in a folder it makes in /tmp (wine-XXXXXX,
# holding server-DEVICE-INODE of the prefix), and outlives the scenario: it
# is ended, and its folder removed. (Wine 10 aborts when given a TMPDIR.)
forget_wine() {  # WINE
    [ -d "${WINEPREFIX:-}" ] || return 0
    local server folder
    server=$(printf 'server-%x-%x' "0x$(stat -c %D "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
    "$(dirname "$1")/wineserver" -k 2>/dev/null
    "$(dirname "$1")/wineserver" -w 2>/dev/null
    for folder in "${TMPDIR:-/tmp}"/wine-*/"$server"; do
        [ ! -d "$folder" ] || rm -rf "${folder%/*}"
    done
}
wine=$([[ $scenario != windows-* ]] || echo "$1")  # the Windows scenarios' Wine
trap 'kill $(jobs -p) 2>/dev/null; wait; [ -z "$wine" ] || forget_wine "$wine"; rm -rf "$work"' EXIT
xserver() {  # WIDTHxHEIGHT: a private X server with a screen of that size, as $DISPLAY (ending the one before)
    if [ -n "${server:-}" ]; then kill "$server"; wait "$server" 2>/dev/null; fi
    : >"$work/display"
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
    server=$!
    await 10 Xvfb test -s "$work/display" || exit 1
    export DISPLAY=:$(cat "$work/display")
}
await() {  # SECONDS WHAT COMMAND...: until the command succeeds, or says what it waited for and fails
    local end=$((SECONDS + $1))
    until "${@:3}"; do
        [ $SECONDS -lt $end ] || { echo "waited $1 s for $2"; return 1; }
        sleep 0.05
    done
}
xserver 1280x1024

failures=0
expect() {  # COMMAND...: counts and reports a claim that does not hold
    "$@" || { echo "FAILED: $*"; failures=$((failures + 1)); }
}

at=+0+0
start() {  # VIEWER...: at $at, the top left corner (or where it is put: at=""); its window is $window, showing its first picture
    "$@" ${at:+-geometry "$at"} >"$work/output" 2>&1 &
    viewer=$!
    # A browser's or Wine's first start on a machine may take many seconds,
    # and make and unmake windows on the way: the window, found again while
    # the one found is gone, until it shows its black border and colour at its centre.
    local end=$((SECONDS + 30)) width="" side
    window=""
    until [ -n "$window" ] && width=$(geometry 2>/dev/null | cut -d ' ' -f 3) && [ -n "$width" ] &&
          side=${picture%% *} && side=${side:-$width} &&
          capture >"$work/first" && [ "$(pixel 0)" = 000 ] && [ "$(pixel $((side * side / 2 + side / 2)))" != 000 ]; do
        [ $SECONDS -lt $end ] || { not_shown; window=none; break; }  # none: what asks of it fails, never prompts
        [ -n "$window" ] && [ -n "$width" ] || window=$(xdotool search --onlyvisible --name '^Plasma Fractals$' 2>/dev/null | head -n 1)
        width=""
        sleep 0.1
    done
    # The keys go to the window with the focus; the pointer rests in the
    # screen's far corner, where it moves nothing and no tooltip shows.
    timeout 10 xdotool windowfocus --sync "$window" mousemove $(xdotool getdisplaygeometry | awk '{ print $1 - 1, $2 - 1 }') ||
        echo "waited 10 s for the focus to move to the viewer's window"
}
not_shown() {  # what was there instead: the viewer running or ended, its and the window manager's output, the windows
    echo "waited 30 s for the viewer's window and its first picture; the viewer $(kill -0 "$viewer" 2>/dev/null && echo runs || echo has ended)"
    cat "$work/output" "$work/wm" 2>/dev/null; jobs -l; xwininfo -root -tree | grep -v 'has no name'
}
pixel() {  # INDEX: the levels of a pixel of the first picture, counted from the top left
    od -A n -t u1 -j $((3 * $1)) -N 3 "$work/first" | tr -d ' '
}
# The window's X Y WIDTH HEIGHT, its top left corner on the screen.
geometry() { xwininfo -id "$window" | awk '/Absolute upper-left [XY]|Width|Height/ { printf "%s ", $NF } END { print "" }'; }
size() { geometry | awk '{ print $3 "x" $4 }'; }
centred() {  # WIDTHxHEIGHT: the window with its frame in the middle of a screen of that size, within 10 pixels
    local left right top bottom x y width height across up
    IFS=', ' read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.* = //')
    read -r x y width height < <(geometry)
    across=$((2 * (x - left) + width + left + right - ${1%x*})) up=$((2 * (y - top) + height + top + bottom - ${1#*x}))
    echo "frame at $((x - left)),$((y - top)), $((width + left + right))x$((height + top + bottom)) on $1"
    [ "${across#-}" -le 20 ] && [ "${up#-}" -le 20 ]  # twice the distance from the middle
}
class=$(sed -n 's/^StartupWMClass=//p' "$(dirname "$0")/../../packaging/plasma-fractals.desktop")  # the viewer's
identified() {  # [FILE]: the window's class is its desktop entry's StartupWMClass; its UTF-8 title, process and
                #   icons are set, as xprop says now (or said, as FILE keeps it)
    { if [ $# -gt 0 ]; then cat "$1"; else xprop -id "$window" WM_CLASS _NET_WM_NAME _NET_WM_PID _NET_WM_ICON; fi; } |
        grep -o '^[^ ]* = [^	]*\|Icon ([0-9 x]*)' |
        diff - <(printf '%s\n' "WM_CLASS(STRING) = \"$class\", \"$class\"" '_NET_WM_NAME(UTF8_STRING) = "Plasma Fractals"' \
                        "_NET_WM_PID(CARDINAL) = $viewer" '_NET_WM_ICON(CARDINAL) = ' 'Icon (48 x 48)' 'Icon (32 x 32)' 'Icon (16 x 16)')
}
grown_about_its_middle() {  # ACROSS: its middle across where it was (but for the frame's width at its new scale), on 1920x1200
    local x y
    read -r x y _ < <(geometry)
    echo "grown to 1064 at $x,$y, its middle across at $((x + 532)) (at $1 before)"
    [ $((x + 532 - $1)) -le 10 ] && [ $(($1 - x - 532)) -le 10 ] && [ "$y" -ge 0 ] && [ $((y + 1064)) -le 1200 ]
}
framed_by_openbox() {  # a probe window framed by openbox, and gone again
    xlogo -geometry 8x8 &
    timeout 1 sh -c 'until xprop -name xlogo _NET_FRAME_EXTENTS | grep -q =; do sleep 0.05; done' 2>/dev/null
    local framed=$?
    kill $! && wait $! 2>/dev/null
    return $framed
}
chromium=$(realpath "$(dirname "$0")/../../scripts/chromium")  # quiet, its folders removed after
# The web build's page in Chromium: an app window of the viewer's size at the
# top left, titled like the viewer's, with software WebGL.
browser() {  # PAGE [OPTIONS]: the desktop viewer's options, ignored
    exec "$chromium" --test-type --window-size=732,532 --window-position=0,0 --app="file://$(realpath "$1")"
}
clock() {  # the viewer's clock now: the system's tick count (Wine's own under Wine), or a page's wall clock
    case $scenario in
    web-*) echo $(($(date +%s%3N) % 4294967296)) ;;
    windows-*) "$1" "$(dirname "$2")/tests/tick_count.exe" ;;
    *) "$pictures" clock ;;
    esac
}
# The picture's part of the window: all of it, or in a browser the top left
# corner, where the page puts the picture beside its keys.
picture=""
[[ $scenario != web-* ]] || picture="532 532"
capture() { xwd -silent -id "$window" | /usr/bin/convert xwd:- ${picture:+-crop ${picture/ /x}+0+0} -depth 8 rgb:-; }

# The scenarios wait on the window's frames, not on the clock: a key, a
# resize or a release acts at the poll that ends a frame, and shows in the
# frame after, whatever the machine's load.
frames() {  # COUNT: the window's next frames, as they show, in $work/frame.1 ... .COUNT
    "$pictures" frames "$window" "$1" "$work/frame" $picture
}
seed=1  # the field shown
# A browser on a busy machine may take many frames to pass a key on to the
# page: a wait for a picture gives up only after 30.
shows() {  # CHANNELS [WIDTH HEIGHT [PIXELS-PER-POINT]]: exactly the seed's field with these channels, within 30 frames
    "$pictures" expect "$seed" "$@" >"$work/expected"
    capture | cmp -s - "$work/expected" && return 0
    for _ in $(seq 30); do
        frames 1 && cmp -s "$work/frame.1" "$work/expected" && return 0
    done
    return 1
}
# A key held or stuck blinks its channel at every frame: the picture never settles.
settled() {  # prints the channels of the one of seed 1's eight pictures the window shows for 3 frames running (within 18)
    for _ in 1 2 3 4 5 6; do
        frames 3 || return 1
        cmp -s "$work/frame.1" "$work/frame.2" && cmp -s "$work/frame.2" "$work/frame.3" || continue
        for on in rgb rg- r-b r-- -gb -g- --b ---; do
            "$pictures" expect 1 "$on" | cmp -s - "$work/frame.3" && echo "$on" && return 0
        done
    done
    return 1
}
ends_with() {  # STATUS: the viewer ends, with this status (or waited 30 s for it)
    timeout 30 tail -s 0.05 --pid="$viewer" -f /dev/null || return 1
    wait "$viewer"
    [ $? -eq "$1" ]
}
closes() {  # the window manager's close request ends it with success
    "$pictures" close "$window"
    ends_with 0
}

# Seed 1's field, and R switching red off and back to the same picture:
# what every build must show.
seed_one_and_red_key() {
    expect shows rgb
    xdotool key r
    expect shows -gb
    xdotool key r
    expect shows rgb
}

# The keys' wiring (every form of every letter and the poll's rule are
# proved without a window): a Ctrl form arrives, even when Ctrl is let go
# before its key (B goes down as Ctrl+B and comes up as plain b); all off is
# black, one channel back on brings it back with the same field; a held key
# blinks; a key is not left held when the window loses it. What every build
# that takes key events must do. Starts from seed 1 with every channel.
keys_in_every_form() {
    xdotool keydown ctrl keydown b keyup ctrl keyup b
    expect shows rg-
    xdotool key r g
    expect shows ---
    xdotool key g
    expect shows -g-

    # Held, R flips red at every frame: the picture blinks. (That it flips
    # at every poll is proved without a window; a capture that comes late on
    # a busy machine may miss a frame.)
    xdotool keydown r
    frames 10
    xdotool keyup r
    local flips=0
    for frame in $(seq 9); do cmp -s "$work/frame.$frame" "$work/frame.$((frame + 1))" || flips=$((flips + 1)); done
    echo "R held: $flips flips in 10 frames"
    expect [ "$flips" -ge 3 ]

    let_go_of_elsewhere g
}

# Released after another window has taken the focus, a key goes up in that
# window: it must not stay held in this one, though the pointer has not moved.
let_go_of_elsewhere() {  # KEY
    xlogo -geometry 100x100+700+0 2>/dev/null &
    local other
    other=$(timeout 10 xdotool search --sync --onlyvisible --class xlogo | head -n 1)
    # Down while a frame's poll sees it; up in the other window, where the
    # viewer does not see it come up.
    xdotool keydown "$1"
    frames 2
    timeout 10 xdotool windowfocus --sync "$other" keyup "$1" || echo "waited 10 s for the focus to move to the other window"
    frames 2
    timeout 10 xdotool windowfocus --sync "$window" || echo "waited 10 s for the focus to move back"
    kill $!
    expect settled
}

# The program seeds from the clock as it starts: its field is that of one
# seed between the clock before its start and after its first frame.
field_of_its_start_millisecond() {  # VIEWER...
    local before after
    seed=""
    before=$(clock "$@")
    start "$@"
    for _ in 1 2 3 4 5; do
        frames 1
        after=$(clock "$@")
        seed=$("$pictures" seed "$before" "$after" <"$work/frame.1") && break
    done
    [ -n "$seed" ] || echo "no seed in $before..$after gives the window's picture ($(wc -c <"$work/frame.1") bytes)"
    expect [ -n "$seed" ]
}

case $scenario in
seeded)
    start "$@"
    expect identified
    seed_one_and_red_key
    # The README's screenshot is this very picture.
    expect cmp -s "$work/expected" <(/usr/bin/convert "$(dirname "$0")/../../docs/plasma-fractals.png" -depth 8 rgb:-)

    keys_in_every_form

    # After any resize the picture keeps its size and its place; G still works.
    on=$(settled)
    for size in "1200 1000" "100 700" "800 600" "300 300" "1100 1000" "532 532"; do
        xdotool windowsize "$window" $size
        expect shows "$on" $size
    done
    xdotool key g
    expect shows "${on:0:1}$([ "${on:1:1}" = g ] && echo - || echo g)${on:2:1}"
    expect closes
    expect [ ! -s "$work/output" ]
    ;;
program)
    field_of_its_start_millisecond "$@"
    expect closes
    expect [ ! -s "$work/output" ]
    # A lost display ends it with GLUT's failure, not a crash or a hang.
    start "$@"
    kill "$server"
    expect ends_with 1
    ;;
scales)
    # The desktop's scale (Xft.dpi, as desktops set it) and the screen decide
    # the whole device pixels per point, n: the window is 532n square, every
    # point an n x n block of its level at n = 1, the border 10n pixels. Resized,
    # the picture keeps its place at the lower left and its n.
    # A work area (_NET_WORKAREA, as a window manager sets it, on the
    # current desktop) leaves room for panels: 1000 rows of 1200 leave no
    # room for n = 2. The desktop's settings (XSETTINGS, as GNOME's, Xfce's,
    # MATE's and Cinnamon's settings daemons publish them): a window scaling
    # factor counts once, whatever dots per inch stand beside it. Under a
    # window manager (openbox) its frame counts too, and a window it placed
    # grows about its centre; so does a frame it has not yet set, asked for.
    # The frame is asked for only of a window manager that lists the request
    # and is there: one that does not list it, or one gone that left the
    # root naming its check window, is not waited for (both would answer
    # with a frame of 200 at the top, leaving no room for n = 2); one that
    # sets the frame a moment after showing the window is waited for. Under
    # one that records what each window carries as it asks to be shown, the
    # window shown carries its class, title, icon and process.
    # XFT.DPI SCREEN N [area=X,Y,W,H] [xsettings=FACTOR,DPI] [wm | asked | unlisted | gone | recorded] [centred]
    for case in "96 1280x1024 1" "120 1280x1024 1" "144 1920x1200 2" "192 1920x1200 2" "288 3840x2160 3" "192 1280x800 1" \
                "192 1920x1200 1 area=0,0,1920,1000" "96 1920x1200 2 xsettings=2,96" "96 3840x2160 2 xsettings=2,192" \
                "96 1920x1200 2 xsettings=1,192" "96 1920x1080 1 xsettings=2,96 wm" "96 1920x1200 2 xsettings=2,192 wm centred" \
                "96 1920x1200 1 xsettings=2,96 asked" "96 1920x1200 2 xsettings=2,96 unlisted" \
                "96 1920x1200 2 xsettings=2,96 gone" "96 1920x1200 1 xsettings=2,96 recorded"; do
        read -r dpi screen n settings <<<"$case"
        xserver "$screen"
        xrdb -merge <<<"Xft.dpi: $dpi"
        for setting in $settings; do
            case $setting in
            area=*)
                xprop -root -f _NET_CURRENT_DESKTOP 32c -set _NET_CURRENT_DESKTOP 0
                xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "${setting#area=}" ;;
            xsettings=*)
                printf 'Gdk/WindowScalingFactor %s\nXft/DPI %s\n' "${setting:10:1}" $((${setting:12} * 1024)) >"$work/xsettings"
                xsettingsd -c "$work/xsettings" 2>/dev/null &
                await 10 "xsettingsd's settings" eval 'dump_xsettings 2>/dev/null | grep -q WindowScalingFactor' ;;
            wm)
                # Started once it has framed a window: on its first start it builds the font
                # caches, and a window shown meanwhile may never be mapped (freeglut waits for ever).
                openbox >"$work/wm" 2>&1 &
                await 30 "openbox to frame a window" framed_by_openbox ;;
            asked | unlisted | recorded)
                [ "$setting" = recorded ] && kind=(record-maps "$work/maps") || kind=("$setting-frame" 200)
                "$pictures" "${kind[@]}" 2>"$work/wm" &
                await 10 "the stand-in window manager" eval 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window' ;;
            gone)
                expect "$pictures" gone-manager ;;
            esac
        done
        [[ $settings != *centred* ]] || at=""
        start "$@"
        at=+0+0
        expect shows rgb $((532 * n)) $((532 * n)) "$n"
        # As the window last asked to be shown; one window shows.
        [[ $settings != *recorded* ]] || expect identified "$work/maps"
        [[ $settings != *recorded* ]] || expect [ "$(xdotool search --onlyvisible --name '^Plasma Fractals$' | wc -l)" = 1 ]
        [[ $settings != *centred* ]] || expect centred "$screen"
        echo "Xft.dpi $dpi, screen $screen${settings:+, $settings}: window $(size), $n pixels per point expected"
        if [ "$dpi" = 192 ] && [ "$n" = 2 ]; then
            xdotool windowsize "$window" 1200 1000
            expect shows rgb 1200 1000 2
        fi
        expect closes
    done
    # A laptop's monitor beside a larger one, at 150%: the window fits the
    # monitor it opens on.
    xserver 3926x1440
    xrandr --setmonitor laptop 1366/344x768/193+0+0 none
    xrandr --setmonitor large 2560/597x1440/336+1366+0 none
    xrandr --delmonitor screen
    xrdb -merge <<<"Xft.dpi: 144"
    for case in "+0+0 1" "+1366+0 2"; do
        read -r at n <<<"$case"
        start "$@"
        expect shows rgb $((532 * n)) $((532 * n)) "$n"
        echo "Xft.dpi 144, monitors 1366x768 and 2560x1440, opened at $at: window $(size), $n pixels per point expected"
        expect closes
    done
    ;;
layouts)
    # The keys by the key, pressed as a user presses them (by keycode) under
    # each layout: the key giving R, G or B, or where the layout has no
    # Latin letters the key giving it in the first that has, or else the
    # key in its place on a US keyboard, switches its channel, with any
    # modifier held; a key that is none of them switches nothing.
    # LAYOUTS[:VARIANT] LAYOUT-IN-USE MODIFIER-HELD R G B OTHER (keycodes)
    start "$@"
    for case in "us 0 - 27 42 56 28" "ru 0 - 27 42 56 28" "us,ru 1 - 27 42 56 28" "ru,us 0 50 27 42 56 28" \
                "gr 0 - 27 42 56 28" "ua 0 - 27 42 56 29" "de 0 108 27 42 56 29" "us:dvorak 0 - 32 30 57 27"; do
        read -r layouts in_use held r g b other <<<"$case"
        setxkbmap -layout "${layouts%:*}" -variant "$([[ $layouts != *:* ]] || echo "${layouts#*:}")"
        "$pictures" layout "$in_use"
        [ "$held" != - ] || held=""
        for press in "$r red -gb" "$g green --b" "$b blue ---" "$other none ---"; do
            read -r code channel on <<<"$press"
            xdotool ${held:+keydown $held} key "$code" ${held:+keyup $held}
            expect shows "$on" || on=$(settled) || on="another picture"
            echo "| $layouts, layout $in_use${held:+, key $held held} | $code | $(xmodmap -pke | awk -v code="$code" -v column=$((4 + 2 * in_use)) '$2 == code { print $column }') | $channel | $on |"
        done
        xdotool key "$r" "$g" "$b"
        expect shows rgb
    done
    # Held while the layout in use changes, or while another layout is
    # chosen, or let go of in another window, a key never sticks.
    held_through() { xdotool keydown 27; frames 2; "$@"; xdotool keyup 27; expect settled; }  # COMMAND...
    setxkbmap -layout us,ru
    "$pictures" layout 0
    held_through "$pictures" layout 1
    held_through setxkbmap -layout us -variant dvorak  # where R's key gives p
    setxkbmap -layout ru
    let_go_of_elsewhere 56
    expect closes
    ;;
windows-scales)
    # The same under Wine, which takes the scale from LogPixels (in a prefix
    # of its own, so that the other Windows scenarios keep theirs). Then what
    # Windows sends when the window moves to a monitor of another scale: the
    # window takes that scale's n and size.
    export WINEPREFIX=$work/wine
    xserver 1920x1200
    # A window that Windows placed, not the user (the first), grows about its
    # middle, within the work area: moved to 700,400 at 96 dpi and told of
    # 192, it would run past the screen's foot if it grew from its corner.
    at=""
    for case in "96 1" "144 2" "192 2"; do
        read -r dpi n <<<"$case"
        "$1" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
        "$(dirname "$1")/wineserver" -k  # Wine 10 takes the monitor's scale as its server starts
        start "$@"
        at=+0+0
        expect shows rgb $((532 * n)) $((532 * n)) "$n"
        echo "LogPixels $dpi, screen 1920x1200: window $(size), $n pixels per point expected"
        if [ "$dpi" = 96 ]; then  # R too, as every build must
            seed_one_and_red_key
            "$1" "$(dirname "$2")/send_dpi_change.exe" 96 700 400  # moved there at its own scale: nothing grows
            frames 2
            from=$(geometry | awk '{ print $1 + $3 / 2 }')
            "$1" "$(dirname "$2")/send_dpi_change.exe" 192
            expect shows rgb 1064 1064 2
            expect grown_about_its_middle "$from"
        fi
        [ "$dpi" = 192 ] || expect closes
    done
    for case in "96 1" "144 2"; do
        read -r dpi n <<<"$case"
        "$1" "$(dirname "$2")/send_dpi_change.exe" "$dpi"
        expect shows rgb $((532 * n)) $((532 * n)) "$n"
        echo "WM_DPICHANGED to $dpi: window $(size), $n pixels per point expected"
    done
    expect closes
    ;;
web-seeded)
    start browser "$@"
    seed_one_and_red_key
    keys_in_every_form
    expect [ "$(stat -c %s "$1")" -le $((300 * 1024)) ]
    # A browser without WebGL shows a sentence saying so, not a blank page.
    expect grep -q '<p id="message"[^>]*>Plasma Fractals needs WebGL' <(timeout 30 "$chromium" \
        --headless --disable-3d-apis --dump-dom "file://$(realpath "$1")" 2>/dev/null)
    ;;
web-program)
    field_of_its_start_millisecond browser "$@"
    ;;
packaged)
    # The program in a Debian package as it would be installed: on this
    # machine's architecture, or on arm64 under emulation with that
    # architecture's GL.
    dpkg-deb -x "$1" "$work/root"
    emulator=$([ "$(dpkg-deb -f "$1" Architecture)" = arm64 ] && echo qemu-aarch64-static)
    field_of_its_start_millisecond $emulator "$work/root/usr/bin/plasma-fractals"
    xdotool key r
    expect shows -gb
    expect closes
    ;;
windows-program)
    field_of_its_start_millisecond "$@"
    expect closes
    ;;
*)
    echo "unknown scenario $scenario"
    exit 2
    ;;
esac
[ "$failures" -eq 0 ] && echo "$scenario: every claim holds"
exit $((failures > 0))
