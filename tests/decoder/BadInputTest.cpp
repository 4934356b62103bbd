// Damaged files: each either fails to open or decodes to a clean end; none may crash (this
// suite also runs under the address sanitizer).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>
#include <chrono>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include "decoder/AudioSource.h"
#include "decoder/ThreadedAudioEngine.h"
#include "tests/common/WaitUntil.h"
#include "tests/decoder/TestSignals.h"

namespace sorv {
namespace {

std::string bytesOf(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Reads the info, opens and exports the file; an export that starts must come to an end.
void exerciseEngine(const std::string& path, const std::string& target) {
  ThreadedAudioEngine engine;
  TagRecord tag;
  StreamRecord stream;
  engine.fileInfo(path, tag, stream);
  OpenRecord record;
  if (!engine.open(path, record)) return;
  ASSERT_NE(engine.decodeToWav(target), 0);
  int32_t seconds = 0;
  EXPECT_TRUE(test::waitUntil([&] { return engine.state(seconds) == 0; }))
      << "the export of a damaged file did not end";
}

TEST(BadInputTest, DamagedFilesOpenCleanlyOrNotAtAll) {
  QTemporaryDir dir;
  const std::string mp3 = bytesOf(test::fixture("tone440_mpeg1_128k_js.mp3"));
  const std::string rmp = bytesOf(test::fixture("tone440_short.rmp"));
  const std::string wma = bytesOf(test::fixture("tone1k.wma"));
  std::mt19937 random(11);
  auto scramble = [&](std::string bytes, std::size_t from, std::size_t count) {
    for (std::size_t i = from; i < from + count && i < bytes.size(); ++i) {
      bytes[i] = static_cast<char>(random());
    }
    return bytes;
  };
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"middle.mp3", scramble(mp3, mp3.size() / 2, 4000)},
      {"head.mp3", scramble(mp3, 0, 600)},
      {"huge_chunk.rmp", rmp.substr(0, 12) + "LIST\xff\xff\xff\x7f" + rmp.substr(20)},
      {"no_data.rmp", rmp.substr(0, 24)},
      {"short_data.rmp", rmp.substr(0, rmp.size() / 3)},
      {"half.wma", wma.substr(0, wma.size() / 2)},
      {"scrambled.wma", scramble(wma, 4000, 6000)},
      {"header_only.wma", wma.substr(0, 500)},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
    std::ofstream(path, std::ios::binary) << bytes;
    exerciseEngine(path, path + ".WAV");
  }
}

// A FIFO (no writer: opening it for reading would wait for good), a folder and a device named
// as songs are refused at once.
TEST(BadInputTest, OnlyRegularFilesAreOpened) {
  QTemporaryDir dir;
  const std::string fifo = dir.filePath("fifo.mp3").toStdString();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string folder = dir.filePath("folder.mp3").toStdString();
  ASSERT_TRUE(QDir().mkdir(QString::fromStdString(folder)));
  for (const std::string& path : {fifo, folder, std::string("/dev/zero"), fifo + ".wma"}) {
    SCOPED_TRACE(path);
    if (path == fifo + ".wma") {
      ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    }
    ThreadedAudioEngine engine;
    TagRecord tag;
    StreamRecord stream;
    EXPECT_EQ(engine.fileInfo(path, tag, stream), 0);
    OpenRecord record;
    EXPECT_EQ(engine.open(path, record), 0);
    EXPECT_EQ(engine.setLyricsFile(path), 0);
  }
}

// A stream whose channels and rate change midway (48 kHz stereo, then 22.05 kHz mono), in a file
// FFmpeg opens first: the second part is converted to the first part's format, not read as it.
TEST(BadInputTest, StreamSwitchingChannelsAndRateDecodesThrough) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("switch.dat").toStdString();
  std::ofstream(path, std::ios::binary) << bytesOf(test::fixture("tone1k_48k_stereo.mp3"))
                                        << bytesOf(test::fixture("tone1k_mpeg2_mono.mp3"));
  auto source = openAudioSource(path);
  ASSERT_TRUE(source);
  ASSERT_EQ(source->sampleRate(), 48000);
  ASSERT_EQ(source->channels(), 2);
  std::vector<float> all(4096 * 2);
  std::size_t frames = 0;
  while (const std::size_t count = source->read(all.data() + frames * 2, 4096)) {
    frames += count;
    all.resize((frames + 4096) * 2);
  }
  // Both parts last two seconds; the mono one ends as a 1 kHz tone in both channels.
  ASSERT_GT(frames, std::size_t{48000 * 39 / 10});
  const std::vector<float> tail(all.begin() + static_cast<long>(frames - 16384) * 2,
                                all.begin() + static_cast<long>(frames - 4096) * 2);
  EXPECT_NEAR(test::dominantHz(tail, 2, 48000), 1000, 20);
  EXPECT_GT(test::toneDb(tail, 2, 1, 1000, 48000), -20);
  exerciseEngine(path, path + ".WAV");
}

}  // namespace
}  // namespace sorv
