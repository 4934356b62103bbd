// Every file the programs write whole, written to a full disk: the writer says it failed, and the
// folder it writes in is left exactly as it was (the old file whole, nothing half-written beside).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>
#include <vector>

#include "app/sorvdb/SorvdbCommands.h"
#include "core/session/PlayList.h"
#include "core/session/StateFile.h"
#include "decoder/WavWriter.h"
#include "tests/common/FileSizeLimit.h"
#include "tests/common/MessageCapture.h"
#include "tools/FileCopy.h"

namespace sorv::test {
namespace {

void writeFile(const QString& path, const QByteArray& content) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(content);
}

QMap<QString, QByteArray> folderContent(const QString& folder) {
  QMap<QString, QByteArray> files;
  for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden)) {
    QFile file(info.filePath());
    files[info.fileName()] = file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>";
  }
  return files;
}

State stateIn(const QString& settings) {
  State s;
  s.setDefaults(settings);
  s.workPath = settings;
  return s;
}

struct Writer {
  const char* name;
  const char* oldFile;  // the file it replaces, in a folder of its own
  rlim_t room;          // bytes a file may reach before the disk is full
  std::function<bool(const QString& folder)> write;  // true when it reported success
  QStringList messages;
};

TEST(FullDisk, EveryWriterFailsAndLeavesItsFolderAsItWas) {
  QTemporaryDir temp;
  const QString elsewhere = temp.filePath("elsewhere/");
  ASSERT_TRUE(QDir().mkpath(elsewhere));
  // The song of the report: 4,000 bytes past a full 2 MiB.
  const QString song = elsewhere + "song.mp3";
  writeFile(song, QByteArray(2101152, 'x'));
  const QString db = elsewhere + "sorvdb.mdb";
  {
    QString ignored;
    QTextStream out(&ignored);
    ASSERT_EQ(runSorvdb({"init", db}, out, out), kExitOk);
  }
  const QStringList saveFailed{"状態の保存に失敗しました。"};
  const std::vector<Writer> writers{
      {"state file", "sorvane.dat", 100,
       [](const QString& folder) {
         State s = stateIn(folder);
         return saveState(s);
       },
       saveFailed},
      {"play list", "sorvane.m3u", 4000,
       [&](const QString& folder) {
         State s = stateIn(elsewhere);
         s.saveSelInfo = 1;
         s.pathDir[4] = folder;
         QStringList songs;
         for (int i = 0; i < 200; ++i) songs << QStringLiteral("/music/folder/song%1.mp3").arg(i);
         setFileTable(s, songs);
         s.listPos = 1;
         return saveState(s);
       },
       saveFailed},
      {"copy", "song.mp3", 2097152,
       [&](const QString& folder) {
         return copyKeepingBoth(song, folder + "song.mp3") == CopyResult::Copied;
       }},
      {"WAV export", "song.WAV", 65536,
       [](const QString& folder) {
         WavWriter wav;
         const std::vector<int16_t> frames(2 * 44100);
         return wav.open((folder + "song.WAV").toStdString(), 44100, 2) &&
                wav.write(frames.data(), 44100) && wav.finish();
       }},
      {"sorvdb output", "rows.txt", 1000,
       [&](const QString&) {
         QFile file(elsewhere + "rows.txt");
         if (!file.open(QIODevice::WriteOnly)) return false;
         QTextStream out(&file);
         QString errors;
         QTextStream err(&errors);
         const QString rows =
             "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n "
             "WHERE x < 3000) SELECT x FROM n";
         const int code = runSorvdb({"sql", db, rows}, out, err);
         err.flush();
         EXPECT_TRUE(errors.contains("cannot write the output")) << errors.toStdString();
         return code == kExitOk;
       }},
  };
  for (const Writer& writer : writers) {
    const QString folder = temp.filePath(writer.name) + "/";
    ASSERT_TRUE(QDir().mkpath(folder));
    writeFile(folder + writer.oldFile, "the old content\r\n");
    const auto before = folderContent(folder);
    MessageCapture messages;
    bool written = true;
    {
      FileSizeLimit fullDisk(writer.room);
      written = writer.write(folder);
    }
    EXPECT_FALSE(written) << writer.name;
    EXPECT_EQ(folderContent(folder), before) << writer.name;
    EXPECT_EQ(messages.texts, writer.messages) << writer.name;
  }
}

}  // namespace
}  // namespace sorv::test
