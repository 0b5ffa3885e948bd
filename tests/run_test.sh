#!/usr/bin/env bash
# scripts/run with no display, on the virtual X server it starts itself: its
# screenshot is the picture. And when the viewer or that server cannot
# start: it fails, says why in its last line, and leaves no process and no
# temporary folder behind.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd) work=$(mktemp -d) failures=0
trap 'rm -rf "$work"' EXIT
claim() {  # CLAIM COMMAND...
    "${@:2}" || { echo "FAILED: $1"; failures=$((failures + 1)); }
}
# An X server that cannot start, saying why as Xvfb does: every line of a
# fatal error framed with "(EE)", the reason after "Fatal server error:".
mkdir "$work/failing" "$work/checked"
printf '#!/bin/sh\nprintf "%%s\\n" "_XSERVTransmkdir: Owner of /tmp/.X11-unix should be set to root" "(EE) " "Fatal server error:" \
  "(EE) Cannot establish any listening sockets - Make sure an X server isn'"'"'t already running(EE) " "(EE) " >&2\nexit 1\n' \
    >"$work/failing/Xvfb"
# Xvfb, as the one that starts and stays: checked, before it gives its
# number, to keep its state when its last client leaves. A server that
# resets then turns away a viewer connecting just as a look for it ends.
cat >"$work/checked/Xvfb" <<'XVFB'
#!/bin/bash
PATH=${PATH#*:}
exec 4< <(exec Xvfb "$@" 3>&1 >/dev/null) && server=$!
trap 'kill $server 2>/dev/null; wait $server' EXIT; trap exit TERM
read -r number <&4 && export DISPLAY=:$number || exit 1
xprop -root -f KEPT 8s -set KEPT kept && xprop -root KEPT | grep -q kept ||
    { echo "it reset when its last client left" >&2; exit 1; }
echo "$number" >&3 && wait $server
XVFB
chmod +x "$work"/*/Xvfb
# ARGUMENTS|PATH FIRST|STATUS|LAST LINE SAID (no X server serves display 65000: they count up from 0)
shot=$top/build/plasma-fractals.png
mkdir -p "${shot%/*}"
echo "left from before" >"$shot"  # no proof of any run
for case in "-display :65000||1|failed to open display" "-geometry||1|^run: the viewer ended with status 1" \
            "|$work/failing|1|^run: the virtual X server did not start: Cannot establish any listening sockets - Make sure an X server isn't already running$" \
            "|$work/checked|0|^build/plasma-fractals.png$"; do
    IFS='|' read -r arguments path expected wanted <<<"$case"
    rm -rf "$work/tmp"
    mkdir -p "$work/tmp"
    # A session of its own, so that whatever it leaves running can be found.
    env -u DISPLAY TMPDIR="$work/tmp" PATH="${path:+$path:}$PATH" setsid --wait \
        bash -c 'echo $$ >"$0"; exec "$1"/scripts/run $2' "$work/session" "$top" "$arguments" >"$work/said" 2>"$work/errors"
    status=$? said=$(cat "$work/errors" "$work/said" | tail -n 1) left=$(pgrep -a -s "$(cat "$work/session")")
    made=$(ls -A "$work/tmp")
    claim "run $arguments${path:+ (Xvfb ${path##*/})}: status $status, said '$said', left '$left', made '$made'" \
        eval '[ "$status" = "$expected" ] && grep -q -- "$wanted" <<<"$said" && [ -z "$left$made" ]'
done

# The last case's screenshot: the window, its black border, and a picture in
# which no point is black, of many colours (a random field's, so how many
# varies). Channels read one by one: ImageMagick 7 counts the alpha with the rest.
info() { /usr/bin/convert "$shot" "$@" info:; }
info >/dev/null 2>&1 || { echo "FAILED: no picture to look at in $shot"; exit 1; }
claim "the screenshot is 532 x 532: $(info -format '%wx%h')" [ "$(info -format '%wx%h')" = 532x532 ]
claim "its border is black" [ "$(info -fill black -draw 'rectangle 10,10 521,521' -format '%[fx:maxima.r + maxima.g + maxima.b]')" = 0 ]
claim "no point of its picture is black" \
    [ "$(info -crop 512x512+10+10 +repage -fill white +opaque black -format '%[fx:minima.r]')" = 1 ]
claim "its picture has many colours: $(info -crop 512x512+10+10 -format '%k')" [ "$(info -crop 512x512+10+10 -format '%k')" -ge 50 ]
exit $((failures > 0))
