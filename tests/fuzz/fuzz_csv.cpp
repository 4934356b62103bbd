// The CSV importer of the song database tool, into one database emptied after each input.
#include <unistd.h>
#include <QDir>
#include <QFile>

#include "library/db/SongCsv.h"
#include "library/db/SongSchema.h"
#include "library/db/SqlDb.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static sorv::SqlDb* db = [] {
    const QString path = QDir::tempPath() + QStringLiteral("/sorv-fuzz-csv-%1.mdb").arg(::getpid());
    QFile::remove(path);
    sorv::createSongDb(path);
    return new sorv::SqlDb(path);
  }();
  try {
    sorv::importSongCsv(*db, QByteArray(reinterpret_cast<const char*>(data), int(size)));
    db->execute(QStringLiteral("DELETE FROM アニソンデータ管理"));
  } catch (const sorv::DbError&) {
  }
  return 0;
}
