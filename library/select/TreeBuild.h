#pragma once
// Builds the song tree from the selection statement in one forward pass: genre, index letter
// (or year), work or artist, song. The four display orders share one algorithm.
#include <QString>

#include "decoder/AudioEngine.h"
#include "library/select/SongTreeWidget.h"

namespace sorv {

class SqlDb;

// The entries of the order box, by list index.
enum class TreeOrder { Anime = 0, Song = 1, Artist = 2, Year = 3 };

// The ORDER BY clause of an order, with its leading blank.
QString orderByText(TreeOrder order);

struct TreeBuildResult {
  bool completed = false;  // false after a message (duplicate key or another error)
  int songCount = 0;       // playable leaves added
};

// Runs "SELECT *" + fromWhere + the order's ORDER BY on db and adds the nodes to the (empty)
// tree. A duplicate key or any other error shows its message and ends the build, keeping the
// nodes added so far.
TreeBuildResult buildSongTree(TreeOrder order, SqlDb& db, const QString& fromWhere,
                              AudioEngine& decoder, SongTreeWidget& tree);

// "選曲（ 0000/0123 件）": ticked songs and playable songs.
QString countCaption(int checkCount, int songCount);

}  // namespace sorv
