#!/usr/bin/env bash
# Builds the Debian package sorvane_VERSION_ARCH.deb:
#   scripts/package.sh [BUILD_DIR] [OUT_DIR]     (defaults: build, the repository's top folder)
# The programs of BUILD_DIR (configured first when it is not) are installed stripped under /usr
# into a staging folder with the manual pages, the Debian copyright and changelog; Depends is
# what dpkg-shlibdeps finds the binaries linked with, plus the fonts the program draws with.
# Prints the package's path.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
out=${2:-$top}
[[ $build = /* ]] || build=$top/$build
mkdir -p "$out"
out=$(cd "$out" && pwd)

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORV_BUILD_TESTS=OFF \
    -DSORV_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" --target sorvane sorvane-cli sorvdb sorv_icons >/dev/null

cached() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
upstream=$(cached CMAKE_PROJECT_VERSION)
homepage=$(cached SORV_HOMEPAGE)
version=$(sed -n '1s/^sorvane (\(.*\)).*/\1/p' "$top/dist/debian/changelog")
if [ "${version%-*}" != "$upstream" ]; then
  echo "package.sh: dist/debian/changelog is at $version, the program at $upstream" >&2
  exit 1
fi
arch=$(dpkg --print-architecture)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
umask 022
DESTDIR=$root cmake --install "$build" --prefix /usr --strip >/dev/null

# fontconfig reads /etc/fonts/conf.d, where Debian keeps links to the files of conf.avail.
mkdir -p "$root/usr/share/fontconfig/conf.avail" "$root/etc/fonts/conf.d"
mv "$root/usr/etc/fonts/conf.d/60-sorvane-fonts.conf" "$root/usr/share/fontconfig/conf.avail/"
rm -r "$root/usr/etc"
ln -s /usr/share/fontconfig/conf.avail/60-sorvane-fonts.conf "$root/etc/fonts/conf.d/"

man=$root/usr/share/man/man1
gzip -9n "$man"/*.1
ln -s sorvane.1.gz "$man/sorvane-launcher.1.gz"
doc=$root/usr/share/doc/sorvane
install -d "$doc"
install -m 644 "$top/dist/debian/copyright" "$doc/copyright"
gzip -9nc "$top/dist/debian/changelog" >"$doc/changelog.Debian.gz"

# dpkg-shlibdeps wants to be run from a source tree: a minimal control file makes one.
mkdir -p "$work/debian"
printf 'Source: sorvane\n\nPackage: sorvane\nArchitecture: any\n' >"$work/debian/control"
shlibs=$(cd "$work" && dpkg-shlibdeps -O -e root/usr/bin/sorvane -e root/usr/bin/sorvane-cli \
  -e root/usr/bin/sorvdb 2>/dev/null | sed -n 's/^shlibs:Depends=//p')
[ -n "$shlibs" ] || { echo "package.sh: dpkg-shlibdeps found no libraries" >&2; exit 1; }

mkdir -p "$root/DEBIAN"
(cd "$root" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$root/DEBIAN/md5sums"
cat >"$root/DEBIAN/control" <<EOF
Package: sorvane
Version: $version
Architecture: $arch
Maintainer: Sorvane developers <sorvane@users.noreply.github.com>
Installed-Size: $(du -sk --exclude=DEBIAN "$root" | cut -f1)
Depends: $shlibs, fonts-ipafont-gothic, fonts-liberation2
Section: sound
Priority: optional
Homepage: $homepage
Description: music player for a library of anime, tokusatsu and game songs
 Sorvane plays a large personal library of MP3 files of anime, tokusatsu and
 game songs. It knows the songs through a song database (title, artist, work,
 song type, year, kana readings) and lets you pick them from a tree grouped by
 genre and kana or year.
 .
 Songs play on a skinned panel with song information, time and progress,
 spectrum analyser and oscilloscope, time-synced lyrics, a ten-band equalizer
 and left and right volume; a one-line bar can replace the panel. FLAC, M4A,
 Ogg Vorbis, Opus, WAV and AIFF files play as well. The package also holds
 sorvane-cli, the audio engine on the command line, and sorvdb, which makes
 and mends the song database.
EOF

deb=$out/sorvane_${version}_${arch}.deb
dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" >/dev/null
echo "$deb"
