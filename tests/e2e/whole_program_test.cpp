// The real program under the test command's X server, used as a person would use it: hot spots
// clicked at the panel's coordinates, captions read from the window system, files and sound
// checked afterwards.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
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
    if (!QFile::exists(session.home() + "/sorvane.dat")) EXPECT_TRUE(session.WriteDefaultState());
    session.Start(args);
    const QString panel = session.WaitForWindow(pattern, 15000);
    EXPECT_FALSE(panel.isEmpty()) << "no window captioned " << qPrintable(pattern);
    return panel;
  }

  void closeAndWait(const QString& panel) {
    session.Click(panel, kCloseX, kCloseY);
    EXPECT_TRUE(session.WaitForExit(10000)) << "the close hot spot did not end the program";
  }

  DesktopSession session;
};

TEST_F(WholeProgram, PlaysTheCommandLineSongWithItsDatabaseTitleAndSavesAtExit) {
  ASSERT_TRUE(session.MakeDemoDatabase());
  const QString song = session.CopyIn("demo/songs/hoshizora_opening.mp3");
  session.CopyIn("demo/songs/hoshizora_opening.txt");
  const QString panel = startAndWait({song}, "^♪");
  ASSERT_FALSE(panel.isEmpty());
  EXPECT_EQ(session.Caption(panel), "♪星空のオーバーチュア");

  session.Click(panel, kStopX, kStopY);
  EXPECT_TRUE(QRegularExpression(kIdleCaption)
                  .match(session.WaitForCaption(panel, kIdleCaption, 3000))
                  .hasMatch());
  closeAndWait(panel);

  const QByteArray state = readAll(session.home() + "/sorvane.dat");
  EXPECT_EQ(state.count("\r\n"), 19);
  EXPECT_TRUE(state.startsWith("0,0,0\r\n")) << state.left(40).constData();
}

TEST_F(WholeProgram, WhatIsHeardIsTheSongThatWasStarted) {
  const QString song = session.CopyIn("tests/fixtures/tone440_mpeg1_128k_js.mp3");
  const QString panel = startAndWait({song}, "^♪");
  ASSERT_FALSE(panel.isEmpty());
  QThread::msleep(2500);
  closeAndWait(panel);
  EXPECT_NEAR(DominantFrequency(session.heardFile(), 0.3, 1.0), 440, 10);
}

TEST_F(WholeProgram, ASecondCopyHandsItsFileOverAndEnds) {
  const QString first = session.CopyIn("tests/fixtures/tone440_mpeg1_128k_js.mp3");
  const QString second = session.CopyIn("tests/fixtures/tone1k_mpeg2_mono.mp3");
  const QString panel = startAndWait({first}, "^♪");
  ASSERT_FALSE(panel.isEmpty());
  const QString before = session.Caption(panel);

  EXPECT_EQ(session.RunSecondCopy({}, 5000), 0);
  QThread::msleep(500);
  EXPECT_EQ(session.Caption(panel), before) << "an empty hand-over changed something";

  EXPECT_EQ(session.RunSecondCopy({second}, 5000), 0);
  EXPECT_EQ(session.WaitForCaption(panel, "tone1k", 5000), "♪tone1k_mpeg2_mono.mp3");
  closeAndWait(panel);
}

TEST_F(WholeProgram, SettingsAndPlayListComeBackAtTheNextStart) {
  const QString a = session.CopyIn("tests/fixtures/tone440_mpeg1_128k_js.mp3");
  const QString b = session.CopyIn("tests/fixtures/tone1k_mpeg2_mono.mp3");
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
  EXPECT_TRUE(QRegularExpression(kIdleCaption).match(session.Caption(panel)).hasMatch());
  closeAndWait(panel);
}

TEST_F(WholeProgram, TheBarReplacesThePanel) {
  const QString song = session.CopyIn("tests/fixtures/tone440_mpeg1_128k_js.mp3");
  const QString panel = startAndWait({song}, "^♪");
  ASSERT_FALSE(panel.isEmpty());
  session.Click(panel, kBarX, kBarY);
  QThread::msleep(500);
  EXPECT_FALSE(session.IsVisible(panel));
  session.process().terminate();
}

TEST_F(WholeProgram, TheSelectionWindowOpensWhenTheDatabaseDoes) {
  ASSERT_TRUE(session.MakeDemoDatabase());
  const QString panel = startAndWait({}, kIdleCaption);
  ASSERT_FALSE(panel.isEmpty());
  session.Click(panel, kSelectX, kSelectY);
  EXPECT_FALSE(session.WaitForWindow("^選曲", 5000).isEmpty());
  session.process().terminate();
}

}  // namespace
}  // namespace sorv::e2e
