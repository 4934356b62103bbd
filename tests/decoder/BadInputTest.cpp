// Damaged files: each either fails to open or decodes to a clean end; none may crash (this
// suite also runs under the address sanitizer).
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <chrono>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

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

}  // namespace
}  // namespace sorv
