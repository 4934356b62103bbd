#!/usr/bin/env bash
# The installed program as a desktop user meets it: `cmake --install` into a temporary prefix,
# the menu entry checked, the player started from the entry's own command line in a fresh home,
# then a second "open with" of a song handed to the copy that runs.
# usage: install_test.sh BUILD_DIR SOURCE_DIR   (needs an X server: run it through run_on_own_display.sh)
set -euo pipefail
build=$1
source=$2
if [ -z "${DISPLAY:-}" ]; then
  echo "install_test: needs an X server (DISPLAY)" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'pkill -TERM -f "$work/prefix/bin/sorvane" 2>/dev/null || true; rm -rf "$work"' EXIT
fail() {
  echo "install_test: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$work/prefix" >/dev/null
for file in bin/sorvane bin/sorvane-cli bin/sorvdb bin/sorvane-launcher \
  share/applications/sorvane.desktop share/icons/hicolor/48x48/apps/sorvane.png \
  share/icons/hicolor/256x256/apps/sorvane.png share/sorvane/schema.sql \
  etc/fonts/conf.d/60-sorvane-fonts.conf; do
  [ -e "$work/prefix/$file" ] || fail "$file was not installed"
done
entry="$work/prefix/share/applications/sorvane.desktop"
desktop-file-validate "$entry" || fail "the menu entry is not valid"
grep -qx 'Name\[ja\]=そるばね' "$entry" || fail "no Japanese name"
grep -q '^MimeType=.*audio/x-mp3;.*audio/x-mpegurl;' "$entry" || fail "mp3 and m3u are not offered"
"$work/prefix/bin/sorvane" --version | grep -q '^sorvane ' || fail "--version did not answer"

# A fresh user: nothing but a home folder; the hand-over socket goes to a folder of the test's.
home="$work/home"
mkdir -p "$home/Music"
cp "$source/tests/fixtures/tone440_mpeg1_128k_js.mp3" "$source/tests/fixtures/tone1k_mpeg2_mono.mp3" \
  "$home/Music/"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
open_with() { # starts the entry's command line for one file, as a file manager does
  local command=${exec_line//%f/$1}
  env -i DISPLAY="$DISPLAY" XAUTHORITY="${XAUTHORITY:-}" LANG=C.UTF-8 HOME="$home" \
    TMPDIR="$work" PATH="$work/prefix/bin:/usr/bin:/bin" SDL_AUDIODRIVER=dummy \
    QT_QPA_PLATFORM=xcb ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" \
    sh -c "$command" &
}
wait_for_caption() { # pattern: prints the window id once a visible window's caption matches
  for _ in $(seq 300); do
    local found
    found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) || true
    if [ -n "$found" ]; then
      echo "$found"
      return 0
    fi
    sleep 0.1
  done
  return 1
}
end_player() {
  pkill -TERM -f "$work/prefix/bin/sorvane" || true
  for _ in $(seq 300); do
    pgrep -f "$work/prefix/bin/sorvane" >/dev/null || return 0
    sleep 0.1
  done
  fail "the player did not end on SIGTERM"
}

# First run: the settings folder is made under the user's data folder, not the home itself.
open_with "$home/Music/tone440_mpeg1_128k_js.mp3"
wait_for_caption '^そるばね Ver\.' >/dev/null || fail "the first run showed no panel"
end_player
data="$home/.local/share/sorvane"
grep -qx "Path=$data/" "$home/.config/Sorvane/Sorvane.conf" || fail "settings folder is not $data/"
[ "$(grep -c $'\r$' "$data/sorvane.dat")" = 19 ] || fail "no state file in $data"

# Later runs play what they are opened with; a second "open with" hands its song over.
open_with "$home/Music/tone440_mpeg1_128k_js.mp3"
panel=$(wait_for_caption '^♪tone440') || fail "the entry's command line did not play the song"
open_with "$home/Music/tone1k_mpeg2_mono.mp3"
for _ in $(seq 300); do
  [ "$(xdotool getwindowname "$panel")" = "♪tone1k_mpeg2_mono.mp3" ] && break
  sleep 0.1
done
[ "$(xdotool getwindowname "$panel")" = "♪tone1k_mpeg2_mono.mp3" ] || fail "the song was not handed over"
for _ in $(seq 300); do
  [ "$(pgrep -fc "$work/prefix/bin/sorvane")" = 1 ] && break
  sleep 0.1
done
[ "$(pgrep -fc "$work/prefix/bin/sorvane")" = 1 ] || fail "the second copy did not end"
end_player
echo "install_test: ok"
