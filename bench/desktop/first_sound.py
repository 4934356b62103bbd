#!/usr/bin/env python3
"""Delay from starting playback to the first sound on a PulseAudio sink, for our engine and mpv.

Run beside a sound server with a sink named "heard" (tests/run_with_sound_server.sh makes one).
The sink's monitor is recorded from before each start; its silent stream maps sample indices to
wall time, so the first sample that is not silent tells when the sound arrived. parec's own
buffering adds the same small delay to both players.
usage: first_sound.py CLI_BINARY SONG RUNS
"""
import os
import statistics
import struct
import subprocess
import sys
import tempfile
import time

RATE, FRAME = 44100, 8  # float32 stereo


def first_sound_delay(command, song):
    with tempfile.NamedTemporaryFile(suffix=".raw") as capture:
        recorder = subprocess.Popen(
            ["parec", "-d", "heard.monitor", "--format=float32le", "--rate=44100",
             "--channels=2", "--latency-msec=5"], stdout=capture)
        try:
            while os.path.getsize(capture.name) < RATE * FRAME // 5:  # 200 ms recorded
                time.sleep(0.005)
            recorded = os.path.getsize(capture.name) // FRAME
            start = time.monotonic()
            player = subprocess.Popen(command + [song], stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL)
            player.wait(timeout=30)
            time.sleep(0.2)
        finally:
            recorder.terminate()
            recorder.wait()
        data = open(capture.name, "rb").read()
    samples = struct.unpack("<%df" % (len(data) // 4), data[: len(data) // 4 * 4])
    for index in range(recorded * 2, len(samples)):
        if abs(samples[index]) > 1e-3:
            return (index // 2 - recorded) / RATE * 1000.0
    return None


def main():
    cli, song, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
    players = {
        "sorvane-cli play (SDL, pulseaudio driver)": [cli, "play"],
        "mpv --ao=pulse": ["mpv", "--no-video", "--ao=pulse", "--really-quiet"],
    }
    results = {}
    for name, command in players.items():
        if name.startswith("sorvane"):
            os.environ["SDL_AUDIODRIVER"] = "pulseaudio"
        delays = [first_sound_delay(command, song) for _ in range(runs)]
        results[name] = [d for d in delays if d is not None]
    ours = statistics.median(results["sorvane-cli play (SDL, pulseaudio driver)"])
    theirs = statistics.median(results["mpv --ao=pulse"])
    print("| start to first sound on a PulseAudio sink, ms (median / worst of %d) | ours | mpv | "
          "ratio |" % runs)
    print("|---|---|---|---|")
    print("| %s | %.0f / %.0f | %.0f / %.0f | %.2f |" % (
        os.path.basename(song), ours, max(results["sorvane-cli play (SDL, pulseaudio driver)"]),
        theirs, max(results["mpv --ao=pulse"]), ours / theirs))
    print()
    print("Both start as new processes, so each figure includes the program's own start-up. "
          "Server: a private PulseAudio with a null sink, recorded at its monitor.")


if __name__ == "__main__":
    main()
