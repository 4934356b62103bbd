#pragma once
// Builds the song tree from the selection statement in one forward pass: genre, index letter
// (or year), work or artist, song. The four display orders share one algorithm.
#include <QString>
#include <atomic>

#include "decoder/AudioEngine.h"
#include "library/select/SongTreeStore.h"

namespace sorv {

class SqlDb;

// The entries of the order box, by list index.
enum class TreeOrder { Anime = 0, Song = 1, Artist = 2, Year = 3 };

// The ORDER BY clause of an order, with its leading blank.
QString orderByText(TreeOrder order);

struct TreeBuildResult {
  bool completed = false;  // false when cancelled or after an error
  int songCount = 0;       // playable leaves added
  QString message;         // the error's message box text (duplicate key or another error)
};

inline const std::atomic<bool> kNeverCancelled{false};

// Selects the columns it needs + fromWhere + the order's ORDER BY on db and adds the nodes to the
// (empty) tree. A duplicate key or any other error ends the build with its message, keeping the
// nodes added so far; so does setting cancelled, without a message. Safe on any thread: the
// engine is asked only for tags and genre names.
TreeBuildResult buildSongTree(TreeOrder order, SqlDb& db, const QString& fromWhere,
                              AudioEngine& decoder, SongTreeStore& tree,
                              const std::atomic<bool>& cancelled = kNeverCancelled);

// "選曲（ 0000/0123 件）": ticked songs and playable songs.
QString countCaption(int checkCount, int songCount);

}  // namespace sorv
