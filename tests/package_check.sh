#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks it without installing
# it: its files and dependencies, its desktop entry and manual page, and the
# program in it showing the field of the millisecond it started in.
# Usage: package_check.sh BUILD_DIR PICTURES
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$1" && cpack -G DEB -B "$work" >/dev/null)
deb=$(echo "$work"/plasma-fractals_*_amd64.deb)
contents=$(dpkg-deb -c "$deb")
for file in bin/plasma-fractals share/man/man6/plasma-fractals.6 share/applications/plasma-fractals.desktop \
            share/icons/hicolor/128x128/apps/plasma-fractals.png; do
    grep -q " ./usr/$file\$" <<<"$contents" || { echo "not in the package: /usr/$file"; exit 1; }
done
dpkg-deb -x "$deb" "$work/root"
# Depends names the package of every library the program links (GLUT, GLU, GL, C).
depends=$(dpkg-deb -f "$deb" Depends)
for library in $(objdump -p "$work/root/usr/bin/plasma-fractals" | awk '$1 == "NEEDED" { print $2 }'); do
    package=$(dpkg -S "*-linux-gnu/$library" | head -n 1 | cut -d: -f1)
    grep -q -E "(^|[ |])$package( |,|$)" <<<"$depends" || { echo "Depends names no $package: $depends"; exit 1; }
done
desktop-file-validate "$work/root/usr/share/applications/plasma-fractals.desktop"
# groff warns on stderr about anything malformed in the page.
warnings=$(groff -man -ww -z "$work/root/usr/share/man/man6/plasma-fractals.6" 2>&1)
[ -z "$warnings" ] || { echo "$warnings"; exit 1; }
"$(dirname "$0")/e2e/viewer_test.sh" program "$2" "$work/root/usr/bin/plasma-fractals"
