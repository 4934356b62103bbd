// A second copy hands its command line to the running one, across two real processes.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QRandomGenerator>

#include "core/session/HandOver.h"
#include "playback/NewList.h"
#include "playback/PlayOrder.h"
#include "tests/common/FakeEngine.h"
#include "tests/common/FakeView.h"
#include "tests/common/MessageCapture.h"
#include "tests/common/WaitUntil.h"
#include "tests/playback/PlaybackTestSupport.h"

namespace sorv::test {
namespace {

QString uniqueName() {
  return handOverServerName(QString("test-%1-%2")
                                .arg(QCoreApplication::applicationPid())
                                .arg(QRandomGenerator::global()->generate()));
}

// Runs the sending copy, serving events meanwhile; its exit code.
int runSender(const QString& name, const QStringList& command) {
  QProcess sender;
  sender.start(HANDOVER_SENDER, QStringList{name} + command);
  QEventLoop loop;
  QObject::connect(&sender, &QProcess::finished, &loop, &QEventLoop::quit);
  QObject::connect(&sender, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
  if (sender.state() != QProcess::NotRunning) loop.exec();
  return sender.exitStatus() == QProcess::NormalExit ? sender.exitCode() : -1;
}

void serveUntil(const std::function<bool()>& done) {
  EXPECT_TRUE(waitUntil(done)) << "the running copy did not take the hand-over";
}

TEST(HandOverTransport, SecondCopyDeliversCommandLineVerbatim) {
  const QString name = uniqueName();
  HandOverServer server(name);
  ASSERT_TRUE(server.isListening());
  QStringList received;
  QObject::connect(&server, &HandOverServer::commandReceived,
                   [&received](const QString& command) { received << command; });
  const QString command = "\"/曲/a, b.mp3\"";
  EXPECT_EQ(runSender(name, {command}), 0);
  serveUntil([&] { return !received.isEmpty(); });
  EXPECT_EQ(received, QStringList({command}));
  EXPECT_EQ(runSender(name, {}), 0);
  serveUntil([&] { return received.size() == 2; });
  EXPECT_EQ(received.value(1), "");
}

TEST(HandOverTransport, AloneTheCopyFindsNoOne) {
  EXPECT_EQ(runSender(uniqueName(), {"/x.mp3"}), 1);
  EXPECT_FALSE(sendToRunningCopy("/x.mp3", uniqueName()));
}

TEST(HandOverTransport, NamesDifferPerUserAndSocketIsOwnerOnly) {
  EXPECT_NE(handOverServerName("alice"), handOverServerName("bob"));
  EXPECT_EQ(handOverServerName("alice"), handOverServerName("alice"));
  const QString name = uniqueName();
  HandOverServer server(name);
  QLocalServer probe;
  EXPECT_FALSE(probe.listen(name));
  const QFile::Permissions others =
      QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
  const QString path = QDir::tempPath() + "/" + name;
  ASSERT_TRUE(QFileInfo::exists(path));
  EXPECT_EQ(QFileInfo(path).permissions() & others, QFile::Permissions());
}

TEST(HandOverTransport, SocketLeftByCrashedCopyIsTakenOver) {
  const QString name = uniqueName();
  QFile stale(QDir::tempPath() + "/" + name);
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  stale.close();
  HandOverServer server(name);
  EXPECT_TRUE(server.isListening());
}

class HandOverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.dbState = -1;
    makeList(s, d, 5);
    s.listPos = 3;
    s.playState = 1;
  }
  QTemporaryDir dir;
  State s;
  FakeEngine d;
  FakeView v;
  MessageCapture messages;
};

TEST_F(HandOverTest, PlayListReplacesListAndPlaysItsFirstEntry) {
  const QString a = makeFile(dir, "a.mp3");
  const QString b = makeFile(dir, "b.mp3");
  const QString list = dir.filePath("new.m3u");
  writeAll(list, (dir.filePath("gone.mp3") + "\n" + a + "\n" + b + "\n").toUtf8());
  armStart(s, v);
  handOver(s, d, v, list);
  EXPECT_EQ(s.listCount, 2);
  EXPECT_EQ(s.listPos, 1);
  EXPECT_EQ(d.openPath, a.toStdString());
  EXPECT_EQ(s.playState, 1);
  EXPECT_EQ(v.caption, "♪a.mp3");
  EXPECT_EQ(v.counterText, "0001 / 0002");
  EXPECT_EQ(s.startPending, 0);
}

TEST_F(HandOverTest, SecondCopyProcessReplacesListOrChangesNothing) {
  const QString name = uniqueName();
  HandOverServer server(name);
  int handled = 0;
  QObject::connect(&server, &HandOverServer::commandReceived, [&](const QString& command) {
    handOver(s, d, v, command);
    ++handled;
  });
  ASSERT_EQ(runSender(name, {}), 0);
  serveUntil([&] { return handled == 1; });
  EXPECT_EQ(s.listCount, 5);
  EXPECT_TRUE(d.calls.empty());
  const QString song = makeFile(dir, "b.mp3");
  writeAll(dir.filePath("list.m3u"), song.toUtf8() + "\r\n");
  ASSERT_EQ(runSender(name, {dir.filePath("list.m3u")}), 0);
  serveUntil([&] { return handled == 2; });
  EXPECT_EQ(s.listCount, 1);
  EXPECT_EQ(d.openPath, song.toStdString());
  EXPECT_EQ(s.playState, 1);
}

TEST_F(HandOverTest, QuotedPathNamesNoPlayableFile) {
  handOver(s, d, v, "\"/music/01.mp3\"");
  EXPECT_EQ(s.listCount, 1);
  EXPECT_EQ(s.listFile[1], "");
  EXPECT_EQ(messages.texts, QStringList({"が開けません。"}));
  EXPECT_EQ(s.playState, 1);  // left as it was: the failed start does not touch it
  EXPECT_EQ(v.counterText, "0001 / 0001");
}

TEST_F(HandOverTest, SingleFileIsTakenWithoutCheckingIt) {
  handOver(s, d, v, "/music/02.mp3");
  EXPECT_EQ(s.listCount, 1);
  EXPECT_EQ(d.openPath, "/music/02.mp3");
  EXPECT_EQ(v.caption, "♪Song 2");
}

}  // namespace
}  // namespace sorv::test
