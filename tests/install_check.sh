#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what lands there: the
# program, its manual page and its desktop entry, each well formed.
# Usage: install_check.sh BUILD_DIR
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null

for file in bin/plasma-fractals share/man/man6/plasma-fractals.6 \
            share/applications/plasma-fractals.desktop \
            share/icons/hicolor/128x128/apps/plasma-fractals.png; do
  [ -f "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
[ -x "$prefix/bin/plasma-fractals" ] || { echo "not executable: bin/plasma-fractals"; exit 1; }

desktop-file-validate "$prefix/share/applications/plasma-fractals.desktop"

# groff warns on stderr about anything malformed in the page.
warnings=$(groff -man -ww -z "$prefix/share/man/man6/plasma-fractals.6" 2>&1)
[ -z "$warnings" ] || { echo "$warnings"; exit 1; }
page=$(MANWIDTH=80 man -l "$prefix/share/man/man6/plasma-fractals.6" 2>/dev/null)
for word in "Plasma Fractals" "-display" "-geometry" "prints nothing"; do
  grep -q -F -- "$word" <<<"$page" || { echo "the manual page does not mention $word"; exit 1; }
done
for key in R G B; do
  grep -q -E "^ +$key +Switch the" <<<"$page" || { echo "the manual page does not list the key $key"; exit 1; }
done
echo "installed and well formed"
