#!/usr/bin/env bash
# The Debian package as a user gets it: built by scripts/package.sh, checked by lintian,
# appstreamcli and desktop-file-validate, its files and Depends looked at, and its programs run
# from the extracted package.
# usage: package_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "package_test: $*" >&2
  exit 1
}

deb=$("$source/scripts/package.sh" "$build" "$work") || fail "scripts/package.sh failed"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[[ $(basename "$deb") =~ ^sorvane_${version//./\\.}-[0-9]+_amd64\.deb$ ]] || fail "named $deb"

lintian --fail-on error "$deb" ||
  fail "lintian found errors"

x=$work/x
dpkg-deb -x "$deb" "$x"
appstreamcli validate --no-net "$x"/usr/share/metainfo/*.metainfo.xml || fail "AppStream metadata"
desktop-file-validate "$x/usr/share/applications/sorvane.desktop" || fail "menu entry"

for file in usr/bin/sorvane usr/bin/sorvane-cli usr/bin/sorvdb usr/bin/sorvane-launcher \
  usr/share/icons/hicolor/256x256/apps/sorvane.png usr/share/doc/sorvane/copyright \
  usr/share/doc/sorvane/changelog.Debian.gz usr/share/man/man1/sorvane.1.gz \
  usr/share/man/man1/sorvane-cli.1.gz usr/share/man/man1/sorvdb.1.gz \
  usr/share/man/man1/sorvane-launcher.1.gz; do
  [ -e "$x/$file" ] || fail "$file is not in the package"
done
[ "$(readlink "$x/etc/fonts/conf.d/60-sorvane-fonts.conf")" = \
  /usr/share/fontconfig/conf.avail/60-sorvane-fonts.conf ] || fail "no font link"
[ -f "$x/usr/share/fontconfig/conf.avail/60-sorvane-fonts.conf" ] || fail "no font substitutions"
zcat "$x/usr/share/man/man1/sorvdb.1.gz" | grep -q '^\.TH SORVDB 1' || fail "sorvdb(1) unreadable"

# Removal takes every file: no script of the package's own and no file it keeps as configuration.
control=$work/control
dpkg-deb -e "$deb" "$control"
[ "$(ls "$control")" = "$(printf 'control\nmd5sums')" ] || fail "control files: $(ls "$control")"
# Depends is what the binaries link with, plus the fonts.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libmpg123-0 libsdl2-2.0-0 libqt6widgets6 libtag1v5 libsqlite3-0 libebur128-1 \
  libavformat59 libkissfft-float131 fonts-ipafont-gothic fonts-liberation2; do
  [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

bin=$x/usr/bin
[ "$("$bin/sorvane" --version)" = "sorvane $version" ] || fail "sorvane --version"
[ "$("$bin/sorvane-cli" --version)" = "sorvane-cli $version" ] || fail "sorvane-cli --version"
[ "$("$bin/sorvdb" --version)" = "sorvdb $version" ] || fail "sorvdb --version"
"$bin/sorvane" --help | grep -q '^usage: sorvane ' || fail "sorvane --help"
"$bin/sorvane-cli" --help | grep -q '^usage: sorvane-cli info' || fail "sorvane-cli --help"
"$bin/sorvdb" --help | grep -q '^usage: sorvdb COMMAND' || fail "sorvdb --help"
info=$("$bin/sorvane-cli" info "$source/tests/fixtures/tone440_mpeg1_128k_js.mp3")
grep -qx 'sample_rate: 44100' <<<"$info" && grep -qx 'length: 3' <<<"$info" ||
  fail "sorvane-cli info: $info"
echo "package_test: ok"
