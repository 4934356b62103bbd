# Sourced by the benchmarks that run the player on the demo library. Runs the sourcing script
# again under xvfb-run when there is no display, then sets root, build, work (a private folder,
# removed at the end with every process started from it) and song (a demo song), and gives the
# player a settings folder and a hand-over channel of its own (mktemp -d is owner-only), so a
# player you run stays apart. usage: source bench/common/demo_session.sh [BUILD_DIR]
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$build"
fi
work=$(mktemp -d)
trap 'pkill -f "$work" 2>/dev/null || true; rm -rf "$work"' EXIT
bash "$root/demo/prepare.sh" "$build" "$work/home" >/dev/null
song="$work/home/songs/hoshizora_opening.mp3"
export XDG_CONFIG_HOME="$work/config" TMPDIR="$work" XDG_RUNTIME_DIR="$work" SDL_AUDIODRIVER=dummy
export QT_QPA_PLATFORM=xcb
