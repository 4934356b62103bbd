#pragma once
// A generated library of many songs: a folder tree of MP3 files and a song database that knows
// every one of them. Used by the large-library tests and the benchmarks.
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "library/db/SongSchema.h"
#include "library/db/SqlDb.h"

namespace sorv::test {

struct LargeLibrary {
  static constexpr int kSongsPerWork = 20;
  static constexpr int kWorksPerFolder = 20;

  // Writes songs files under root (ending in "/") and their rows into the database at dbPath.
  // The files are empty, or hard links to linkTarget when given (a real song, at no cost).
  static void make(const QString& root, const QString& dbPath, int songs,
                   const QString& linkTarget = {}) {
    static const QString letters = QStringLiteral(
        "あいうえおかがきくけこさざしすせそたちつてとな"
        "にぬねのはばぱひふへほまみむめもやゆよらりるれろわ");
    createSongDb(dbPath);
    SqlDb db(dbPath);
    SqlAppender add(
        db, QStringLiteral("アニソンデータ管理"),
        {"ファイル名", "曲名", "曲名かな", "アーティスト", "アーティストかな", "番組名",
         "番組名かな", "歌種別", "歌連番", "カラオケ", "発表年", "アニメ種別", "ジャンルNo"});
    static const int genres[] = {255, 254, 36, 24};
    QString source = linkTarget;
    for (int i = 0; i < songs; ++i) {
      const int work = i / kSongsPerWork;
      const QString folder =
          root + QStringLiteral("f%1/w%2/").arg(work / kWorksPerFolder).arg(work);
      if (i % kSongsPerWork == 0) QDir().mkpath(folder);
      const QString name = QStringLiteral("song%1.mp3").arg(i);
      if (linkTarget.isEmpty()) {
        QFile(folder + name).open(QIODevice::WriteOnly);
      } else if (!link(source, folder + name)) {
        // A file takes some 65,000 links at most: the next ones go to a copy.
        source = linkTarget + QString::number(i);
        QFile::copy(linkTarget, source);
        link(source, folder + name);
      }
      const QString kana = letters[work % letters.size()];
      add.append({name, QStringLiteral("曲%1").arg(i), letters[i % letters.size()] + kana,
                  QStringLiteral("歌手%1").arg(work % 97), letters[(work * 7) % letters.size()],
                  QStringLiteral("作品%1").arg(work),
                  kana + QStringLiteral("%1").arg(work, 5, 10, QLatin1Char('0')),
                  QString::number(i % 5 + 1), i % kSongsPerWork, i % 9 == 0 ? 1 : 0,
                  QString::number(1980 + work % 40), work % 5 + 1, genres[work % 4]});
    }
    add.commit();
  }

  static bool link(const QString& target, const QString& name) {
    return ::link(QFile::encodeName(target).constData(), QFile::encodeName(name).constData()) == 0;
  }
};

}  // namespace sorv::test
