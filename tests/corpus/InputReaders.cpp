#include "tests/corpus/InputReaders.h"

#include <QFile>
#include <vector>

#include "core/Messages.h"
#include "core/State.h"
#include "core/session/PlayList.h"
#include "core/session/StateFile.h"
#include "decoder/AudioSource.h"
#include "decoder/LyricTimer.h"
#include "decoder/ThreadedAudioEngine.h"
#include "library/db/SongCsv.h"
#include "library/db/SongSchema.h"
#include "library/db/SqlDb.h"

namespace sorv::corpus {

namespace {

// Messages are what the program says about bad input: taken, never shown.
void quietMessages() {
  setMessageHandler([](const QString&) {});
}

void decodeSome(AudioSource& source, int64_t frames) {
  std::vector<float> block(4096 * source.channels());
  for (int64_t done = 0; done < frames;) {
    const std::size_t count = source.read(block.data(), 4096);
    if (count == 0) break;
    done += static_cast<int64_t>(count);
  }
}

void showLines(const LyricTimer& timer) {
  LyricsRecord record;
  for (const int64_t ms : {int64_t{-1000}, int64_t{0}, int64_t{61000}, INT64_MAX / 2}) {
    timer.fill(ms, record);
  }
}

}  // namespace

void readMedia(const std::string& path) {
  ThreadedAudioEngine engine;
  TagRecord tag;
  StreamRecord stream;
  engine.fileInfo(path, tag, stream);
  const auto source = openAudioSource(path);
  if (!source) return;
  const int64_t minute = int64_t{60} * source->sampleRate();
  decodeSome(*source, minute);
  if (source->lengthFrames() > 0) source->seek(source->lengthFrames() / 2);
  decodeSome(*source, minute);
}

void readLyrics(const QByteArray& bytes) {
  LyricTimer timer;
  timer.parse(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  showLines(timer);
}

void readLyricsFile(const std::string& path) {
  LyricTimer timer;
  timer.load(path);
  showLines(timer);
}

void readPlayList(const QString& path) {
  quietMessages();
  State s;
  s.workPath = QStringLiteral("/nonexistent/");
  s.setDefaults(QStringLiteral("/nonexistent/"));
  loadM3u(s, path, 1);
}

void readStateFolder(const QString& folder) {
  quietMessages();
  State s;
  s.workPath = folder.endsWith(u'/') ? folder : folder + u'/';
  loadState(s, QString(), s.workPath);
}

int importCsv(const QByteArray& bytes, const QString& dbPath) {
  QFile::remove(dbPath);
  try {
    createSongDb(dbPath);
    SqlDb db(dbPath);
    return importSongCsv(db, bytes).songs;
  } catch (const DbError&) {
    return -1;
  }
}

}  // namespace sorv::corpus
