// The export of real songs with the real engine.
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include "decoder/ThreadedAudioEngine.h"
#include "tests/tools/ToolsTest.h"
#include "tools/WavExportWindow.h"

namespace sorv::test {
namespace {

struct WavFacts {
  bool valid = false;
  int channels = 0;
  int rate = 0;
  int bits = 0;
  qint64 dataBytes = 0;
  double seconds() const { return double(dataBytes) / (channels * rate * bits / 8); }
};

// Walks the RIFF chunks of a PCM WAV file.
WavFacts readWav(const QString& path) {
  WavFacts facts;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return facts;
  const QByteArray bytes = file.readAll();
  if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") return facts;
  QDataStream in(bytes.mid(12));
  in.setByteOrder(QDataStream::LittleEndian);
  bool format = false;
  while (!in.atEnd()) {
    char id[4];
    quint32 size = 0;
    if (in.readRawData(id, 4) != 4) break;
    in >> size;
    const QByteArray name(id, 4);
    if (name == "data") {
      facts.dataBytes = size;
      facts.valid = format && size > 0 && 12 + 8 + qint64(size) <= bytes.size();
      break;
    }
    QByteArray body(size + (size & 1), '\0');
    in.readRawData(body.data(), body.size());
    if (name == "fmt ") {
      QDataStream fmt(body);
      fmt.setByteOrder(QDataStream::LittleEndian);
      quint16 tag, channels, align, bits;
      quint32 rate, perSecond;
      fmt >> tag >> channels >> rate >> perSecond >> align >> bits;
      facts.channels = channels;
      facts.rate = int(rate);
      facts.bits = bits;
      format = tag == 1 && channels > 0 && rate > 0 && bits == 16;
    }
  }
  return facts;
}

QString Fixture(const QString& name) {
  return qEnvironmentVariable("SORV_SOURCE_DIR", SORV_SOURCE_DIR) + "/tests/fixtures/" + name;
}

class RealFilesTest : public ToolsTest {};

// A target that cannot be written (a folder holds its name) is reported once its decode ends;
// the others are written whole.
TEST_F(RealFilesTest, ExportingSongsGivesWavFilesOfTheirLengthAndReportsAFailedWrite) {
  ThreadedAudioEngine engine;
  ASSERT_NE(engine.init(), 0);
  const QString out = makeDir("out");
  ASSERT_TRUE(QDir(out).mkdir("tone1k_48k_stereo.WAV"));
  const QStringList songs{Fixture("tone440_mpeg1_128k_js.mp3"), Fixture("tone1k_48k_stereo.mp3"),
                          Fixture("tone1k_mpeg2_mono.mp3"), Fixture("tone440_short.rmp")};
  Player realPlayer(s, engine, v);
  WavExportWindow window(realPlayer, [&songs] { return songs; });
  window.dir1().setPath(out);
  window.show();
  window.runCommand(0);
  QDeadlineTimer deadline(30000);
  while (window.isVisible() && !deadline.hasExpired()) {
    window.startDelayTick();
    if (window.converting()) QThread::msleep(5);  // the engine decodes on its own thread
  }
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(messages.texts, QStringList{songs[1] + "の変換に失敗しました。"});
  EXPECT_TRUE(QFileInfo(out + "/tone1k_48k_stereo.WAV").isDir());
  const struct {
    const char* name;
    int channels, rate;
    double seconds;
  } expected[] = {{"tone440_mpeg1_128k_js.WAV", 2, 44100, 3.0},
                  {"tone1k_mpeg2_mono.WAV", 1, 22050, 2.0},
                  {"tone440_short.WAV", 1, 22050, 1.0}};
  for (const auto& e : expected) {
    const WavFacts wav = readWav(out + "/" + e.name);
    ASSERT_TRUE(wav.valid) << e.name;
    EXPECT_EQ(wav.channels, e.channels) << e.name;
    EXPECT_EQ(wav.rate, e.rate) << e.name;
    EXPECT_NEAR(wav.seconds(), e.seconds, 0.1) << e.name;
  }
  engine.release();
}

}  // namespace
}  // namespace sorv::test
