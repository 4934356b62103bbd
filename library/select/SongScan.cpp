#include "library/select/SongScan.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "decoder/LegacyPath.h"
#include "library/db/SqlDb.h"

namespace sorv {

namespace {

enum class EntryKind { Folder, File, Other };

// What an entry is; links count as the file they point to, never as a folder.
EntryKind kindOf(int dirFd, const dirent* entry) {
  if (entry->d_type == DT_DIR) return EntryKind::Folder;
  if (entry->d_type == DT_REG) return EntryKind::File;
  if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) return EntryKind::Other;
  struct stat info {};
  if (fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) return EntryKind::Other;
  if (S_ISDIR(info.st_mode)) return EntryKind::Folder;
  if (S_ISLNK(info.st_mode) && fstatat(dirFd, entry->d_name, &info, 0) != 0) {
    return EntryKind::Other;
  }
  return S_ISREG(info.st_mode) ? EntryKind::File : EntryKind::Other;
}

// Lists one folder: its song files, and (when subfolders is given) its subfolders.
// Says on the error stream where names are still CP932 bytes and how to make them UTF-8; they
// are shown and played all the same.
void TellLegacyNames(const QString& folder, const QStringList& names) {
  if (names.isEmpty()) return;
  std::fprintf(stderr,
               "sorvane: %s: %lld 個の名前が CP932 (Shift-JIS) のままです (%s など)。"
               "UTF-8 に直すには: sorvane-cli fix-names '%s' --apply\n",
               qPrintable(folder), static_cast<long long>(names.size()), qPrintable(names[0]),
               qPrintable(folder));
}

FolderListing listFolder(const QString& folder, SongFiles which, QStringList* subfolders) {
  DIR* dir = opendir(onDiskPath(folder.toStdString()).c_str());
  if (!dir) throw ScanError(folder, QString::fromLocal8Bit(std::strerror(errno)));
  FolderListing listing{folder, {}};
  QStringList folders, legacyNames;
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;  // hidden, ".", ".."
    const std::string_view bytes(entry->d_name);
    const bool song = isSongFileName(bytes, which);
    if (!song && !subfolders) continue;
    const EntryKind kind = kindOf(dirfd(dir), entry);
    const QString name = QString::fromStdString(fileNameText(bytes));
    if (kind == EntryKind::File && song) {
      listing.songFiles << name;
    } else if (kind == EntryKind::Folder && subfolders) {
      folders << name;
    } else {
      continue;
    }
    if (isLegacyFileName(bytes)) legacyNames << name;
  }
  closedir(dir);
  TellLegacyNames(folder, legacyNames);
  std::sort(listing.songFiles.begin(), listing.songFiles.end());
  std::sort(folders.begin(), folders.end());
  if (subfolders) *subfolders = folders;
  return listing;
}

bool reachable(const QString& path) {
  const QFileInfo info(path);
  return info.isDir() && info.isReadable();
}

}  // namespace

QVector<FolderListing> scanSearchPaths(const QStringList& searchPaths, SongFiles which,
                                       const std::atomic<bool>* cancelled) {
  QVector<FolderListing> listings{listFolder(QStringLiteral("./"), which, nullptr)};
  for (QString path : searchPaths) {
    if (path.trimmed().isEmpty() || !reachable(path)) continue;
    if (!path.endsWith(u'/')) path += u'/';
    QStringList queue{path};
    for (int at = 0; at < queue.size(); ++at) {
      if (cancelled && *cancelled) return listings;
      QStringList subfolders;
      listings << listFolder(queue[at], which, &subfolders);
      for (const QString& name : subfolders) {
        if (listings.size() + queue.size() - at - 1 >= kMaxFolders) break;
        queue << queue[at] + name + u'/';
      }
    }
  }
  return listings;
}

void useOwnCandidates(SqlDb& db) {
  db.execute(QStringLiteral("PRAGMA temp_store = MEMORY"));
  QStringList definitions;
  {
    // The engine keeps each definition as "CREATE TABLE …" or "CREATE VIEW …"; the table goes
    // first, then the views in the order they were made, as a view may read one made before it.
    SqlStatement stored = db.prepare(
        QStringLiteral("SELECT sql FROM main.sqlite_master WHERE type = 'view' OR "
                       "(type = 'table' AND name = '選択候補') ORDER BY type = 'view', rowid"));
    while (stored.next()) definitions << stored.text(0).insert(7, QStringLiteral("TEMP "));
  }
  for (const QString& definition : definitions) db.execute(definition);
}

namespace {

// Adds candidates one by one; a row the engine refuses is left out (the file is then missing
// from the tree) and the rest go on.
class CandidateInsert {
 public:
  explicit CandidateInsert(SqlDb& db)
      : insert_(db.prepare(
            QStringLiteral("INSERT INTO 選択候補 (ファイル名, フルパス) VALUES (?, ?)"))) {}
  void add(std::string_view name, std::string_view folder) {
    try {
      insert_.reset();
      insert_.bindText(1, name);
      insert_.bindText(2, folder);
      insert_.next();
    } catch (const DbError&) {
    }
  }

 private:
  SqlStatement insert_;
};

}  // namespace

int writeCandidates(SqlDb& db, const QVector<FolderListing>& listings,
                    const std::atomic<bool>* cancelled) {
  SqlTransaction transaction(db);
  // Inside the transaction, so a cancelled write leaves the old candidates.
  db.execute(QStringLiteral("DELETE FROM 選択候補"));
  CandidateInsert insert(db);
  int count = 0;
  for (const FolderListing& listing : listings) {
    if (cancelled && *cancelled) return 0;
    const std::string folder = listing.folder.toStdString();
    for (const QString& name : listing.songFiles) {
      ++count;
      insert.add(name.toStdString(), folder);
    }
  }
  transaction.commit();
  return count;
}

void copyCandidates(SqlDb& from, SqlDb& to) {
  SqlTransaction transaction(to);
  CandidateInsert insert(to);
  SqlStatement rows = from.prepare(QStringLiteral("SELECT ファイル名, フルパス FROM 選択候補"));
  while (rows.next()) insert.add(rows.text(0).toStdString(), rows.text(1).toStdString());
  transaction.commit();
}

}  // namespace sorv
