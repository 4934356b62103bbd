// Start-up and shut-down of the program object over a fake engine, in settings and working
// folders of the test's own.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>

#include "app/sorvane/CommandLine.h"
#include "app/sorvane/Program.h"
#include "core/Settings.h"
#include "decoder/WholeFile.h"
#include "tests/app/DefaultStateFile.h"
#include "tests/common/FakeEngine.h"
#include "tests/common/MessageCapture.h"
#include "tests/common/WaitUntil.h"

namespace sorv::test {

namespace {

// Settings of this test run only, never the user's: set before anything reads them.
class PrivateSettings : public ::testing::Environment {
 public:
  void SetUp() override { qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8()); }

 private:
  QTemporaryDir dir_;
};
const auto* const kPrivateSettings = ::testing::AddGlobalTestEnvironment(new PrivateSettings);

// The fake engine, able to refuse the decode option as well.
class StartUpEngine : public FakeEngine {
 public:
  int decodeOptionResult = 1;
  int setDecodeOption(const DecodeOption& option) override {
    FakeEngine::setDecodeOption(option);
    return decodeOptionResult;
  }
};

}  // namespace

class StartUp : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home.isValid());
    work = home.path() + "/";
    saveWorkPath(work);
    previousDir = QDir::currentPath();
    QDir::setCurrent(home.path());
    static int runs = 0;
    program =
        std::make_unique<Program>(d, handOverServerName(QStringLiteral("startup-test-%1-%2")
                                                            .arg(QCoreApplication::applicationPid())
                                                            .arg(++runs)));
  }
  void TearDown() override {
    program.reset();
    QDir::setCurrent(previousDir);
  }

  void writeState(int barFirst = 0) {
    QFile file(work + "sorvane.dat");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(defaultStateFile(work, barFirst));
  }

  QTemporaryDir home;
  QString work;
  QString previousDir;
  StartUpEngine d;
  MessageCapture messages;
  std::unique_ptr<Program> program;
};

// No sound device: said once, then everything but the sound works.
TEST_F(StartUp, WithoutASoundDeviceItSaysSoOnceAndRunsSilently) {
  writeState();
  d.initResult = 0;
  d.initFailureText = "Connection refused";
  ASSERT_EQ(program->startUp(QString()), Program::Start::Running);
  EXPECT_EQ(messages.texts,
            QStringList{"サウンド出力の初期化に失敗しました。\nConnection refused"});
  EXPECT_EQ(d.count("initSilent"), 1);
  EXPECT_TRUE(program->panel().isVisible());
  EXPECT_EQ(program->panel().windowTitle(), QStringLiteral("そるばね Ver.1.14"));
}

TEST_F(StartUp, WithoutEvenASilentOutputItEndsWithoutSaving) {
  writeState();
  const QByteArray before = defaultStateFile(work);
  d.initResult = 0;
  d.initSilentResult = 0;
  EXPECT_EQ(program->startUp(QString()), Program::Start::EngineFailed);
  EXPECT_EQ(messages.texts, QStringList{"サウンド出力の初期化に失敗しました。"});
  EXPECT_FALSE(program->panel().isVisible());
  program.reset();
  QFile file(work + "sorvane.dat");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), before);
  EXPECT_FALSE(d.called("free"));
}

TEST_F(StartUp, WithoutADatabaseTheSelectionIsMarkedUnavailable) {
  writeState();
  ASSERT_EQ(program->startUp(QString()), Program::Start::Running);
  EXPECT_EQ(program->state().dbState, SongDbState::Closed);
  EXPECT_TRUE(program->panel().selOff().isVisible());
  auto* selSong = program->bar().popup().findChild<QAction*>(QStringLiteral("SelSong"));
  ASSERT_NE(selSong, nullptr);
  EXPECT_FALSE(selSong->isEnabled());
  EXPECT_TRUE(program->panel().isVisible());
  EXPECT_FALSE(program->bar().isVisible());
  EXPECT_EQ(program->panel().windowTitle(), QStringLiteral("そるばね Ver.1.14"));
  EXPECT_EQ(program->panel().counter(), "0000 / 0000");
}

TEST_F(StartUp, EngineIsPreparedInOrder) {
  writeState();
  d.decodeOptionResult = 0;  // reported, and start-up goes on
  ASSERT_EQ(program->startUp(QString()), Program::Start::Running);
  EXPECT_EQ(messages.texts, QStringList{"error"});
  auto at = [&](const std::string& call) {
    return std::find(d.calls.begin(), d.calls.end(), call) - d.calls.begin();
  };
  EXPECT_LT(at("init"), at("setVbmp3Option 10"));
  EXPECT_LT(at("setVbmp3Option 10"), at("setVolume 80,80"));
  EXPECT_LT(at("setVolume 80,80"), at("setDecodeOption 44100"));
  EXPECT_EQ(d.lyricsTimeMode, 0);
  EXPECT_TRUE(program->panel().isVisible());
}

