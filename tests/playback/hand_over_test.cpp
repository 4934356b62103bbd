// A second copy hands its command line to the running one, across two real processes.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLocalSocket>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <atomic>
#include <memory>
#include <thread>

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

void serveUntil(const std::function<bool()>& done, int deadlineMs = kGenerousMs) {
  EXPECT_TRUE(waitUntil(done, deadlineMs)) << "the running copy did not take the hand-over";
}

TEST(HandOverTransport, SecondCopyDeliversCommandLineVerbatim) {
  const QString name = uniqueName();
  HandOverServer server(name);
  ASSERT_TRUE(server.claim());
  ASSERT_TRUE(server.isListening());
  QStringList received;
  QObject::connect(&server, &HandOverServer::commandReceived,
                   [&received](const QString& command) { received << command; });
  const QString command = "\"/曲/a, b.mp3\"";
  EXPECT_EQ(runSender(name, {command}), 0);
  serveUntil([&] { return !received.isEmpty(); });
  EXPECT_EQ(received, QStringList({command}));
  // A command far longer than any path is not taken.
  runSender(name, {QString(100000, 'a')});
  EXPECT_EQ(runSender(name, {}), 0);
  serveUntil([&] { return received.size() == 2; });
  EXPECT_EQ(received.value(1), "");
  EXPECT_EQ(received.size(), 2);
  EXPECT_EQ(runSender(uniqueName(), {"/x.mp3"}), 1) << "a copy alone found someone";
}

TEST(HandOverTransport, ChannelIsPrivateAndPerUser) {
  EXPECT_NE(handOverServerName("alice"), handOverServerName("bob"));
  EXPECT_EQ(handOverServerName("alice"), handOverServerName("alice"));
  const QString name = uniqueName();
  HandOverServer server(name);
  ASSERT_TRUE(server.claim());
  const QFileInfo folder(QFileInfo(name).path());
  EXPECT_EQ(folder.ownerId(), ::geteuid());
  EXPECT_EQ(folder.permissions() & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                     QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
            QFile::Permissions())
      << folder.filePath().toStdString() << " is open to others";
  const QString own = QDir::tempPath() + QString("/sorvane-%1").arg(::geteuid());
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    EXPECT_EQ(folder.filePath(), own);
  }
}

// The lock decides: a second server on the name neither runs nor disturbs the first; the
// socket of a copy that ended is taken over; a server that lost its socket listens again.
TEST(HandOverTransport, LockDecidesWhichCopyListens) {
  const QString name = uniqueName();
  QFile stale(name);
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  stale.close();
  HandOverServer first(name);
  ASSERT_TRUE(first.claim());
  EXPECT_TRUE(first.isListening());
  HandOverServer second(name);
  EXPECT_FALSE(second.claim());
  EXPECT_FALSE(second.isListening());
  QStringList received;
  QObject::connect(&first, &HandOverServer::commandReceived,
                   [&received](const QString& command) { received << command; });
  EXPECT_EQ(runSender(name, {"/a.mp3"}), 0);
  QFile::remove(name);
  first.keepListening();
  EXPECT_EQ(runSender(name, {"/b.mp3"}), 0);
  serveUntil([&] { return received.size() == 2; });
  EXPECT_EQ(received, QStringList({"/a.mp3", "/b.mp3"}));
}

// Connections that never send are few at a time and dropped after a while: two hundred of
// them neither use up the running copy's file descriptors nor keep a real copy out.
TEST(HandOverTransport, SilentConnectionsAreBounded) {
  const QString name = uniqueName();
  HandOverServer server(name);
  ASSERT_TRUE(server.claim());
  QStringList received;
  QObject::connect(&server, &HandOverServer::commandReceived,
                   [&received](const QString& command) { received << command; });
  const auto openFiles = [] { return QDir("/proc/self/fd").count(); };
  const auto before = openFiles();
  std::vector<std::unique_ptr<QLocalSocket>> silent;
  for (int i = 0; i < 200; ++i) {
    silent.push_back(std::make_unique<QLocalSocket>());
    silent.back()->connectToServer(name);
    silent.back()->waitForConnected(1000);
    QCoreApplication::processEvents();
  }
  // The test's own 200 ends, and no more than a few of the server's.
  EXPECT_LT(openFiles() - before, 200u + 30u);
  EXPECT_EQ(runSender(name, {"/real.mp3"}), 0);
  serveUntil([&] { return !received.isEmpty(); });
  EXPECT_EQ(received, QStringList{"/real.mp3"});
  EXPECT_TRUE(server.isListening());
}

