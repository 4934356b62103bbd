// Reads bad inputs the way the program does: "read_inputs KIND FILE..." with KIND one of media,
// lyrics, playlist, state (FILE a settings folder) or csv. Each file's name is printed before
// it is read, so a crash or a hang names the file that caused it. "read_inputs write-jet OUT"
// writes a sound Jet song database of 300 songs, the seed of the damaged ones.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

#include "tests/corpus/InputReaders.h"
#include "tests/library/JetFileWriter.h"

namespace {

int writeJet(const QString& path) {
  sorv::test::JetTable songs{QStringLiteral("アニソンデータ管理"),
                             {{QStringLiteral("ファイル名"), sorv::test::JetType::Text},
                              {QStringLiteral("曲名"), sorv::test::JetType::Text},
                              {QStringLiteral("カラオケ"), sorv::test::JetType::Bool},
                              {QStringLiteral("歌連番"), sorv::test::JetType::Int}},
                             {}};
  for (int i = 0; i < 300; ++i) {
    songs.rows << QVariantList{QStringLiteral("曲%1.mp3").arg(i), QStringLiteral("題名%1").arg(i),
                               i % 2 == 0, i};
  }
  QFile file(path);
  const QByteArray bytes = sorv::test::buildJetFile({songs});
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? 0 : 1;
}

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 3) return 2;
  const QString kind = args[1];
  if (kind == QLatin1String("write-jet")) return writeJet(args[2]);
  const QString db =
      QDir::tempPath() + QStringLiteral("/read_inputs_%1.mdb").arg(app.applicationPid());
  for (const QString& path : args.mid(2)) {
    std::printf("%s\n", QFile::encodeName(path).constData());
    std::fflush(stdout);
    if (kind == QLatin1String("media"))
      sorv::corpus::readMedia(QFile::encodeName(path).toStdString());
    else if (kind == QLatin1String("lyrics"))
      sorv::corpus::readLyricsFile(QFile::encodeName(path).toStdString());
    else if (kind == QLatin1String("playlist"))
      sorv::corpus::readPlayList(path);
    else if (kind == QLatin1String("state"))
      sorv::corpus::readStateFolder(path);
    else if (kind == QLatin1String("csv"))
      sorv::corpus::importCsv(fileBytes(path), db);
    else
      return 2;
  }
  QFile::remove(db);
  return 0;
}
