#!/usr/bin/env bash
# Checks the release packages that scripts/package made, without installing
# them. Usage: package_check.sh debian DIST PICTURES | windows DIST VERSION
#   debian: lintian finds nothing to warn of (and no hardening tag at any
#   level), its files, a Depends naming the package of every library the
#   program links, its desktop entry, AppStream metadata and manual page, and
#   the program in it showing exactly the field of the millisecond it started
#   in. windows: the executable in the zip carries the icon (16 to 256
#   pixels), a version resource of this version and its manifest.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
kind=$1 dist=$2

if [ "$kind" = windows ]; then
    unzip -q -d "$work" "$dist"/plasma-fractals-*-win64.zip
    exe=$(echo "$work"/*/plasma-fractals.exe)
    wrestool -x -t14 "$exe" >"$work/icon.ico"
    sizes=$(icotool -l "$work/icon.ico" | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | tr '\n' ' ')
    [ "$sizes" = "16 32 48 256 " ] || { echo "icon sizes: '$sizes'"; exit 1; }
    # The version twice: as numbers in the fixed part (after its signature
    # and layout version, major.minor then patch.tweak as 16-bit words, low
    # word first, little-endian) and as text in the strings.
    IFS=. read -r major minor patch tweak <<<"$3"
    fixed=$(printf 'bd04effe00000100%04x%04x%04x%04x' "$minor" "$major" "${tweak:-0}" "${patch:-0}" |
            sed -E 's/(..)(..)(..)(..)$/\2\1\4\3/; s/^(.{16})(..)(..)(..)(..)/\1\3\2\5\4/')
    resource=$(wrestool -x --raw -t16 "$exe" | od -An -tx1 -v | tr -d ' \n')
    grep -q "$fixed" <<<"$resource" || { echo "no version $3 in the fixed version information"; exit 1; }
    strings=$(wrestool -x --raw -t16 "$exe" | iconv -f UTF-16LE -t UTF-8 -c | tr -c '[:print:]' '\n' | grep -v '^.\?$')
    for pair in "FileVersion $3" "ProductVersion $3" "ProductName Plasma Fractals"; do
        grep -A1 -x "${pair%% *}" <<<"$strings" | tail -n 1 | grep -qx "${pair#* }" ||
            { echo "version resource: no ${pair%% *} '${pair#* }'"; exit 1; }
    done
    # The manifest: made for today's Windows, drawing at each monitor's own scale.
    manifest=$(wrestool -x --raw -t24 "$exe")
    for wanted in '<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>' '>true/pm</dpiAware>' \
                  '>PerMonitorV2, PerMonitor</dpiAwareness>'; do
        grep -q -F "$wanted" <<<"$manifest" || { echo "manifest: no $wanted"; exit 1; }
    done
    echo "manifest: made for Windows 10 and 11, per-monitor DPI aware"
    exit 0
fi

deb=$(echo "$dist"/plasma-fractals_*_amd64.deb)
tags=$(lintian --pedantic -I -E "$deb" 2>/dev/null || true)
[ -z "$tags" ] || echo "$tags"
if grep -q -E '^[EW]: |hardening-' <<<"$tags"; then exit 1; fi

contents=$(dpkg-deb -c "$deb")
doc=share/doc/plasma-fractals
for file in bin/plasma-fractals share/man/man6/plasma-fractals.6.gz share/applications/plasma-fractals.desktop \
            share/icons/hicolor/128x128/apps/plasma-fractals.png share/metainfo/org.plasmafractals.viewer.metainfo.xml \
            $doc/copyright $doc/changelog.gz; do
    grep -q " ./usr/$file\$" <<<"$contents" || { echo "not in the package: /usr/$file"; exit 1; }
done
dpkg-deb -x "$deb" "$work/root"
# Depends names the package of every library the program links, matched as
# a name, not a pattern (libstdc++6).
depends=$(dpkg-deb -f "$deb" Depends | tr ',|' '\n\n' | sed 's/^ *//; s/ .*//')
for library in $(objdump -p "$work/root/usr/bin/plasma-fractals" | awk '$1 == "NEEDED" { print $2 }'); do
    package=$(dpkg -S "*-linux-gnu/$library" | head -n 1 | cut -d: -f1)
    grep -q -x -F "$package" <<<"$depends" || { echo "Depends names no $package: $depends"; exit 1; }
done
desktop-file-validate "$work/root/usr/share/applications/plasma-fractals.desktop"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.plasmafractals.viewer.metainfo.xml" >/dev/null ||
    { appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.plasmafractals.viewer.metainfo.xml"; exit 1; }
# groff warns on stderr about anything malformed in the page, which is
# dated and versioned as the release, the changelog's latest entry.
page=$(zcat "$work/root/usr/share/man/man6/plasma-fractals.6.gz")
warnings=$(groff -man -ww -z <<<"$page" 2>&1)
[ -z "$warnings" ] || { echo "$warnings"; exit 1; }
entry=$(zcat "$work/root/usr/$doc/changelog.gz" | sed -n 's/^ -- .*  //p' | head -n 1)
release=".TH PLASMA-FRACTALS 6 $(date -u -d "$entry" +%F) \"plasma-fractals $(dpkg-deb -f "$deb" Version)\""
grep -q -F "$release" <<<"$page" || { echo "the manual page is not dated as the release: $(grep '^\.TH' <<<"$page")"; exit 1; }
"$(dirname "$0")/e2e/viewer_test.sh" program "$3" "$work/root/usr/bin/plasma-fractals"
