// The real program under the test command's X server, used as a person would use it: hot spots
// clicked at the panel's coordinates, captions read from the window system, files and sound
// checked afterwards.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <csignal>
#include <cstring>

#include "tests/e2e/DesktopSession.h"

namespace sorv::e2e {
namespace {

// Hot spots of the main panel, in pixels (the middle of each rectangle).
constexpr int kCloseX = 352, kCloseY = 16;
constexpr int kStopX = 352, kStopY = 36;
constexpr int kBarX = 352, kBarY = 60;
constexpr int kSelectX = 345, kSelectY = 124;

const char* const kIdleCaption = "^そるばね Ver\\.1\\.14$";

QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class WholeProgram : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(session.ok()) << "needs the X server of the test command"; }

  // Starts with args and returns the main panel once its caption matches pattern. Without a
  // state file of its own the program starts from defaults and ignores its command line.
  QString startAndWait(const QStringList& args, const QString& pattern) {
    if (!QFile::exists(session.home() + "/sorvane.dat")) EXPECT_TRUE(session.writeDefaultState());
    session.start(args);
    const QString panel = session.waitForWindow(pattern, 15000);
    EXPECT_FALSE(panel.isEmpty()) << "no window captioned " << qPrintable(pattern);
    return panel;
  }

  // Waits until window is no longer on screen.
  bool waitUntilHidden(const QString& window, int timeoutMs = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (session.isVisible(window)) {
      if (timer.elapsed() > timeoutMs) return false;
      QThread::msleep(100);
    }
    return true;
  }

  void closeAndWait(const QString& panel) {
    session.click(panel, kCloseX, kCloseY);
    EXPECT_TRUE(session.waitForExit(10000)) << "the close hot spot did not end the program";
  }

  DesktopSession session;
};

TEST_F(WholeProgram, PlaysTheCommandLineSongWithItsDatabaseTitleAndSavesAtExit) {
  ASSERT_TRUE(session.makeDemoDatabase());
  const QString song = session.copyIn("demo/songs/hoshizora_opening.mp3");
  session.copyIn("demo/songs/hoshizora_opening.txt");
  const QString panel = startAndWait({song}, "^♪");
  ASSERT_FALSE(panel.isEmpty());
  EXPECT_EQ(session.windowCaption(panel), "♪星空のオーバーチュア");

  session.click(panel, kStopX, kStopY);
  EXPECT_TRUE(QRegularExpression(kIdleCaption)
                  .match(session.waitForCaption(panel, kIdleCaption, 3000))
                  .hasMatch());
  closeAndWait(panel);

  const QByteArray state = readAll(session.home() + "/sorvane.dat");
  EXPECT_EQ(state.count("\r\n"), 19);
  EXPECT_TRUE(state.startsWith("0,0,0\r\n")) << state.left(40).constData();
}

TEST_F(WholeProgram, WhatIsHeardIsTheSongThatWasStarted) {
  const QString song = session.copyIn("tests/fixtures/tone440_mpeg1_128k_js.mp3");
  const QString panel = startAndWait({song}, "^♪");
  ASSERT_FALSE(panel.isEmpty());
  QThread::msleep(2500);
  closeAndWait(panel);
  EXPECT_NEAR(dominantFrequency(session.heardFile(), 0.3, 1.0), 440, 10);
}

TEST_F(WholeProgram, ASecondCopyHandsItsFileOverAndEnds) {
  const QString first = session.copyIn("tests/fixtures/tone440_mpeg1_128k_js.mp3");
  const QString second = session.copyIn("tests/fixtures/tone1k_mpeg2_mono.mp3");
  const QString panel = startAndWait({first}, "^♪");
  ASSERT_FALSE(panel.isEmpty());
  const QString before = session.windowCaption(panel);

  EXPECT_EQ(session.runSecondCopy({}, 5000), 0);
  QThread::msleep(500);
  EXPECT_EQ(session.windowCaption(panel), before) << "an empty hand-over changed something";

  EXPECT_EQ(session.runSecondCopy({second}, 5000), 0);
  EXPECT_EQ(session.waitForCaption(panel, "tone1k", 5000), "♪tone1k_mpeg2_mono.mp3");
  closeAndWait(panel);
}

