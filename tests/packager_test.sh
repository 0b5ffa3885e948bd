#!/usr/bin/env bash
# A distribution packager's build, in a fresh Debian system holding only the
# program's own libraries: the plain CMake commands build and install the
# Debian package's files under the prefix given; each missing library stops
# the configure with a sentence naming it; asked for, with GoogleTest added,
# the tests build and pass with no display. Installs and removes packages:
# for a system made to be thrown away (scripts/check-debian).
# Usage: packager_test.sh DEB   (the Debian package whose files to match)
set -uo pipefail
deb=$(realpath "$1")
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
expect() {  # COMMAND...: counts and reports a claim that does not hold
    "$@" || { echo "FAILED: $*"; failures=$((failures + 1)); }
}
packages() {  # install|remove PACKAGE...
    DEBIAN_FRONTEND=noninteractive apt-get "$1" -y -qq --no-install-recommends "${@:2}" >"$work/apt.log" 2>&1 ||
        { cat "$work/apt.log"; echo "packager_test.sh: apt-get $* failed"; exit 1; }
}
builds() {  # FOLDER [CMAKE OPTION...]: configured and built, its output in FOLDER.log
    { cmake -S . -B "$1" "${@:2}" && cmake --build "$1" --parallel "$(nproc)"; } >"$1.log" 2>&1 ||
        { tail -n 20 "$1.log"; return 1; }
}
libraries=(g++ make cmake freeglut3-dev libglu1-mesa-dev libx11-dev libxrandr-dev)
packages install "${libraries[@]}"

# Built and installed as a packager does, into a staging folder.
files() { sed 's|^\./|/|' | grep -v '/$' | sort; }
if expect builds "$work/build" -DCMAKE_BUILD_TYPE=Release &&
   expect env DESTDIR="$work/staged" cmake --install "$work/build" --prefix /usr >/dev/null; then
    installed=$(cd "$work/staged" && find . -type f -o -type l | files)
    packaged=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | files)
    expect [ "$installed" = "$packaged" ]
    echo "installed into DESTDIR under /usr: $(wc -l <<<"$installed") files, the package $(wc -l <<<"$packaged")"
    [ "$installed" = "$packaged" ] || diff <(echo "$packaged") <(echo "$installed")
fi

# Each library missing in turn (with what depends on it): the configure
# stops and names it.
glut=$(dpkg -S /usr/include/GL/freeglut.h | cut -d: -f1)
for case in "libxrandr-dev|Xrandr not found (libxrandr-dev;" "libglu1-mesa-dev|GLU not found (libglu1-mesa-dev;" \
            "freeglut3-dev $glut|freeglut not found (freeglut3-dev;"; do
    read -r -a missing <<<"${case%%|*}"
    packages remove "${missing[@]}"
    rm -rf "$work/without"
    ! builds "$work/without" >/dev/null || { echo "FAILED: configured without ${missing[*]}"; failures=$((failures + 1)); }
    said=$(grep -A1 'CMake Error' "$work/without.log" | tail -n 1 | sed 's/^ *//')
    echo "without ${missing[*]}: $said"
    expect grep -q -F "${case#*|}" <<<"$said"
    packages install "${libraries[@]}"
done

# The tests, as a packager's check runs them: with no display.
packages install libgtest-dev
if expect builds "$work/tests" -DBUILD_TESTING=ON; then
    env -u DISPLAY -u WAYLAND_DISPLAY ctest --test-dir "$work/tests" --no-tests=error >"$work/ctest.log" 2>&1
    expect [ $? -eq 0 ]
    tail -n 3 "$work/ctest.log"
    expect grep -q -E 'Exact\..* Passed' "$work/ctest.log"
    expect grep -q -E 'DisplayFrame\..* Passed' "$work/ctest.log"
fi
[ "$failures" -eq 0 ] && echo "packager: every claim holds"
exit $((failures > 0))
