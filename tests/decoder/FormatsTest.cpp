// Every format beside MP3 through the one engine: what the song information reads, exact
// seeking, and the WAV export against ffmpeg's own decode of the same file.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <iterator>

#include "decoder/AudioSource.h"
#include "decoder/FileInfo.h"
#include "decoder/ThreadedAudioEngine.h"
#include "tests/common/WaitUntil.h"
#include "tests/decoder/FormatFiles.h"
#include "tests/decoder/TestSignals.h"

namespace sorv {
namespace {

using test::FormatCase;

std::string bytesOf(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class FormatsTest : public ::testing::TestWithParam<FormatCase> {
 protected:
  void SetUp() override {
    path_ = test::formatFile(GetParam());
    ASSERT_FALSE(path_.empty()) << "ffmpeg could not make " << GetParam().file;
  }
  std::string path_;
};

TEST_P(FormatsTest, ReadsTagsLengthAndStreamFacts) {
  const FormatCase& format = GetParam();
  TagRecord tag;
  StreamRecord stream;
  ASSERT_TRUE(readFileInfo(path_, tag, stream));
  EXPECT_EQ(tag.title, test::kFormatTitle);
  EXPECT_EQ(tag.artist, test::kFormatArtist);
  EXPECT_EQ(tag.album, test::kFormatAlbum);
  EXPECT_EQ(stream.codec, format.codec);
  EXPECT_EQ(stream.sampleRate, format.rate);
  EXPECT_EQ(stream.channels, 2);
  EXPECT_EQ(stream.bits, format.bits);
  EXPECT_EQ(stream.length, 3);
  EXPECT_EQ(stream.version, 0);
  if (format.bits == 0) {
    EXPECT_GT(stream.bitrate, 32);
  }
  auto source = openAudioSource(path_);
  ASSERT_TRUE(source);
  EXPECT_NEAR(source->lengthFrames(), 3 * format.rate, format.rate / 20);
}

// A seek lands on the asked frame: lossless streams give exactly the samples a read from the
// start gives there, lossy ones the tone of that second.
TEST_P(FormatsTest, SeeksToTheFrame) {
  const int rate = GetParam().rate;
  auto source = openAudioSource(path_);
  ASSERT_TRUE(source);
  std::vector<float> whole(2 * 4 * rate);
  whole.resize(2 * source->read(whole.data(), 4 * rate));
  ASSERT_GT(whole.size(), 2u * 2 * rate);
  for (const int64_t target : {int64_t{2} * rate + 123, int64_t{rate} / 3, int64_t{rate} + 7}) {
    ASSERT_TRUE(source->seek(target));
    std::vector<float> block(rate);
    ASSERT_EQ(source->read(block.data(), rate / 2), static_cast<std::size_t>(rate / 2));
    const int second = static_cast<int>(target / rate);
    EXPECT_NEAR(test::dominantHz(block, 2, rate), test::toneHz(second), 10) << target;
    if (GetParam().bits == 0) continue;
    for (std::size_t i = 0; i < block.size(); ++i) {
      ASSERT_EQ(block[i], whole[2 * target + i]) << "frame " << target << " sample " << i;
    }
  }
}

// 16-bit results are the file ffmpeg writes, byte for byte; deeper sources give 24-bit WAV
// with ffmpeg's 24-bit samples.
TEST_P(FormatsTest, ExportsWavAsFfmpegDecodesIt) {
  const FormatCase& format = GetParam();
  QTemporaryDir dir;
  const std::string ours = dir.filePath("ours.WAV").toStdString();
  const std::string reference = dir.filePath("reference.wav").toStdString();
  ThreadedAudioEngine engine;
  ASSERT_NE(engine.init(), 0);
  OpenRecord record;
  ASSERT_NE(engine.open(path_, record), 0);
  ASSERT_NE(engine.decodeToWav(ours), 0);
  int32_t seconds = 0;
  ASSERT_TRUE(test::waitUntil([&] { return engine.state(seconds) == 0; }))
      << "the export did not end";
  ASSERT_TRUE(engine.waveWritten());
  const bool deep = format.bits > 16;
  ASSERT_TRUE(test::runFfmpeg({"-i", path_, "-fflags", "+bitexact", "-map_metadata", "-1", "-c:a",
                               deep ? "pcm_s24le" : "pcm_s16le", "-f", "wav", reference}));
  test::WavFile got, expected;
  ASSERT_TRUE(test::readWav(ours, got));
  ASSERT_TRUE(test::readWav(reference, expected));
  EXPECT_EQ(got.rate, format.rate);
  EXPECT_EQ(got.channels, 2);
  EXPECT_EQ(got.bits, deep ? 24 : 16);
  ASSERT_EQ(got.data.size(), expected.data.size());
  EXPECT_TRUE(got.data == expected.data) << "the samples differ from ffmpeg's";
  if (!deep) {
    EXPECT_TRUE(bytesOf(ours) == bytesOf(reference)) << "the file differs from ffmpeg's";
  }
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, FormatsTest, ::testing::ValuesIn(test::formatCases()),
                         [](const auto& info) {
                           std::string name = info.param.file;
                           for (char& c : name)
                             c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

}  // namespace
}  // namespace sorv
