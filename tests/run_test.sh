#!/usr/bin/env bash
# scripts/run when the viewer cannot start, on a display it names and on the
# virtual X server it starts itself: it fails, says what failed in its last
# line, and leaves no process and no temporary folder behind.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
for case in "-display :99|failed to open display" "-geometry|^run: the viewer ended with status 1"; do
    arguments=${case%|*} said=${case#*|}
    mkdir -p "$work/tmp"
    # A session of its own, so that whatever it leaves running can be found.
    env -u DISPLAY TMPDIR="$work/tmp" setsid --wait bash -c 'echo $$ >"$0"; exec "$1"/scripts/run $2' \
        "$work/session" "$top" "$arguments" >/dev/null 2>"$work/errors"
    status=$? left=$(pgrep -a -s "$(cat "$work/session")") made=$(ls -A "$work/tmp")
    if [ $status -eq 0 ] || ! tail -n 1 "$work/errors" | grep -q -- "$said" || [ -n "$left$made" ]; then
        echo "FAILED: run $arguments: status $status, said '$(tail -n 1 "$work/errors")', left '$left', made '$made'"
        failures=$((failures + 1))
    fi
done
exit $((failures > 0))
