#pragma once
// Small helpers for the playback tests: play lists of real files in a temporary folder, and the
// player over the fake engine and view that most of them drive.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include "core/State.h"
#include "core/session/PlayList.h"
#include "playback/Player.h"
#include "tests/common/FakeEngine.h"
#include "tests/common/FakeView.h"
#include "tests/common/MessageCapture.h"

namespace sorv::test {

// Creates the file (and its folders) under dir with some bytes in it; returns its full path.
inline QString makeFile(const QTemporaryDir& dir, const QString& relative) {
  const QString path = dir.filePath(relative);
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write("ID3");
  return path;
}

inline QByteArray readAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(bytes);
}

// A list of n entries "/music/NN.mp3" whose stream records the fake decoder knows.
inline void makeList(State& s, FakeEngine& d, int n) {
  QStringList paths;
  for (int i = 1; i <= n; ++i) {
    const QString path = QStringLiteral("/music/%1.mp3").arg(i, 2, 10, QLatin1Char('0'));
    paths << path;
    StreamRecord stream;
    stream.fileSize = 1000 + i;
    stream.length = 60 + i;
    d.streams[path.toStdString()] = stream;
    TagRecord tag;
    tag.title = "Song " + std::to_string(i);
    d.tags[path.toStdString()] = tag;
  }
  setFileTable(s, paths);
  s.listPos = n > 0 ? 1 : 0;
}

// A player without a song database; its messages are captured, not shown.
class PlayerFixture : public ::testing::Test {
 protected:
  void SetUp() override { s.dbState = SongDbState::Failed; }
  QTemporaryDir dir;
  State s;
  FakeEngine d;
  FakeView v;
  Player player{s, d, v};
  MessageCapture messages;
};

}  // namespace sorv::test
