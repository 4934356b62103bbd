// The real program under its own X server, used as a person would use it: hot spots
// clicked at the panel's coordinates, captions read from the window system, files and sound
// checked afterwards.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "tests/e2e/DesktopSession.h"

namespace sorv::e2e {
namespace {

// Hot spots of the main panel, in pixels (the middle of each rectangle).
constexpr int kCloseX = 352, kCloseY = 16;
constexpr int kPreviousX = 288, kPlayX = 320, kStopX = 352, kStopY = 36;
constexpr int kNextX = 288, kPauseX = 320, kBarX = 352, kBarY = 60;
constexpr int kLowerX = 345, kOptionsY = 104, kSelectY = 124, kLoopY = 144, kShuffleY = 164,
              kAboutY = 184;
constexpr int kSelectX = kLowerX;
// The song details and lyric lines.
constexpr int kLyricsX = 150, kLyricsY = 150;

const char* const kIdleCaption = "^そるばね Ver\\.1\\.14$";
const char* const kFirstSong = "♪星空のオーバーチュア";
const char* const kSecondSong = "♪風のエンディング";

QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class WholeProgram : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(session.ok()) << "needs the X server of its own test"; }

  // Starts with args and returns the main panel once its caption matches pattern. Without a
  // state file of its own the program starts from defaults and ignores its command line.
  QString startAndWait(const QStringList& args, const QString& pattern) {
    if (!QFile::exists(session.home() + "/sorvane.dat")) {
      EXPECT_TRUE(session.writeDefaultState());
    }
    session.start(args);
    const QString panel = session.waitForWindow(pattern, 15000);
    EXPECT_FALSE(panel.isEmpty()) << "no window captioned " << qPrintable(pattern);
    return panel;
  }

  // Waits until window is no longer on screen.
  // Opens the selection window from the panel and presses 全検索, which scans the search folder
  // and the current one and builds the tree (open in full for so few songs); then ticks the first
  // row, a genre, so that its songs are ticked. ticked is the count the caption shows then
  // ("0002/0003"). Returns the window.
  QString searchAndTickTheFirstRow(const QString& panel, const QString& ticked) {
    session.click(panel, kSelectX, kSelectY);
    const QString selection = session.waitForWindow("^選曲", 15000);
    if (selection.isEmpty()) return selection;
    const QRect frame = session.geometry(selection);
    const QString found = "0000/" + ticked.section('/', 1);
    session.click(selection, frame.width() - 84, frame.height() - 79);
    EXPECT_EQ(session.waitForCaption(selection, found, 15000), "選曲（ " + found + " 件）");
    session.click(selection, 41, 20);
    EXPECT_EQ(session.waitForCaption(selection, ticked, 10000), "選曲（ " + ticked + " 件）");
    return selection;
  }

  // 選曲完了: the ticked songs become the play list.
  void pressSelectionDone(const QString& selection) {
    const QRect frame = session.geometry(selection);
    session.click(selection, frame.width() - 235, frame.height() - 23);
  }

  bool waitUntilHidden(const QString& window, int timeoutMs = 30000) {
    return DesktopSession::waitFor([&] { return !session.isVisible(window); }, timeoutMs);
  }

  // The two demo songs with their lyrics in the search folder, as a play list file.
  QString demoPlayList() {
    QStringList songs;
    for (const QString& name : {"hoshizora_opening", "kaze_no_ending"}) {
      songs << session.copyIn("demo/songs/" + name + ".mp3", "songs/" + name + ".mp3");
      session.copyIn("demo/songs/" + name + ".txt", "songs/" + name + ".txt");
    }
    const QString list = session.home() + "/two.m3u";
    QFile file(list);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(songs.join("\n").toUtf8() + "\n");
    return list;
  }

  // A window that a command opens: it appears, and Escape closes it again.
  void expectWindowThatEscapeCloses(const QString& caption) {
    const QString window = session.waitForWindow(caption, 15000);
    ASSERT_FALSE(window.isEmpty()) << "no window " << qPrintable(caption);
    session.xdotool({"windowfocus", window});
    session.pressKeys({"Escape"});
    EXPECT_TRUE(waitUntilHidden(window)) << qPrintable(caption) << " stayed open";
  }