// A list of another player with nothing to play is named once, not left to an empty counter.
TEST_F(StartUp, ACommandLineListWithNothingToPlayIsNamed) {
  writeState();
  const QString list = work + "Mix.m3u8";
  QFile file(list);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("#EXTM3U\n#EXTINF:215,gone\nfile:///nowhere/gone.mp3\n");
  file.close();
  ASSERT_EQ(program->startUp(list), Program::Start::Running);
  EXPECT_EQ(messages.texts, QStringList{list + "が開けません。"});
  EXPECT_EQ(program->state().playState, 0);
  EXPECT_EQ(program->panel().counter(), "0000 / 0000");
}

// The arguments are joined into one line, so a path the shell split at its blank still plays.
TEST_F(StartUp, ACommandLineFileStartsPlaying) {
  writeState();
  const QString song = work + "first song.mp3";
  QFile(song).open(QIODevice::WriteOnly);
  d.tags[song.toStdString()].title = "Title";
  EXPECT_EQ(joinCommandLine({"sorvane"}), "");
  ASSERT_EQ(program->startUp(joinCommandLine({"sorvane", work + "first", "song.mp3"})),
            Program::Start::Running);
  EXPECT_EQ(d.openPath, song.toStdString());
  EXPECT_EQ(program->state().playState, 1);
  EXPECT_EQ(program->panel().windowTitle(), QStringLiteral("♪Title"));
}

TEST_F(StartUp, BarFirstShowsOnlyTheBar) {
  writeState(1);
  ASSERT_EQ(program->startUp(QString()), Program::Start::Running);
  EXPECT_EQ(program->state().dispMode, DisplayMode::Bar);
  EXPECT_TRUE(program->bar().isVisible());
  EXPECT_FALSE(program->panel().isVisible());
  // The bar's exit item unloads the hidden panel too, which runs the shut-down.
  bool finished = false;
  QObject::connect(program.get(), &Program::finished, [&] { finished = true; });
  program->bar().endendClick();
  EXPECT_TRUE(finished);
  EXPECT_TRUE(d.called("free"));
  // A second unload does nothing more.
  d.clearCalls();
  program->shutDown();
  EXPECT_FALSE(d.called("free"));
}

// Only what a killed copy of the program provably left goes: a temporary file of ours that no
// running copy holds. Names a user may have chosen stay, whatever they look like.
TEST_F(StartUp, OnlyTemporaryFilesOfAKilledCopyAreRemoved) {
  writeState();
  const QStringList kept{"sorvane.dat.backup", "sorvane.m3u.before", "sorvdb.mdb.new",
                         "_sorvdb.mdb.tmp",    ".sorvane-tmp-a1B2c", ".sorvane-tmp-a1B2c3.wav"};
  for (const QString& name : kept + QStringList{".sorvane-tmp-a1B2c3", ".sorvane-tmp-Zz9y8X"}) {
    QFile file(work + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  // Another copy of the program, writing its state file just now.
  WholeFileWriter running;
  ASSERT_TRUE(running.open((work + "sorvane.dat").toStdString()));
  const QString held = QFileInfo(QString::fromStdString(running.temporaryPath())).fileName();
  ASSERT_EQ(program->startUp(QString()), Program::Start::Running);
  QStringList left = QDir(work).entryList(QDir::Files | QDir::Hidden);
  left.sort();
  QStringList expected = kept + QStringList{"sorvane.dat", held};
  expected.sort();
  EXPECT_EQ(left, expected);
}

TEST_F(StartUp, ASecondCopyHandsItsFileToTheFirstAndShowsNothing) {
  writeState();
  const QString name = handOverServerName(
      QStringLiteral("startup-test-pair-%1").arg(QCoreApplication::applicationPid()));
  Program first(d, name);
  ASSERT_EQ(first.startUp(QString()), Program::Start::Running);
  const QString song = work + "handed.mp3";
  QFile(song).open(QIODevice::WriteOnly);

  StartUpEngine secondEngine;
  Program second(secondEngine, name);
  EXPECT_EQ(second.startUp(song), Program::Start::HandedOver);
  EXPECT_FALSE(second.panel().isVisible());
  EXPECT_FALSE(second.bar().isVisible());
  EXPECT_TRUE(secondEngine.calls.empty());

  ASSERT_TRUE(waitUntil([&] { return first.state().playState == 1; }))
      << "the handed-over song did not start";
  EXPECT_EQ(d.openPath, song.toStdString());
  EXPECT_EQ(first.state().listCount, 1);
  EXPECT_EQ(first.panel().counter(), "0001 / 0001");
}

}  // namespace sorv::test
