#!/usr/bin/env bash
# scripts/run when the viewer cannot start, on a display it names and on the
# virtual X server it starts itself: it fails, says what failed in its last
# line, and leaves no process and no temporary folder behind.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd) work=$(mktemp -d) failures=0
trap 'rm -rf "$work"' EXIT
# A display that no X server serves here: no socket for it, in /tmp or abstract.
free=99
while [ -e /tmp/.X11-unix/X$free ] || [ -e /tmp/.X$free-lock ] || grep -q "@/tmp/.X11-unix/X$free\b" /proc/net/unix; do
    free=$((free + 1))
done
for case in "-display :$free|failed to open display" "-geometry|^run: the viewer ended with status 1"; do
    mkdir -p "$work/tmp"
    # A session of its own, so that whatever it leaves running can be found.
    env -u DISPLAY TMPDIR="$work/tmp" setsid --wait bash -c 'echo $$ >"$0"; exec "$1"/scripts/run $2' \
        "$work/session" "$top" "${case%|*}" >/dev/null 2>"$work/errors"
    status=$? said=$(tail -n 1 "$work/errors") left=$(pgrep -a -s "$(cat "$work/session")") made=$(ls -A "$work/tmp")
    if [ $status -eq 0 ] || ! grep -q -- "${case#*|}" <<<"$said" || [ -n "$left$made" ]; then
        echo "FAILED: run ${case%|*}: status $status, said '$said', left '$left', made '$made'"
        failures=$((failures + 1))
    fi
done
exit $((failures > 0))
