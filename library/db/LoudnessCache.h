#pragma once
// Measured loudness kept in the song database, in a table of its own keyed by a file's full
// path, size and modification time, so a changed file is measured again and the song tables
// and views stay as they are.
#include <QString>
#include <optional>

#include "decoder/Loudness.h"
#include "library/db/SqlDb.h"

namespace sorv {

class LoudnessCache {
 public:
  // Makes the table when the database has none yet. Throws DbError.
  explicit LoudnessCache(SqlDb& db);

  // What was measured for the file as it is now; nullopt when it was never measured, or changed
  // (another size or modification time) since.
  std::optional<Loudness> find(const QString& path);
  void store(const QString& path, const Loudness& loudness);
  // The file's own ReplayGain tags (album or track; per album falls back to the track) first,
  // then what the cache holds; nullopt when neither gives a value.
  std::optional<Loudness> knownLoudness(const QString& path, bool album);
  // The same, else a measurement, which is kept; nullopt when none gives a value.
  std::optional<Loudness> songLoudness(const QString& path, bool album);

 private:
  // A statement whose parameters 1 to 3 are the file's path, size and modification time.
  SqlStatement keyedStatement(const char* sql, const QString& path);

  SqlDb& db_;
};

// What is known of a song about to play: the gain in dB under the loudness setting, and its
// peak (1 = full scale, 0 = not known yet).
struct SongLevel {
  double gainDb = 0;
  double peak = 0;
};

// The level of a song about to play under a loudness setting (0 off, 1 per song, 2 per album;
// off gives a gain of 0). A song with ReplayGain tags (tagged: as its open read them) or an
// earlier measurement has its level at once, with or without a song database; any other plays
// at 0 dB, peak unknown, while it is measured in the background and kept in the song database
// at dbPath for the next time. Without a usable database such a song stays unknown.
SongLevel songLevel(const QString& dbPath, const QString& path, int mode,
                    const TaggedLoudness& tagged);

}  // namespace sorv
