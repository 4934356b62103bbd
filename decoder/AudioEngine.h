#pragma once
// The operation table of the audio engine as callers see it. The real engine lives in
// ThreadedAudioEngine; tests of the program use a recording fake. Flags: non-zero means success.
#include <functional>
#include <string>

#include "decoder/Records.h"

namespace sorv {

class AudioEngine {
 public:
  virtual ~AudioEngine() = default;

  // 0 only when no audio output can be opened at all.
  virtual int init() = 0;
  // For when init found no sound device: an output that takes the sound at a sound card's pace
  // and drops it, so everything but the sound works. 0 only when even that cannot be opened.
  virtual int initSilent() = 0;
  // Why the last init or initSilent opened no output, in the sound system's words.
  virtual std::string initFailure() const = 0;
  // Releases everything; a later init starts afresh.
  virtual void release() = 0;

  virtual int getEngineOption(EngineOption& option) = 0;
  virtual int setEngineOption(const EngineOption& option) = 0;
  virtual int setDecodeOption(const DecodeOption& option) = 0;
  // Version as an integer: 100 means 1.00.
  virtual int32_t version() = 0;

  // One open file at a time; fills the record, its last field with the length in seconds.
  virtual int open(const std::string& path, OpenRecord& record) = 0;
  // What the open learnt of the open file in the same one read of it: the stream record (as
  // fileInfo gives it), the tags and the ReplayGain tags. Empty records when nothing is open.
  virtual const SongFacts& openedFacts() const = 0;
  virtual int play() = 0;
  virtual void stop() = 0;
  virtual void close() = 0;
  virtual void pause() = 0;
  virtual void resume() = 0;
  // 0 stopped or finished, 2 paused, anything else playing or decoding. position: the heard
  // position in whole seconds (while decoding a WAV file: the decoded seconds).
  virtual int32_t state(int32_t& position) = 0;
  virtual void seek(int32_t seconds) = 0;

  // 0..100 per channel.
  virtual void setVolume(int32_t left, int32_t right) = 0;
  // A gain in dB on top of the volume that matches the song's loudness to others' (0 = none);
  // heard like a volume change.
  virtual void setLoudnessGain(double db) = 0;
  // The loudest sample of the song (1 = full scale, 0 = not known): a boost of the equalizer
  // takes away only as much level as the song has no room for. Kept until the next call.
  virtual void setSongPeak(double peak) = 0;
  // Ten gains in 0.1 dB (-120..+120), or nullptr to switch the equalizer off.
  virtual void setEqualizer(const Gains* gains) = 0;
  virtual void reload() = 0;

  // Works on any path, open or not. Flag: non-zero when the file could be read.
  virtual int fileInfo(const std::string& path, TagRecord& tag, StreamRecord& stream) = 0;
  // Fills tag.genreName from tag.genre.
  virtual void fillGenreName(TagRecord& tag) = 0;

  // 256 values per channel of what is heard now: spectrum 0..100, wave -100..+100.
  virtual void spectrum(Bins& left, Bins& right) = 0;
  virtual void wave(Bins& left, Bins& right) = 0;

  // 0 when the file is missing or holds no timed line. A file whose name differs only in the
  // case of its letters is taken when the exact name is missing.
  virtual int setLyricsFile(const std::string& path) = 0;
  virtual void setLyricsTiming(int32_t mode) = 0;
  virtual void lyrics(LyricsRecord& record) = 0;
  virtual void setLyricsLead(int32_t milliseconds) = 0;

  // Decodes the open file into a 16-bit PCM WAV file on the engine's thread.
  virtual int decodeToWav(const std::string& target) = 0;

  // Called on the engine's own thread once a playing track has been heard to its end; the
  // state reads 0 from then on. The handler must not call back into the engine: hand the news
  // to the caller's thread instead.
  virtual void setEndHandler(std::function<void()> handler) = 0;
  // Called on the engine's own thread when the sound output went away while a track played
  // (a sound server that ended) and could not be opened again for some seconds: the track has
  // stopped where it was (state 0). The next play tries the output again. Same rules as the end
  // handler.
  virtual void setOutputLostHandler(std::function<void()> handler) = 0;
  // Once a decode to WAV has ended (state 0): true only when the complete file replaced the
  // target.
  virtual bool waveWritten() const = 0;
};

}  // namespace sorv