  // The lyrics window opens beside the panel and stays; it is moved out of the way.
  void expectLyricsWindow() {
    const QString window = session.waitForWindow("^歌詞表示$", 15000);
    ASSERT_FALSE(window.isEmpty()) << "no lyrics window";
    session.xdotool({"windowmove", window, "800", "700"});
  }

  // The first two fields of a line of the state file saved at exit: line 15 holds loop and
  // shuffle, line 17 the bar's hide and first-shown options (from 0).
  QStringList savedPair(int line) {
    const QList<QByteArray> lines = readAll(session.home() + "/sorvane.dat").split('\n');
    if (lines.size() <= line) return {};
    return QString::fromUtf8(lines[line]).trimmed().split(',').mid(0, 2);
  }

  bool paused() {
    return DesktopSession::waitFor([&] { return lastPeak(session.heardFile(), 0.3) == 0; }, 15000);
  }
  bool sounding() {
    return DesktopSession::waitFor([&] { return lastPeak(session.heardFile(), 0.3) > 0.01f; },
                                   15000);
  }

  void closeAndWait(const QString& panel) {
    session.click(panel, kCloseX, kCloseY);
    EXPECT_TRUE(session.waitForExit(30000)) << "the close hot spot did not end the program";
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
                  .match(session.waitForCaption(panel, kIdleCaption, 10000))
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
  ASSERT_TRUE(session.waitForHeard(1.5, 20000)) << "the song was not heard for 1.5 s";
  closeAndWait(panel);
  EXPECT_NEAR(dominantFrequency(session.heardFile(), 0.3, 1.0), 440, 10);
}

// The lines of the song information's file data (drawn in green) in the panel's lower picture
// area: four for MPEG (format, mode, bit rate, size), two for a lossless stream (format, size).
int fileDataLines(const QImage& panel) {
  const QRect area(8, 92, 301, 105);
  int lines = 0;
  bool inLine = false;
  for (int y = area.top(); y <= area.bottom() && y < panel.height(); ++y) {
    bool green = false;
    for (int x = area.left(); x <= area.right() && x < panel.width() && !green; ++x) {
      const QColor c = panel.pixelColor(x, y);
      green = c.green() > c.red() + 40 && c.green() > c.blue() + 40;  // text over navy
    }
    lines += green && !inLine;
    inLine = green;
  }
  return lines;
}

TEST_F(WholeProgram, AFlacOnTheCommandLinePlaysWithItsTagAndStreamData) {
  const QString song = session.home() + "/曲.flac";
  QProcess ffmpeg;
  ffmpeg.start("ffmpeg",
               {"-loglevel", "error", "-f", "lavfi", "-i", "sine=frequency=660:d=4", "-ac", "2",
                "-sample_fmt", "s16", "-metadata", "title=フラックの歌", song});
  ASSERT_TRUE(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0) << "ffmpeg failed";
  const QString panel = startAndWait({song}, "^♪フラックの歌$");
  ASSERT_FALSE(panel.isEmpty());
  ASSERT_TRUE(session.waitForHeard(1.0, 20000)) << "the FLAC was not heard";
  const QImage shown = session.grab(panel);
  ASSERT_FALSE(shown.isNull()) << "no screenshot of the panel";
  EXPECT_EQ(fileDataLines(shown), 2) << "not the two lines of a lossless stream's data";
  closeAndWait(panel);
  EXPECT_NEAR(dominantFrequency(session.heardFile(), 0.3, 0.6), 660, 10);
}

TEST_F(WholeProgram, ASecondCopyHandsItsFileOverAndEnds) {
  const QString first = session.copyIn("tests/fixtures/id3v24_utf8.mp3");
  const QString second = session.copyIn("tests/fixtures/tone1k_mpeg2_mono.mp3");
  // Without a song database the caption is the tag's title.
  const QString panel = startAndWait({first}, "^♪ユニコード題名$");
  ASSERT_FALSE(panel.isEmpty());

  // An empty hand-over is ignored; hand-overs are taken in the order they come, so the file of
  // the next one shows only if the running copy went on taking them.
  EXPECT_EQ(session.runSecondCopy({}, 10000), 0);
  EXPECT_EQ(session.runSecondCopy({second}, 10000), 0);
  EXPECT_EQ(session.waitForCaption(panel, "tone1k", 10000), "♪tone1k_mpeg2_mono.mp3");
  closeAndWait(panel);
}

// A bare file name, started from its own folder and handed over from another, with a folder
// where the song's lyric file would be: the song is found in the database, the running copy
// keeps playing, and the play list saved at exit names the file in full.
TEST_F(WholeProgram, BareFileNamesWithAFolderForTheirLyricsPlayAndAreSavedInFull) {
  ASSERT_TRUE(session.makeDemoDatabase());
  ASSERT_TRUE(session.writeDefaultState());
  QByteArray state = readAll(session.home() + "/sorvane.dat");
  state.replace(0, 1, "1");  // keep the play list at exit
  QFile stateFile(session.home() + "/sorvane.dat");
  ASSERT_TRUE(stateFile.open(QIODevice::WriteOnly) && stateFile.write(state) == state.size());
  stateFile.close();
  // Untagged, so the caption can only come from the database, found by the file's name.
  session.copyIn("tests/fixtures/tone1k_mpeg2_mono.mp3", "hoshizora_opening.mp3");
  const QString handed =
      session.copyIn("demo/songs/kaze_no_ending.mp3", "music/kaze_no_ending.mp3");
  // The lyrics folder is the home, so both places a lyric file is looked for are folders.
  ASSERT_TRUE(QDir(session.home()).mkpath("hoshizora_opening.txt"));
  ASSERT_TRUE(QDir(session.home()).mkpath("music/kaze_no_ending.txt"));

  const QString panel = startAndWait({"hoshizora_opening.mp3"}, "^♪");
  ASSERT_FALSE(panel.isEmpty());
  EXPECT_EQ(session.windowCaption(panel).toStdString(), "♪星空のオーバーチュア");

  const std::unique_ptr<QProcess> second = session.startCopy({"kaze_no_ending.mp3"}, "music");
  ASSERT_TRUE(second->waitForFinished(15000)) << "the second copy did not end";
  EXPECT_EQ(second->exitCode(), 0);
  EXPECT_EQ(session.waitForCaption(panel, "風の", 15000).toStdString(), "♪風のエンディング");
  ASSERT_EQ(session.process().state(), QProcess::Running) << "the hand-over ended the player";
  closeAndWait(panel);
  EXPECT_EQ(readAll(session.home() + "/sorvane.m3u").toStdString(),
            (handed + "\r\n").toStdString());
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

// A list far beyond 16-bit counts, named on the command line, plays and is saved whole with its
// place; its place past 32,767 comes back at the next start and is saved again.
TEST_F(WholeProgram, AListOfFortyThousandSongsIsPlayedAndSavedWhole) {
  constexpr int kSongs = 40000;
  const QString song = session.copyIn("tests/fixtures/tone440_mpeg1_128k_js.mp3");
  ASSERT_TRUE(QDir(session.home()).mkpath("many"));
  QByteArray list;
  for (int i = 1; i <= kSongs; ++i) {
    const QString link = session.home() + QString("/many/%1.mp3").arg(i, 5, 10, QChar('0'));
    ASSERT_EQ(::link(QFile::encodeName(song).constData(), QFile::encodeName(link).constData()), 0);
    list += link.toUtf8() + "\r\n";
  }
  {
    QFile m3u(session.home() + "/many.m3u");
    ASSERT_TRUE(m3u.open(QIODevice::WriteOnly) && m3u.write(list) == list.size());
  }
  ASSERT_TRUE(session.writeDefaultState());
  QByteArray state = readAll(session.home() + "/sorvane.dat");
  state.replace(0, 1, "1");  // keep the play list at exit
  {
    QFile stateFile(session.home() + "/sorvane.dat");
    ASSERT_TRUE(stateFile.open(QIODevice::WriteOnly) && stateFile.write(state) == state.size());
  }

  QString panel = startAndWait({session.home() + "/many.m3u"}, "^♪");
  ASSERT_FALSE(panel.isEmpty());
  closeAndWait(panel);
  EXPECT_TRUE(readAll(session.home() + "/sorvane.dat").startsWith("1,40000,1\r\n"));
  EXPECT_EQ(readAll(session.home() + "/sorvane.m3u"), list);

  state = readAll(session.home() + "/sorvane.dat");
  state.replace(0, state.indexOf('\r'), "1,40000,40000");
  {
    QFile stateFile(session.home() + "/sorvane.dat");
    ASSERT_TRUE(stateFile.open(QIODevice::WriteOnly) && stateFile.write(state) == state.size());
  }
  panel = startAndWait({}, kIdleCaption);
  ASSERT_FALSE(panel.isEmpty());
  session.click(panel, kPreviousX, kStopY);
  EXPECT_EQ(session.waitForCaption(panel, "^♪", 15000).left(1), "♪");
  closeAndWait(panel);
  EXPECT_TRUE(readAll(session.home() + "/sorvane.dat").startsWith("1,40000,39999\r\n"));
  EXPECT_EQ(readAll(session.home() + "/sorvane.m3u"), list);
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

// Nobody is left to answer a message at log-out: one shown at start-up or by the shut-down itself
// ("状態の保存に失敗しました。") does not keep the program; a second SIGTERM or SIGINT ends it at
// once, while the hang-up that comes with a log-out's SIGTERM does not cut its save short.
TEST_F(WholeProgram, AnEndSignalEndsTheProgramWhateverMessageWaits) {
  ASSERT_TRUE(session.writeDefaultState());
  QFile bad(session.home() + "/bad.mp3");
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write(QByteArray(4000, '\x5a'));
  bad.close();
  session.start({bad.fileName()});
  ASSERT_FALSE(session.waitForWindow("^そるばね$", 15000).isEmpty()) << "no message shown";
  const auto signal = [&](int number) {
    ::kill(static_cast<pid_t>(session.process().processId()), number);
  };
  signal(SIGTERM);
  ASSERT_TRUE(session.waitForExit(10000)) << "the message kept the program alive";
  EXPECT_EQ(session.process().exitCode(), 0);

  // Saving the play list (asked for by the first field) fails: it cannot replace a folder.
  QByteArray state = readAll(session.home() + "/sorvane.dat");
  ASSERT_TRUE(state.startsWith("0,"));
  QFile stateFile(session.home() + "/sorvane.dat");
  ASSERT_TRUE(stateFile.open(QIODevice::WriteOnly));
  stateFile.write(state.replace(0, 1, "1"));
  stateFile.close();
  const QString song = session.copyIn("tests/fixtures/tone440_mpeg1_128k_js.mp3");
  ASSERT_FALSE(startAndWait({song}, "^♪").isEmpty());
  const QString list = session.home() + "/sorvane.m3u";
  QFile::remove(list);
  ASSERT_TRUE(QDir().mkdir(list));
  QFile::remove(session.home() + "/sorvane.dat");
  signal(SIGTERM);
  signal(SIGHUP);
  ASSERT_TRUE(session.waitForExit(10000)) << "the failed save's message kept the program alive";
  EXPECT_EQ(session.process().exitCode(), 0);
  EXPECT_EQ(readAll(session.home() + "/sorvane.dat").count("\r\n"), 19) << "saved first";
  ASSERT_TRUE(QDir(list).removeRecursively());

  ASSERT_FALSE(startAndWait({song}, "^♪").isEmpty());
  signal(SIGTERM);
  signal(SIGINT);
  ASSERT_TRUE(session.waitForExit(3000)) << "a second end signal did not end the program at once";
  EXPECT_GT(session.process().exitCode(), 128);
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
  const QString bar = session.waitForWindow("^そるばね$", 15000);
  ASSERT_FALSE(bar.isEmpty());
  EXPECT_FALSE(session.isVisible(panel));

  // The bar hangs above the screen until the pointer touches the top edge.
  session.movePointer(200, 0);
  QRect where;
  ASSERT_TRUE(session.waitFor([&] { return (where = session.geometry(bar)).top() == 0; }, 10000))
      << "the bar did not slide down to the top edge; it is at " << where.top();
  // The last of the bar's buttons goes back to the panel.
  session.click(bar, where.width() - 23, 13);
  EXPECT_TRUE(session.waitFor([&] { return session.isVisible(panel); }, 10000))
      << "the panel did not come back";
  closeAndWait(panel);
}

TEST_F(WholeProgram, TheSelectionWindowBuildsItsTreeAndPlaysTheTickedSongs) {
  ASSERT_TRUE(session.makeDemoDatabase());
  for (const char* name : {"hoshizora_opening.mp3", "kaze_no_ending.mp3", "unregistered_demo.mp3"})
    session.copyIn(QStringLiteral("demo/songs/") + name, QStringLiteral("songs/") + name);
  const QString panel = startAndWait({}, kIdleCaption);
  ASSERT_FALSE(panel.isEmpty());
  const QString selection = searchAndTickTheFirstRow(panel, "0002/0003");
  ASSERT_FALSE(selection.isEmpty());
  // 選曲完了 plays the ticked songs in tree order.
  pressSelectionDone(selection);
  EXPECT_EQ(session.waitForCaption(panel, "^♪", 15000), "♪星空のオーバーチュア");
  closeAndWait(panel);
}

TEST_F(WholeProgram, ASongWhoseNameIsCp932BytesIsScannedShownDecodedAndPlayed) {
  ASSERT_TRUE(session.makeDemoDatabase());
  // アニメの歌.mp3 as an old Windows archiver wrote it.
  const QString copied = session.copyIn("tests/fixtures/tone440_mpeg1_128k_js.mp3", "songs/a.mp3");
  const QByteArray cp932 =
      QFile::encodeName(session.home()) + "/songs/\x83\x41\x83\x6A\x83\x81\x82\xCC\x89\xCC.mp3";
  ASSERT_EQ(::rename(QFile::encodeName(copied).constData(), cp932.constData()), 0);
  const QString panel = startAndWait({}, kIdleCaption);
  ASSERT_FALSE(panel.isEmpty());
  const QString selection = searchAndTickTheFirstRow(panel, "0001/0001");
  ASSERT_FALSE(selection.isEmpty());
  // The untagged file is named by its file name, decoded; what is heard is its tone.
  pressSelectionDone(selection);
  EXPECT_EQ(session.waitForCaption(panel, "^♪", 15000), "♪アニメの歌.mp3");
  ASSERT_TRUE(session.waitForHeard(1.2, 20000)) << "the song was not heard";
  closeAndWait(panel);
  EXPECT_NEAR(dominantFrequency(session.heardFile(), 0.3, 0.8), 440, 10);
  ::unlink(cp932.constData());  // Qt cannot name it to clean up
}

// Copies started at the same moment, each with a file name relative to its own folder: exactly
// one stays, and it plays what the others handed to it.
TEST_F(WholeProgram, OfEightCopiesStartedTogetherExactlyOneStaysAndTakesTheirFiles) {
  ASSERT_TRUE(session.writeDefaultState());
  for (int i = 0; i < 8; ++i)
    ASSERT_FALSE(
        session.copyIn("demo/songs/hoshizora_opening.mp3", QString("music/song%1.mp3").arg(i))
            .isEmpty());
  for (int round = 0; round < 20; ++round) {
    std::vector<std::unique_ptr<QProcess>> copies;
    for (int i = 0; i < 8; ++i)
      copies.push_back(session.startCopy({QString("song%1.mp3").arg(i)}, "music"));
    const auto running = [&] {
      return std::count_if(copies.begin(), copies.end(), [](const auto& copy) {
        copy->waitForFinished(0);
        return copy->state() != QProcess::NotRunning;
      });
    };
    ASSERT_TRUE(DesktopSession::waitFor([&] { return running() <= 1; }, 60000))
        << "round " << round << ": " << running() << " copies still run after a minute";
    ASSERT_EQ(running(), 1) << "round " << round << ": no copy stayed";
    const QString panel = session.waitForWindow("^♪", 30000);
    EXPECT_FALSE(panel.isEmpty()) << "round " << round << ": the copy that stayed plays nothing";
    for (const auto& copy : copies) {
      if (copy->state() != QProcess::NotRunning) {
        copy->terminate();
        ASSERT_TRUE(copy->waitForFinished(20000)) << "round " << round;
      }
      EXPECT_EQ(copy->exitCode(), 0) << "round " << round;
    }
  }
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
  QString selection = session.waitForWindow("^選曲", 15000);
  ASSERT_FALSE(selection.isEmpty());
  const QRect frame = session.geometry(selection);
  auto button = [&](int column, int row) {
    session.click(selection, frame.width() - (column == 0 ? 235 : 84),
                  frame.height() - 79 + 28 * row);
  };
  button(1, 0);  // 全検索
  EXPECT_EQ(session.waitForCaption(selection, "0000/0003", 15000), "選曲（ 0000/0003 件）");
  session.click(selection, 41, 20);
  EXPECT_EQ(session.waitForCaption(selection, "0002/0003", 10000), "選曲（ 0002/0003 件）");

  button(1, 2);  // 選曲取消
  ASSERT_TRUE(waitUntilHidden(selection)) << "選曲取消 did not close the window";
  session.click(panel, kSelectX, kSelectY);
  selection = session.waitForWindow("^選曲", 15000);
  ASSERT_FALSE(selection.isEmpty()) << "the selection window did not open again";
  EXPECT_EQ(session.windowCaption(selection), "選曲（ 0002/0003 件）");

  button(0, 1);  // MP3コピー
  const QString copy = session.waitForWindow("^ＭＰ３ファイルコピー", 15000);
  ASSERT_FALSE(copy.isEmpty()) << "MP3コピー opened no window";
  session.click(copy, 244, 104);  // コピー開始
  ASSERT_TRUE(waitUntilHidden(copy)) << "the copy did not end";
  for (const QString& name : ticked)
    EXPECT_EQ(readAll(session.home() + "/" + name + ".mp3"),
              readAll(session.home() + "/songs/" + name + ".mp3"))
        << qPrintable(name);

  button(1, 1);  // WAV変換
  const QString wav = session.waitForWindow("^WAV変換", 15000);
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
  // 参照 beside the first search path opens the folder picker on it.
  session.click(selection, frame.width() - 64, 355);
  expectWindowThatEscapeCloses("^フォルダ指定$");
  // 検索 again: a new tree with nothing ticked (the copies just made are found too).
  button(0, 0);
  EXPECT_TRUE(session.waitForCaption(selection, "^選曲（ 0000/", 15000).startsWith("選曲（ 0000/"));
  button(1, 2);  // 選曲取消: the panel takes clicks again
  ASSERT_TRUE(waitUntilHidden(selection));
  closeAndWait(panel);
}

// Each hot spot of the panel, clicked where the skin shows it, does what its user sees.
TEST_F(WholeProgram, EveryPanelHotSpotDoesWhatItsUserSees) {
  ASSERT_TRUE(session.makeDemoDatabase());
  const QString panel = startAndWait({demoPlayList()}, kFirstSong);
  ASSERT_FALSE(panel.isEmpty());
  ASSERT_TRUE(sounding());
  session.click(panel, kPauseX, kBarY);
  EXPECT_TRUE(paused()) << "pause went on sounding";
  session.click(panel, kPlayX, kStopY);
  EXPECT_TRUE(sounding()) << "play did not resume";
  EXPECT_EQ(session.windowCaption(panel), kFirstSong);

  session.click(panel, kNextX, kBarY);
  EXPECT_EQ(session.waitForCaption(panel, kSecondSong, 15000), kSecondSong);
  session.click(panel, kPreviousX, kStopY);
  EXPECT_EQ(session.waitForCaption(panel, kFirstSong, 15000), kFirstSong);

  session.click(panel, kLyricsX, kLyricsY);
  expectLyricsWindow();
  session.click(panel, kStopX, kStopY);
  EXPECT_TRUE(QRegularExpression(kIdleCaption)
                  .match(session.waitForCaption(panel, kIdleCaption, 15000))
                  .hasMatch());
  EXPECT_TRUE(paused()) << "stop went on sounding";

  // The lamps light over their hot spots.
  const QImage unlit = session.grab(panel);
  session.click(panel, kLowerX, kLoopY);
  session.click(panel, kLowerX, kShuffleY);
  EXPECT_TRUE(DesktopSession::waitFor(
      [&] {
        const QImage now = session.grab(panel);
        return now.pixel(kLowerX, kLoopY) != unlit.pixel(kLowerX, kLoopY) &&
               now.pixel(kLowerX, kShuffleY) != unlit.pixel(kLowerX, kShuffleY);
      },
      10000))
      << "the loop and shuffle lamps did not light";

  session.click(panel, kLowerX, kOptionsY);
  expectWindowThatEscapeCloses("^設定$");
  session.click(panel, kLowerX, kSelectY);
  expectWindowThatEscapeCloses("^選曲");
  session.click(panel, kLowerX, kAboutY);
  expectWindowThatEscapeCloses("^そるばねのﾊﾞｰｼﾞｮﾝ情報$");
  closeAndWait(panel);
  EXPECT_EQ(savedPair(15), QStringList({"1", "1"}));
}

// The rows of the progress bar's frame (drawn in its own colour) that a column of the panel's
// upper picture area crosses first, from a shot at the given scale; 0 before it is drawn. The
// column lies right of what two seconds of play fill and left of the time label.
int progressFrameRows(const QImage& shot, int scale) {
  const int x = (8 + 160) * scale;
  int rows = 0;
  for (int y = 8 * scale; y < (8 + 65) * scale && y < shot.height() && x < shot.width(); ++y) {
    if (shot.pixelColor(x, y) == QColor(0, 168, 168))
      ++rows;
    else if (rows > 0)
      break;
  }
  return rows;
}

// Of the 2 x 2 blocks (at even places) of the title's text in a shot at twice the scale, the
// share whose four pixels are not all alike: none in a picture drawn at 1x and enlarged.
double unevenTitleBlocks(const QImage& shot, int* blocks) {
  int text = 0, uneven = 0;
  for (int y = 2 * 10; y < 2 * 30; y += 2) {
    for (int x = 2 * 12; x < 2 * 250; x += 2) {
      const QRgb block[4] = {shot.pixel(x, y), shot.pixel(x + 1, y), shot.pixel(x, y + 1),
                             shot.pixel(x + 1, y + 1)};
      const bool cyan = std::any_of(block, block + 4, [](QRgb p) {
        return qGreen(p) > 200 && qBlue(p) > 200 && qRed(p) < 160;
      });
      if (!cyan) continue;
      ++text;
      uneven += std::count(block, block + 4, block[0]) != 4;
    }
  }
  *blocks = text;
  return text ? double(uneven) / text : 0;
}

// At twice the scale the panel has twice the pixels, drawn afresh rather than enlarged: a one-
// pixel frame stays one device pixel, text edges are not pairs of equal pixels, and the hot
// spots, clicked where the larger skin shows them, work.
TEST_F(WholeProgram, AtTwiceTheScaleThePanelIsDrawnAfreshWithTwiceThePixels) {
  const QString song = session.copyIn("demo/songs/hoshizora_opening.mp3");
  QImage shots[2];
  for (int scale : {1, 2}) {
    session.setVariable("QT_SCALE_FACTOR", QString::number(scale));
    const QString panel = startAndWait({song}, "^♪");
    ASSERT_FALSE(panel.isEmpty()) << "scale " << scale;
    QImage& shot = shots[scale - 1];
    EXPECT_TRUE(DesktopSession::waitFor(
        [&] { return progressFrameRows(shot = session.grab(panel), scale) > 0; }, 10000))
        << "no progress bar at scale " << scale;
    EXPECT_EQ(progressFrameRows(shot, scale), 1) << "scale " << scale;
    session.click(panel, kStopX * scale, kStopY * scale);
    EXPECT_TRUE(QRegularExpression(kIdleCaption)
                    .match(session.waitForCaption(panel, kIdleCaption, 10000))
                    .hasMatch())
        << "stop clicked at scale " << scale;
    session.click(panel, kCloseX * scale, kCloseY * scale);
    ASSERT_TRUE(session.waitForExit(30000)) << "close clicked at scale " << scale;
  }
  ASSERT_FALSE(shots[0].isNull());
  EXPECT_EQ(shots[1].size(), shots[0].size() * 2);
  int blocks = 0;
  EXPECT_GT(unevenTitleBlocks(shots[1], &blocks), 0.3);
  EXPECT_GT(blocks, 100) << "too little of the title found";
  const QImage enlarged = shots[0].scaled(shots[0].size() * 2);
  EXPECT_EQ(unevenTitleBlocks(enlarged, &blocks), 0) << "the measure cannot tell an enlarged copy";
  EXPECT_EQ(progressFrameRows(enlarged, 2), 2);
}

// Each item of the bar's menu, chosen with the keyboard as its user may, does what it says.
TEST_F(WholeProgram, EveryBarMenuItemDoesWhatItsUserSees) {
  ASSERT_TRUE(session.makeDemoDatabase());
  const QString panel = startAndWait({demoPlayList()}, kFirstSong);
  ASSERT_FALSE(panel.isEmpty());
  session.click(panel, kBarX, kBarY);
  const QString bar = session.waitForWindow("^そるばね$", 15000);
  ASSERT_FALSE(bar.isEmpty());
  session.movePointer(200, 0);
  ASSERT_TRUE(session.waitFor([&] { return session.geometry(bar).top() == 0; }, 10000));
  // Item n of the menu: n presses of Down from the top, separators skipped.
  auto choose = [&](int item) {
    session.click(bar, 200, 13, 3);
    ASSERT_FALSE(session.waitForWindow("", 100).isEmpty());
    QStringList keys;
    for (int i = 0; i < item; ++i) keys << "Down";
    session.pressKeys(keys << "Return");
  };
  choose(1);
  expectWindowThatEscapeCloses("^設定$");
  choose(2);
  expectWindowThatEscapeCloses("^選曲");
  choose(3);  // ループ再生
  choose(4);  // 曲順シャッフル
  choose(5);
  expectLyricsWindow();
  choose(6);  // バーを隠す: off, from the state's on
  choose(7);
  expectWindowThatEscapeCloses("^そるばねのﾊﾞｰｼﾞｮﾝ情報$");
  choose(8);  // 終了
  EXPECT_TRUE(session.waitForExit(30000)) << "終了 did not end the program";
  EXPECT_EQ(savedPair(15), QStringList({"1", "1"}));
  EXPECT_EQ(savedPair(17), QStringList({"0", "0"}));
}

// The lyric line lit on the panel at heard time t is the one stamped at or before t, with the
// lyrics window never opened: line k (from 0) is stamped at 2k seconds and is k + 1 letters wide.
TEST_F(WholeProgram, LyricLinesOnThePanelAreOnTime) {
  const QString song = session.home() + "/timed.mp3";
  ASSERT_EQ(QProcess::execute(
                "sox", {"-q", "-n", "-r", "44100", "-c", "2", song, "synth", "13", "sine", "440"}),
            0);
  QFile lyrics(session.home() + "/timed.txt");
  ASSERT_TRUE(lyrics.open(QIODevice::WriteOnly));
  for (int k = 0; k < 6; ++k)
    lyrics.write(QStringLiteral("[00:%1.00]%2\n")
                     .arg(2 * k, 2, 10, QChar('0'))
                     .arg(QString(k + 1, 'W'))
                     .toUtf8());
  lyrics.close();
  const QString panel = startAndWait({song}, "^♪");
  ASSERT_FALSE(panel.isEmpty());
  // The rightmost pixel of the lit (middle) line on the song details: its bluish green stands
  // out from the plain green of the other lines and the dark green ground.
  auto litWidth = [](const QImage& shot) {
    int right = -1;
    for (int y = 150; y < 176; ++y)
      for (int x = 8; x < 8 + 301; ++x)
        if (const QColor c(shot.pixel(x, y)); c.green() > 180 && c.blue() > 100)
          right = std::max(right, x);
    return right;
  };
  struct Sample {
    int line;
    int width;
  };
  std::vector<Sample> samples;
  while (heardSeconds(session.heardFile()) < 11.5) {
    const double before = heardSeconds(session.heardFile());
    const QImage shot = session.grab(panel);
    const double after = heardSeconds(session.heardFile());
    const int line = static_cast<int>(before / 2);
    // Only shots taken well inside one line's two seconds decide.
    if (before - 2 * line > 0.3 && after < 2 * line + 1.7)
      samples.push_back({line, litWidth(shot)});
  }
  ASSERT_GE(samples.size(), 6u);
  // Wider lines are later lines: the widths seen, ranked, must be the lines heard.
  std::vector<int> widths;
  for (const Sample& sample : samples) widths.push_back(sample.width);
  std::sort(widths.begin(), widths.end());
  widths.erase(std::unique(widths.begin(), widths.end()), widths.end());
  for (const Sample& sample : samples) {
    const int rank =
        static_cast<int>(std::find(widths.begin(), widths.end(), sample.width) - widths.begin());
    const int firstLine = samples.front().line;
    EXPECT_EQ(rank + firstLine, sample.line) << "width " << sample.width;
  }
  closeAndWait(panel);
}

}  // namespace
}  // namespace sorv::e2e
