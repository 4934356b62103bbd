#pragma once
// The scan of the search folders: every song file (isSongFileName) in the current folder ("./") and
// in the search paths and all their subfolders, breadth-first, one listing per folder. Entries
// whose names begin with "." are hidden and skipped; folder links are not followed (no cycles).
#include <QString>
#include <QStringList>
#include <QVector>
#include <atomic>
#include <stdexcept>

#include "decoder/SongFiles.h"

namespace sorv {

class SqlDb;

// At most this many folders are walked; the first ones are kept. Only a guard against runaway
// trees: collections of a million songs in a folder each still fit.
inline constexpr int kMaxFolders = 4'000'000;

struct FolderListing {
  QString folder;         // ends in "/"; "./" for the current folder
  QStringList songFiles;  // names, sorted
};

// A folder that could not be listed: what was examined and why it failed.
class ScanError : public std::runtime_error {
 public:
  ScanError(const QString& examined, const QString& description)
      : std::runtime_error(description.toStdString()), examined(examined) {}
  QString examined;
  QString description() const { return QString::fromUtf8(what()); }
};

// "./" first, then each search path that exists and can be read, followed by its subfolders.
// Blank paths and paths that are not reachable are skipped without a word. Throws ScanError.
// Setting cancelled stops the walk between folders, with what was listed so far.
QVector<FolderListing> scanSearchPaths(const QStringList& searchPaths, SongFiles which,
                                       const std::atomic<bool>* cancelled = nullptr);
// Adds the candidates of one connection to those of another.
void copyCandidates(SqlDb& from, SqlDb& to);
// Gives this connection candidates of its own, in memory: a temporary 選択候補 and temporary
// twins of the stored views, which read it instead of the stored one. Another connection (another
// player on the same database) keeps its own; the stored table and views stay for other readers.
void useOwnCandidates(SqlDb& db);
// Replaces the candidates by one row per file, through one statement in one transaction; a row
// the engine refuses is left out. Returns the number of files offered. Setting cancelled keeps
// the previous candidates as they were and returns 0.
int writeCandidates(SqlDb& db, const QVector<FolderListing>& listings,
                    const std::atomic<bool>* cancelled = nullptr);
// Adds the candidates of one connection to those of another.
void copyCandidates(SqlDb& from, SqlDb& to);

}  // namespace sorv
