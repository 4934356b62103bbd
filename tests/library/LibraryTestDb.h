#pragma once
// A song database in a temporary folder, made with the real schema, for the library tests.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "library/db/SongSchema.h"
#include "library/db/SqlDb.h"

#include <ostream>

// Readable failure messages for Qt strings.
inline void printTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace sorv::test {

struct SongRow {
  QString file{}, title{}, titleKana{}, artist{}, artistKana{}, work{}, workKana{};
  QString type = "1";
  int number = 1;
  int karaoke = 0;
  QString year = "2000";
  int kind = 1;
  int genre = 255;
  QString group{};
};

// Song tables of earlier forms: the first one, without defaults; the next, whose readings sort
// with the player's own collation KANA; the last, with defaults.
inline constexpr const char* kFirstSongTable =
    "CREATE TABLE アニソンデータ管理 (ファイル名 TEXT COLLATE NOCASE, 曲名 TEXT, アーティスト "
    "TEXT, "
    "番組名 TEXT, カラオケ INTEGER, 歌種別 TEXT, 歌連番 INTEGER, 発表年 TEXT, アニメ種別 INTEGER, "
    "ジャンルNo INTEGER, 曲名かな TEXT NOT NULL DEFAULT '', 番組名かな TEXT NOT NULL DEFAULT '', "
    "アーティストかな TEXT NOT NULL DEFAULT '', グループ TEXT NOT NULL DEFAULT '')";
inline constexpr const char* kSongTableWithoutDefaults =
    "CREATE TABLE アニソンデータ管理 (ファイル名 TEXT COLLATE NOCASE, 曲名 TEXT, アーティスト "
    "TEXT, "
    "番組名 TEXT, カラオケ INTEGER, 歌種別 TEXT, 歌連番 INTEGER, 発表年 TEXT, アニメ種別 INTEGER, "
    "ジャンルNo INTEGER, 曲名かな TEXT NOT NULL DEFAULT '' COLLATE KANA, 番組名かな TEXT NOT NULL "
    "DEFAULT '' COLLATE KANA, アーティストかな TEXT NOT NULL DEFAULT '' COLLATE KANA, グループ "
    "TEXT "
    "NOT NULL DEFAULT '')";
inline constexpr const char* kKanaSongTable =
    "CREATE TABLE アニソンデータ管理 (ファイル名 TEXT COLLATE NOCASE, 曲名 TEXT NOT NULL DEFAULT "
    "'', "
    "アーティスト TEXT NOT NULL DEFAULT '', 番組名 TEXT NOT NULL DEFAULT '', カラオケ INTEGER NOT "
    "NULL DEFAULT 0, 歌種別 TEXT NOT NULL DEFAULT '5', 歌連番 INTEGER NOT NULL DEFAULT 0, 発表年 "
    "TEXT NOT NULL DEFAULT '', アニメ種別 INTEGER NOT NULL DEFAULT 0, ジャンルNo INTEGER NOT NULL "
    "DEFAULT 255, 曲名かな TEXT NOT NULL DEFAULT '' COLLATE KANA, 番組名かな TEXT NOT NULL DEFAULT "
    "'' COLLATE KANA, アーティストかな TEXT NOT NULL DEFAULT '' COLLATE KANA, グループ TEXT NOT "
    "NULL "
    "DEFAULT '')";

class LibraryTestDb {
 public:
  LibraryTestDb() : folder_(dir_.path() + "/") { createSongDb(path()); }

  QString folder() const { return folder_; }
  QString path() const { return folder_ + "sorvdb.mdb"; }

  void addSongs(const QVector<SongRow>& rows) {
    SqlDb db(path());
    SqlAppender add(db, "アニソンデータ管理",
                    {"ファイル名", "曲名", "曲名かな", "アーティスト", "アーティストかな", "番組名",
                     "番組名かな", "歌種別", "歌連番", "カラオケ", "発表年", "アニメ種別",
                     "ジャンルNo", "グループ"});
    for (const SongRow& r : rows) {
      add.append({r.file, r.title, r.titleKana, r.artist, r.artistKana, r.work, r.workKana, r.type,
                  r.number, r.karaoke, r.year, r.kind, r.genre, r.group});
    }
    add.commit();
  }
  // Candidates as the scan writes them: file name and folder.
  void addCandidates(const QVector<QPair<QString, QString>>& files) {
    SqlDb db(path());
    SqlAppender add(db, "選択候補", {"ファイル名", "フルパス"});
    for (const auto& [name, folder] : files) add.append({name, folder});
    add.commit();
  }
  // The song table without the lookup columns' defaults, so that they may hold NULL, in a file
  // of the current form (nothing rebuilds it). The views stay as they are.
  void useSongTableWithoutDefaults() { replaceSongTable(kSongTableWithoutDefaults, 1); }
  // The song table of an earlier form, as the file's user_version 0 says: the player and sorvdb
  // rebuild it when they open it.
  void useEarlierForm(const char* songTable) { replaceSongTable(songTable, 0); }
  void execute(const QString& sql) {
    SqlDb db(path());
    db.execute(sql);
  }
  // The first column of every row of a statement.
  QStringList column(const QString& sql) {
    SqlDb db(path());
    SqlStatement rows = db.prepare(sql);
    QStringList values;
    while (rows.next()) values << rows.text(0);
    return values;
  }

 private:
  void replaceSongTable(const char* songTable, int form) {
    execute(QString("PRAGMA user_version = %1; DROP TABLE アニソンデータ管理; %2; CREATE INDEX "
                    "アニソンデータ管理_ファイル名 ON アニソンデータ管理 (ファイル名)")
                .arg(form)
                .arg(songTable));
  }
  QTemporaryDir dir_;
  QString folder_;
};

}  // namespace sorv::test
