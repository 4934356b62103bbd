#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>

#include "decoder/LyricTimer.h"
#include "tests/decoder/TestSignals.h"

namespace sorv {
namespace {

// The five slots as the panel shows them top to bottom: slots 5, 4, 3, 2, 1.
std::vector<std::string> rows(const LyricTimer& timer, int64_t ms) {
  LyricsRecord record;
  timer.fill(ms, record);
  return {record.slot[4], record.slot[3], record.slot[2], record.slot[1], record.slot[0]};
}

TEST(LyricTimerTest, SlotsAroundTheCurrentLine) {
  LyricTimer timer;
  ASSERT_TRUE(timer.parse("[00:01.00]a\n[00:02.00]b\n[00:03.00]c\n[00:04.00]d\n[00:05.00]e\n"));
  using Rows = std::vector<std::string>;
  EXPECT_EQ(rows(timer, 500), (Rows{"", "", "", "a", "b"}));
  EXPECT_EQ(rows(timer, 1000), (Rows{"", "", "a", "b", "c"}));  // exactly on the boundary
  EXPECT_EQ(rows(timer, 2999), (Rows{"", "a", "b", "c", "d"}));
  EXPECT_EQ(rows(timer, 3000), (Rows{"a", "b", "c", "d", "e"}));
  EXPECT_EQ(rows(timer, 99000), (Rows{"c", "d", "e", "", ""}));
  LyricsRecord record;
  timer.fill(500, record);
  EXPECT_EQ(record.value, -1);
  timer.fill(3500, record);
  EXPECT_EQ(record.value, 2);
}

TEST(LyricTimerTest, OutOfOrderTagsAndSeveralTagsOnALine) {
  LyricTimer timer;
  ASSERT_TRUE(timer.load(test::fixture("lyrics_utf8.lrc")));
  ASSERT_EQ(timer.lines().size(), 4u);
  EXPECT_EQ(rows(timer, 1200)[2], "くりかえし");
  EXPECT_EQ(rows(timer, 1700)[2], "二行目");
  EXPECT_EQ(rows(timer, 2600)[2], "くりかえし");
  EXPECT_EQ(rows(timer, 1700)[1], "くりかえし");
}

TEST(LyricTimerTest, EqualTimestampsKeepFileOrder) {
  LyricTimer timer;
  ASSERT_TRUE(timer.parse("[00:02.00]second\n[00:01.00]first\n[00:01.00]first-b\n"));
  EXPECT_EQ(rows(timer, 1000)[2], "first-b");
  EXPECT_EQ(rows(timer, 1000)[1], "first");
  EXPECT_EQ(rows(timer, 1000)[3], "second");
}

TEST(LyricTimerTest, TimeFormsOffsetAndLead) {
  LyricTimer timer;
  ASSERT_TRUE(timer.parse("[offset:+500]\n[01:02:50]colon\n[00:03]plain\n[00:04.125]ms\n"));
  ASSERT_EQ(timer.lines().size(), 3u);
  EXPECT_EQ(timer.lines()[0].ms, 2500);
  EXPECT_EQ(timer.lines()[1].ms, 3625);
  EXPECT_EQ(timer.lines()[2].ms, 62000);
  timer.setLeadMs(1000);
  EXPECT_EQ(rows(timer, 1500)[2], "plain");
  EXPECT_EQ(timer.currentIndex(1499), -1);
  // Word times of enhanced LRC are timing, not text; other angle brackets stay.
  ASSERT_TRUE(
      timer.parse("[00:00.50]<00:00.50>一<00:00.80>行<00:01.00>目\n[00:02]<b> 1<2 <0:1>\n"));
  EXPECT_EQ(timer.text(timer.lines()[0]), "一行目");
  EXPECT_EQ(timer.text(timer.lines()[1]), "<b> 1<2 ");
}

TEST(LyricTimerTest, EncodingsAreDetected) {
  LyricTimer timer;
  ASSERT_TRUE(timer.load(test::fixture("lyrics_sjis.lrc")));
  EXPECT_EQ(rows(timer, 600)[2], "一行目");
  EXPECT_EQ(rows(timer, 1600)[2], "二行目");
  // UTF-16 little endian with its byte order mark: "[00:01]あ"
  const std::string utf16(
      "\xFF\xFE[\0"
      "0\0"
      "0\0"
      ":\0"
      "0\0"
      "1\0"
      "]\0"
      "\x42\x30",
      18);
  ASSERT_TRUE(timer.parse(utf16));
  EXPECT_EQ(rows(timer, 1000)[2], "あ");
}

TEST(LyricTimerTest, RefusesFilesWithoutTimedLines) {
  LyricTimer timer;
  EXPECT_FALSE(timer.load(test::fixture("no-such-file.lrc")));
  EXPECT_FALSE(timer.parse("just words\n[ar:someone]\n[xx:yy]bad\n"));
  EXPECT_TRUE(timer.empty());
  EXPECT_EQ(rows(timer, 1000), std::vector<std::string>(5));
}

TEST(LyricTimerTest, LongLinesAreCutOnACharacter) {
  std::string line = "[00:01.00]";
  for (int i = 0; i < 200; ++i) line += "あ";
  LyricTimer timer;
  ASSERT_TRUE(timer.parse(line));
  EXPECT_EQ(timer.text(timer.lines()[0]).size(), 128u * 3);
}

// A line with a great many tags keeps its text once and no more tags than the cap; a folder or a
// FIFO named as the lyric file is no lyric file, and reading it never blocks.
TEST(LyricTimerTest, WhatALyricFileMayCostIsCapped) {
  std::string many;
  for (int i = 0; i < 100000; ++i) many += "[00:01.00]";
  LyricTimer timer;
  ASSERT_TRUE(timer.parse(many + "くりかえし\n[00:02.00]next\n"));
  ASSERT_EQ(timer.lines().size(), LyricTimer::kMaxTimes);
  EXPECT_EQ(&timer.text(timer.lines().front()), &timer.text(timer.lines().back()));
  EXPECT_EQ(timer.text(timer.lines().back()), "くりかえし");
  QTemporaryDir dir;
  const std::string fifo = dir.filePath("song.txt").toStdString();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(timer.load(fifo));
  EXPECT_FALSE(timer.load(dir.path().toStdString()));
  EXPECT_TRUE(timer.empty());
}

}  // namespace
}  // namespace sorv
