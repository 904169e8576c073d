#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the installed tree as a user meets it:
# every file in place, the desktop entry and the metainfo valid, the manual pages rendering
# without warnings, and both programs running from the prefix.
#   install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "install test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

id=org.quorvex.Quorvex
for f in bin/quorvex bin/quorvex-digitize share/quorvex/QUORVEX21E.HLP share/quorvex/QUORVEX21R.HLP \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg share/mime/packages/$id.xml share/man/man1/quorvex.1 \
         share/man/man1/quorvex-digitize.1; do
  [ -f "$prefix/$f" ] || fail "missing $f"
done
for size in 16 24 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
  [ -f "$png" ] || fail "missing the ${size}px icon"
  # The PNG header holds width and height as big-endian words at bytes 16 and 20.
  [ "$(od -An -tu4 --endian=big -j16 -N8 "$png" | tr -s ' ')" = " $size $size" ] ||
    fail "the ${size}px icon has another size"
done

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
  fail "metainfo: $(appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml")"
for page in quorvex quorvex-digitize; do
  text=$(MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1" 2>"$prefix/man-warnings")
  [ ! -s "$prefix/man-warnings" ] || fail "$page.1: $(cat "$prefix/man-warnings")"
  grep -q "EXIT STATUS" <<<"$text" || fail "$page.1 did not render"
done

[ "$("$prefix/bin/quorvex" --version)" = "quorvex 2.16" ] || fail "quorvex --version"
[ "$("$prefix/bin/quorvex-digitize" --version)" = "quorvex-digitize 2.16" ] || fail "quorvex-digitize --version"
"$prefix/bin/quorvex" --help | grep -q "usage: quorvex" || fail "quorvex --help"
points=$(PATH="$prefix/bin:$PATH" quorvex-digitize "$source/samples/sine_chart.png" \
  --corners 98,525,733,62 --values 0,-1.5,10,1.5 --colour 0x0000FF | wc -l)
[ "$points" -gt 600 ] || fail "quorvex-digitize from the prefix found $points points"
echo "install test: $prefix checked"
