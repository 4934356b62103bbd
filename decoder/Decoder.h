#pragma once
// The operation table of the audio engine as callers see it. The real engine lives in
// Vbmp3Engine; tests of the program use a recording fake. Flags: non-zero means success.
#include <string>

#include "decoder/Records.h"

namespace sorv {

class Decoder {
 public:
  virtual ~Decoder() = default;

  // 0 only when no audio output can be opened at all.
  virtual int vbmp3_init() = 0;
  // Releases everything; a later vbmp3_init starts afresh.
  virtual void vbmp3_free() = 0;

  virtual int vbmp3_getVbmp3Option(Vbmp3Option& option) = 0;
  virtual int vbmp3_setVbmp3Option(const Vbmp3Option& option) = 0;
  virtual int vbmp3_setDecodeOption(const DecodeOption& option) = 0;
  // Version as an integer: 100 means 1.00.
  virtual int32_t vbmp3_getVersion() = 0;

  // One open file at a time; fills the record, its last field with the length in seconds.
  virtual int vbmp3_open(const std::string& path, OpenRecord& record) = 0;
  virtual int vbmp3_play() = 0;
  virtual void vbmp3_stop() = 0;
  virtual void vbmp3_close() = 0;
  virtual void vbmp3_pause() = 0;
  virtual void vbmp3_restart() = 0;
  // 0 stopped or finished, 2 paused, anything else playing or decoding. position: the heard
  // position in whole seconds (while decoding a WAV file: the decoded seconds).
  virtual int32_t vbmp3_getState(int32_t& position) = 0;
  virtual void vbmp3_seek(int32_t seconds) = 0;

  // 0..100 per channel.
  virtual void vbmp3_setVolume(int32_t left, int32_t right) = 0;
  // Ten gains in 0.1 dB (-120..+120), or nullptr to switch the equalizer off.
  virtual void vbmp3_setEqualizer(const Gains* gains) = 0;
  virtual void vbmp3_reload() = 0;

  // Works on any path, open or not. Flag: non-zero when the file could be read.
  virtual int vbmp3_getFileInfo(const std::string& path, TagRecord& tag, StreamRecord& stream) = 0;
  // Fills tag.genreName from tag.genre.
  virtual void vbmp3_getGenre(TagRecord& tag) = 0;

  // 256 values per channel of what is heard now: spectrum 0..100, wave -100..+100.
  virtual void vbmp3_getSpectrum(Bins& left, Bins& right) = 0;
  virtual void vbmp3_getWave(Bins& left, Bins& right) = 0;

  // 0 when the file is missing or holds no timed line.
  virtual int vbmp3_setLyricsFile(const std::string& path) = 0;
  virtual void vbmp3_setLyricsTime(int32_t mode) = 0;
  virtual void vbmp3_getLyrics(LyricsRecord& record) = 0;
  virtual void vbmp3_setLyricsNextAdjustTime(int32_t milliseconds) = 0;

  // Decodes the open file into a 16-bit PCM WAV file on the engine's thread.
  virtual int vbmp3_decodeWave(const std::string& target) = 0;
};

}  // namespace sorv
