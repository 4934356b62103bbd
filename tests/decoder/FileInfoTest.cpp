#include <gtest/gtest.h>

#include "decoder/AudioSource.h"
#include "decoder/ThreadedAudioEngine.h"
#include "tests/decoder/TestSignals.h"

namespace sorv {
namespace {

struct Info {
  int ok = 0;
  TagRecord tag;
  StreamRecord stream;
};

Info infoOf(const std::string& name) {
  ThreadedAudioEngine engine;
  Info info;
  info.ok = engine.fileInfo(test::fixture(name), info.tag, info.stream);
  return info;
}

TEST(FileInfoTest, MpegStreamFacts) {
  const Info mpeg1 = infoOf("tone440_mpeg1_128k_js.mp3");
  ASSERT_NE(mpeg1.ok, 0);
  EXPECT_EQ(mpeg1.stream.version, 1);
  EXPECT_EQ(mpeg1.stream.layer, 3);
  EXPECT_EQ(mpeg1.stream.mode, 1);
  EXPECT_EQ(mpeg1.stream.bitrate, 128);
  EXPECT_EQ(mpeg1.stream.fileSize, 48900);
  EXPECT_EQ(mpeg1.stream.length, 3);
  const Info mpeg2 = infoOf("tone1k_mpeg2_mono.mp3");
  EXPECT_EQ(mpeg2.stream.version, 2);
  EXPECT_EQ(mpeg2.stream.mode, 3);
  EXPECT_EQ(mpeg2.stream.bitrate, 64);
  EXPECT_EQ(mpeg2.stream.length, 2);
  const Info mpeg25 = infoOf("tone1k_mpeg25_mono.mp3");
  EXPECT_EQ(mpeg25.stream.version, 3);
  EXPECT_EQ(mpeg25.stream.sampleRate, 11025);
  EXPECT_EQ(infoOf("tone440_vbr.mp3").stream.bitrate, 0);
}

// Without an Info or Xing header the first frame's bit rate tells nothing reliable: the length
// comes from the frames themselves and matches what decodes, frame for frame.
TEST(FileInfoTest, LengthWithoutInfoHeaderIsTheDecodedLength) {
  for (const char* name : {"vbr_no_xing.mp3", "cbr_22k_mono_no_info.mp3"}) {
    SCOPED_TRACE(name);
    auto source = openAudioSource(test::fixture(name));
    ASSERT_TRUE(source);
    const int64_t told = source->lengthFrames();
    std::vector<float> block(2 * 4096);
    int64_t decoded = 0;
    while (const std::size_t got = source->read(block.data(), 4096)) decoded += got;
    EXPECT_EQ(told, decoded);
    EXPECT_EQ(infoOf(name).stream.length, decoded / source->sampleRate());
  }
}

TEST(FileInfoTest, RiffContainerAndWindowsMedia) {
  const Info rmp = infoOf("tone440_short.rmp");
  ASSERT_NE(rmp.ok, 0);
  EXPECT_EQ(rmp.stream.layer, 3);
  EXPECT_EQ(rmp.stream.sampleRate, 22050);
  const Info wma = infoOf("tone1k.wma");
  ASSERT_NE(wma.ok, 0);
  EXPECT_EQ(wma.stream.version, 0);
  EXPECT_EQ(wma.stream.layer, 0);
  EXPECT_EQ(wma.stream.bitrate, 64);
  EXPECT_EQ(wma.stream.length, 2);
  EXPECT_GT(wma.stream.fileSize, 0);
}

TEST(FileInfoTest, LegacyShiftJisTagsDecode) {
  const Info v1 = infoOf("id3v1_sjis.mp3");
  EXPECT_EQ(v1.tag.title, "テスト曲");
  EXPECT_EQ(v1.tag.artist, "歌手");
  EXPECT_EQ(v1.tag.album, "アルバム");
  EXPECT_EQ(v1.tag.year, "1998");
  EXPECT_EQ(v1.tag.genre, 17);
  const Info v23 = infoOf("id3v23_sjis.mp3");
  EXPECT_EQ(v23.tag.title, "テスト曲");
  EXPECT_EQ(v23.tag.artist, "歌手");
  EXPECT_EQ(v23.tag.genre, 12);
}

TEST(FileInfoTest, RealLatin1AndUtf8TagsStayAsTheyAre) {
  const Info latin = infoOf("id3v1_latin1.mp3");
  EXPECT_EQ(latin.tag.title, "Café");
  EXPECT_EQ(latin.tag.artist, "Déjà vu");
  EXPECT_EQ(latin.tag.genreName, "Jazz");
  const Info utf8 = infoOf("id3v24_utf8.mp3");
  EXPECT_EQ(utf8.tag.title, "ユニコード題名");
  EXPECT_EQ(utf8.tag.artist, "Ärtist");
  EXPECT_EQ(utf8.tag.album.size(), 128u * 3);  // 128 characters of three bytes each
}

TEST(FileInfoTest, UnreadableFilesFail) {
  for (const char* name : {"random_bytes.mp3", "empty.mp3", "missing.mp3"}) {
    const Info info = infoOf(name);
    EXPECT_EQ(info.ok, 0) << name;
    EXPECT_EQ(info.stream.fileSize, 0) << name;
  }
}

TEST(FileInfoTest, GenreNames) {
  ThreadedAudioEngine engine;
  TagRecord tag;
  tag.genre = 0;
  engine.fillGenreName(tag);
  EXPECT_EQ(tag.genreName, "Blues");
  tag.genre = 191;
  engine.fillGenreName(tag);
  EXPECT_FALSE(tag.genreName.empty());
  for (int outside : {-1, 192, 255}) {
    tag.genre = outside;
    engine.fillGenreName(tag);
    EXPECT_EQ(tag.genreName, "") << outside;
  }
}

}  // namespace
}  // namespace sorv