TEST_F(WholeProgram, SettingsAndPlayListComeBackAtTheNextStart) {
  const QString a = session.copyIn("tests/fixtures/tone440_mpeg1_128k_js.mp3");
  const QString b = session.copyIn("tests/fixtures/tone1k_mpeg2_mono.mp3");
  const QString home = session.home() + "/";
  QByteArray state = "1,2,2\r\n";
  for (int v : {60, 40, 20, 0, -20, -20, 0, 20, 40, 60}) state += QByteArray::number(v) + "\r\n";
  state += "5,70,90\r\n1,1\r\n\"" + home.toUtf8() + "\",\"\",\"\"\r\n\"" + home.toUtf8() + "\",\"" +
           home.toUtf8() + "\"\r\n1,0,10\r\n\"" + home.toUtf8() + "\"\r\n1,0\r\n0\r\n";
  const QByteArray list = (a + "\r\n" + b + "\r\n").toUtf8();
  {
    QFile f(home + "sorvane.dat");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(state);
    QFile m(home + "sorvane.m3u");
    ASSERT_TRUE(m.open(QIODevice::WriteOnly));
    m.write(list);
  }
  const QString panel = startAndWait({}, kIdleCaption);
  ASSERT_FALSE(panel.isEmpty());
  closeAndWait(panel);
  EXPECT_EQ(readAll(home + "sorvane.dat"), state);
  EXPECT_EQ(readAll(home + "sorvane.m3u"), list);
}