// Eight copies started together, each with a relative path: one runs, and each other's path
// reaches it, made absolute against the folder that copy was started in.
TEST(HandOverTransport, OfCopiesStartedTogetherOneRunsAndTakesEveryFile) {
  QTemporaryDir dir;
  for (int round = 0; round < 5; ++round) {
    const QString name = uniqueName();
    std::vector<std::unique_ptr<QProcess>> copies;
    for (int i = 0; i < 8; ++i) {
      copies.push_back(std::make_unique<QProcess>());
      copies.back()->setWorkingDirectory(dir.path());
      copies.back()->start(HANDOVER_SENDER,
                           {"--become", name, QString("../song%1.mp3").arg(i), "7"});
    }
    QStringList received;
    QStringList given;
    int running = 0;
    for (int i = 0; i < 8; ++i) {
      ASSERT_TRUE(copies[i]->waitForFinished(20000));
      given << QDir::cleanPath(dir.path() + QString("/../song%1.mp3").arg(i));
      if (copies[i]->exitCode() != 3) continue;
      ++running;
      given.removeLast();
      received =
          QString::fromUtf8(copies[i]->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }
    EXPECT_EQ(running, 1) << "round " << round;
    received.sort();
    given.sort();
    EXPECT_EQ(received, given) << "round " << round;
  }
}

class HandOverTest : public PlayerFixture {
 protected:
  void SetUp() override {
    PlayerFixture::SetUp();
    makeList(s, d, 5);
    ASSERT_TRUE(player.start(3));
    d.clearCalls();
  }
};

TEST_F(HandOverTest, PlayListReplacesListAndPlaysItsFirstEntry) {
  const QString a = makeFile(dir, "a.mp3");
  const QString b = makeFile(dir, "b.mp3");
  const QString list = dir.filePath("new.m3u");
  writeAll(list, (dir.filePath("gone.mp3") + "\n" + a + "\n" + b + "\n").toUtf8());
  player.stepForward();
  handOver(player, list);
  EXPECT_EQ(s.listCount, 2);
  EXPECT_EQ(s.listPos, 1);
  EXPECT_EQ(d.openPath, a.toStdString());
  EXPECT_EQ(s.playState, 1);
  EXPECT_EQ(v.caption, "♪a.mp3");
  EXPECT_EQ(v.counterText, "0001 / 0002");
  EXPECT_FALSE(player.startPending());
}

TEST_F(HandOverTest, SecondCopyProcessReplacesListOrChangesNothing) {
  const QString name = uniqueName();
  HandOverServer server(name);
  ASSERT_TRUE(server.claim());
  int handled = 0;
  QObject::connect(&server, &HandOverServer::commandReceived, [&](const QString& command) {
    handOver(player, command);
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

// Files that cannot be opened, handed over while the message about the first is still open: the
// later ones do not open boxes inside that box; once it closes, the newest one is taken.
TEST_F(HandOverTest, HandOversDuringAMessageWaitAndTheNewestWins) {
  const QString name = uniqueName();
  HandOverServer server(name);
  ASSERT_TRUE(server.claim());
  constexpr int kSent = 5000;
  for (int i = 0; i < kSent; ++i) d.unopenable.insert(QString("/gone/%1.mp3").arg(i).toStdString());
  std::atomic<int> sent{0};
  QStringList texts;
  int depth = 0;
  int deepest = 0;
  const MessageHandler previous = setMessageHandler([&](const QString& text) {
    texts << text;
    deepest = std::max(deepest, ++depth);
    // The first box stays open, serving events as a message box does, until all were sent.
    if (texts.size() == 1) serveUntil([&] { return sent == kSent; }, 300000);
    --depth;
  });
  QObject::connect(&server, &HandOverServer::commandReceived,
                   [&](const QString& command) { handOver(player, command); });
  std::thread sender([&] {
    for (int i = 0; i < kSent; ++i) {
      if (!sendToRunningCopy(QString("/gone/%1.mp3").arg(i), name)) break;
      ++sent;
    }
  });
  serveUntil([&] { return texts.size() == 2 || (sent == kSent && depth == 0); }, 300000);
  sender.join();
  setMessageHandler(previous);
  EXPECT_EQ(sent, kSent);
  EXPECT_EQ(deepest, 1) << "a message box opened inside another";
  EXPECT_EQ(texts, QStringList({"/gone/0.mp3が開けません。",
                                QString("/gone/%1.mp3が開けません。").arg(kSent - 1)}));
}

TEST_F(HandOverTest, QuotedPathNamesNoPlayableFile) {
  handOver(player, "\"/music/01.mp3\"");
  EXPECT_EQ(s.listCount, 1);
  EXPECT_EQ(s.entry(1).file, "");
  EXPECT_EQ(messages.texts, QStringList({"が開けません。"}));
  EXPECT_FALSE(player.isPlaying());
  EXPECT_EQ(v.counterText, "0001 / 0001");
}

TEST_F(HandOverTest, SingleFileIsTakenWithoutCheckingIt) {
  handOver(player, "/music/02.mp3");
  EXPECT_EQ(s.listCount, 1);
  EXPECT_EQ(d.openPath, "/music/02.mp3");
  EXPECT_EQ(v.caption, "♪Song 2");
}

}  // namespace
}  // namespace sorv::test