// Log-out and service managers end programs with SIGTERM, a terminal with SIGINT: the player
// still ends through its close routine and keeps its settings and play list.
TEST_F(WholeProgram, EndSignalsCloseTheProgramAndSaveItsState) {
  const QString song = session.copyIn("tests/fixtures/tone440_mpeg1_128k_js.mp3");
  for (int signal : {SIGTERM, SIGINT}) {
    ASSERT_FALSE(startAndWait({song}, "^♪").isEmpty()) << "start before signal " << signal;
    // Read at start-up; only the shut-down writes it again.
    QFile::remove(session.home() + "/sorvane.dat");
    ::kill(static_cast<pid_t>(session.process().processId()), signal);
    ASSERT_TRUE(session.waitForExit(10000)) << "signal " << signal << " did not end the program";
    EXPECT_EQ(session.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(session.process().exitCode(), 0);
    EXPECT_EQ(readAll(session.home() + "/sorvane.dat").count("\r\n"), 19);
  }
}

TEST_F(WholeProgram, AnEndSignalAlsoEndsAMessageShownAtStartUp) {
  ASSERT_TRUE(session.writeDefaultState());
  QFile bad(session.home() + "/bad.mp3");
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write(QByteArray(4000, '\x5a'));
  bad.close();
  session.start({bad.fileName()});
  ASSERT_FALSE(session.waitForWindow("^そるばね$", 10000).isEmpty()) << "no message shown";
  ::kill(static_cast<pid_t>(session.process().processId()), SIGTERM);
  ASSERT_TRUE(session.waitForExit(10000)) << "the message kept the program alive";
  EXPECT_EQ(session.process().exitCode(), 0);
}

TEST_F(WholeProgram, VersionAndHelpAnswerWithoutStartingOrHandingOver) {
  const QString panel = startAndWait({}, kIdleCaption);
  ASSERT_FALSE(panel.isEmpty());
  for (const char* option : {"--version", "--help"}) {
    QProcess p;
    p.start(qEnvironmentVariable("SORV_BINARY_DIR") + "/app/sorvane/sorvane", {option});
    ASSERT_TRUE(p.waitForFinished(5000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(p.readAllStandardOutput().startsWith(
        std::strcmp(option, "--version") == 0 ? "sorvane 1.14" : "usage: sorvane"));
  }
  EXPECT_TRUE(QRegularExpression(kIdleCaption).match(session.windowCaption(panel)).hasMatch());
  closeAndWait(panel);
}

TEST_F(WholeProgram, TheBarReplacesThePanelAndGivesItBack) {
  const QString song = session.copyIn("tests/fixtures/tone440_mpeg1_128k_js.mp3");
  const QString panel = startAndWait({song}, "^♪");
  ASSERT_FALSE(panel.isEmpty());
  session.click(panel, kBarX, kBarY);
  const QString bar = session.waitForWindow("^そるばね$", 5000);
  ASSERT_FALSE(bar.isEmpty());
  EXPECT_FALSE(session.isVisible(panel));

  // The bar hangs above the screen until the pointer touches the top edge.
  session.movePointer(200, 0);
  QRect where;
  for (int i = 0; i < 50 && (where = session.geometry(bar)).top() != 0; ++i) QThread::msleep(100);
  ASSERT_EQ(where.top(), 0);
  // The last of the bar's buttons goes back to the panel.
  session.click(bar, where.width() - 23, 13);
  for (int i = 0; i < 30 && !session.isVisible(panel); ++i) QThread::msleep(100);
  EXPECT_TRUE(session.isVisible(panel));
  closeAndWait(panel);
}

TEST_F(WholeProgram, TheSelectionWindowBuildsItsTreeAndPlaysTheTickedSongs) {
  ASSERT_TRUE(session.makeDemoDatabase());
  for (const char* name : {"hoshizora_opening.mp3", "kaze_no_ending.mp3", "unregistered_demo.mp3"})
    session.copyIn(QStringLiteral("demo/songs/") + name, QStringLiteral("songs/") + name);
  const QString panel = startAndWait({}, kIdleCaption);
  ASSERT_FALSE(panel.isEmpty());
  session.click(panel, kSelectX, kSelectY);
  const QString selection = session.waitForWindow("^選曲", 5000);
  ASSERT_FALSE(selection.isEmpty());
  const QRect frame = session.geometry(selection);

  // 全検索 scans the search folder and the current one and builds the tree, which opens
  // fully for so few songs; the first row is the anime-song genre.
  session.click(selection, frame.width() - 84, frame.height() - 79);
  EXPECT_EQ(session.waitForCaption(selection, "0000/0003", 5000), "選曲（ 0000/0003 件）");
  session.click(selection, 41, 20);
  EXPECT_EQ(session.waitForCaption(selection, "0002/0003", 3000), "選曲（ 0002/0003 件）");
  // 選曲完了 plays the ticked songs in tree order.
  session.click(selection, frame.width() - 235, frame.height() - 23);
  EXPECT_EQ(session.waitForCaption(panel, "^♪", 5000), "♪星空のオーバーチュア");
  closeAndWait(panel);
}

// The selection window is hidden, not rebuilt: what the user left there is there again. Its
// MP3コピー and WAV変換 buttons open their windows on the ticked songs, which land in the folder
// shown (the program's working folder): copies equal to the songs, WAV files equal to mpg123's.
TEST_F(WholeProgram, TheSelectionWindowKeepsItsTreeAndCopiesAndConvertsTheTickedSongs) {
  ASSERT_TRUE(session.makeDemoDatabase());
  const QStringList ticked = {"hoshizora_opening", "kaze_no_ending"};
  for (const char* name : {"hoshizora_opening.mp3", "kaze_no_ending.mp3", "unregistered_demo.mp3"})
    session.copyIn(QStringLiteral("demo/songs/") + name, QStringLiteral("songs/") + name);
  const QString panel = startAndWait({}, kIdleCaption);
  ASSERT_FALSE(panel.isEmpty());
  session.click(panel, kSelectX, kSelectY);
  QString selection = session.waitForWindow("^選曲", 5000);
  ASSERT_FALSE(selection.isEmpty());
  const QRect frame = session.geometry(selection);
  auto button = [&](int column, int row) {
    session.click(selection, frame.width() - (column == 0 ? 235 : 84),
                  frame.height() - 79 + 28 * row);
  };
  button(1, 0);  // 全検索
  EXPECT_EQ(session.waitForCaption(selection, "0000/0003", 5000), "選曲（ 0000/0003 件）");
  session.click(selection, 41, 20);
  EXPECT_EQ(session.waitForCaption(selection, "0002/0003", 3000), "選曲（ 0002/0003 件）");

  button(1, 2);  // 選曲取消
  ASSERT_TRUE(waitUntilHidden(selection)) << "選曲取消 did not close the window";
  session.click(panel, kSelectX, kSelectY);
  selection = session.waitForWindow("^選曲", 5000);
  ASSERT_FALSE(selection.isEmpty()) << "the selection window did not open again";
  EXPECT_EQ(session.windowCaption(selection), "選曲（ 0002/0003 件）");

  button(0, 1);  // MP3コピー
  const QString copy = session.waitForWindow("^ＭＰ３ファイルコピー", 5000);
  ASSERT_FALSE(copy.isEmpty()) << "MP3コピー opened no window";
  session.click(copy, 244, 104);  // コピー開始
  ASSERT_TRUE(waitUntilHidden(copy)) << "the copy did not end";
  for (const QString& name : ticked)
    EXPECT_EQ(readAll(session.home() + "/" + name + ".mp3"),
              readAll(session.home() + "/songs/" + name + ".mp3"))
        << qPrintable(name);

  button(1, 1);  // WAV変換
  const QString wav = session.waitForWindow("^WAV変換", 5000);
  ASSERT_FALSE(wav.isEmpty()) << "WAV変換 opened no window";
  session.click(wav, 244, 102);  // 変換開始
  ASSERT_TRUE(waitUntilHidden(wav, 60000)) << "the export did not end";
  for (const QString& name : ticked) {
    const QString reference = session.home() + "/" + name + ".reference.wav";
    ASSERT_EQ(QProcess::execute(
                  "mpg123", {"-q", "-w", reference, session.home() + "/songs/" + name + ".mp3"}),
              0);
    const QByteArray written = readAll(session.home() + "/" + name + ".WAV");
    EXPECT_FALSE(written.isEmpty()) << qPrintable(name);
    EXPECT_TRUE(written == readAll(reference)) << qPrintable(name) << " differs from mpg123 -w";
  }
  button(1, 2);  // 選曲取消: the panel takes clicks again
  ASSERT_TRUE(waitUntilHidden(selection));
  closeAndWait(panel);
}

}  // namespace
}  // namespace sorv::e2e
