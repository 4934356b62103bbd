#include "core/session/StateFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "core/LocalNames.h"
#include "core/Messages.h"
#include "core/Paths.h"
#include "core/TextFields.h"
#include "core/session/PlayList.h"
#include "decoder/WholeFile.h"

namespace sorv {

namespace {

constexpr qint64 kInt16Min = -32768, kInt16Max = 32767;
constexpr qint64 kInt32Min = -2147483648LL, kInt32Max = 2147483647LL;
const char* const kLineEnd = "\r\n";

QString stateFilePath(const State& s) {
  return s.workPath + QStringLiteral("sorvane.dat");
}
QString playListPath(const State& s) {
  return s.pathDir[4] + QStringLiteral("sorvane.m3u");
}

QString numbers(std::initializer_list<qint64> values) {
  QStringList texts;
  for (qint64 value : values) texts << QString::number(value);
  return texts.join(QLatin1Char(','));
}

QString strings(std::initializer_list<QString> values) {
  QStringList texts;
  for (const QString& value : values) texts << quoted(value);
  return texts.join(QLatin1Char(','));
}

// The play list as saved: one path per line, so a name holding a line break, which no line can
// carry, is left out, and the count and the current entry's number are told without it.
struct SavedList {
  QStringList lines;
  qint64 count = 0;
  qint64 pos = 0;
};

SavedList savedList(const State& s) {
  SavedList list;
  qint64 skipped = 0, skippedUpToPos = 0;
  for (int i = 1; i <= s.listCount && i <= s.entries.size(); ++i) {
    const QString& file = s.entry(i).file;
    if (file.contains(QLatin1Char('\n')) || file.contains(QLatin1Char('\r'))) {
      ++skipped;
      if (i <= s.listPos) ++skippedUpToPos;
    } else {
      list.lines << file;
    }
  }
  list.count = s.listCount - skipped;
  list.pos = s.listPos - skippedUpToPos;
  // A current entry left out hands over to the one before it, or else to the first.
  if (skippedUpToPos > 0 && list.pos == 0 && list.count > 0) list.pos = 1;
  return list;
}

QStringList stateLines(const State& s, const SavedList& list) {
  QStringList lines{numbers({s.saveSelInfo, list.count, list.pos})};
  for (int32_t level : s.equLevel) lines << QString::number(level);
  lines << numbers({s.equPreNo, s.volLevel[0], s.volLevel[1]})
        << numbers({s.useSongDb, s.showScope})
        << strings({s.pathDir[1], s.pathDir[2], s.pathDir[3]})
        << strings({s.pathDir[4], s.pathDir[5]}) << numbers({s.loopMode, s.shuffleMode, s.cpuLoad})
        << strings({s.pathDir[6]}) << numbers({s.barHideOpt, s.barFirstOpt})
        << numbers({s.lyricTimeMode});
  return lines;
}

bool writeLines(const QString& path, const QStringList& lines) {
  QByteArray content;
  for (const QString& line : lines) content += line.toUtf8() + kLineEnd;
  return writeWholeFile(QFile::encodeName(path).toStdString(),
                        std::string_view(content.constData(), content.size()));
}

// Reads values in the order of the file; the first field missing or damaged ends the reading
// and leaves every later value as it was (its default).
class StateReader {
 public:
  explicit StateReader(QStringList lines) : fields_(std::move(lines)) {}
  template <typename T>
  StateReader& number(T& target, qint64 low, qint64 high) {
    if (!ok_) return *this;
    const std::optional<qint64> value = fields_.nextNumber(low, high);
    ok_ = value.has_value();
    if (ok_) target = static_cast<T>(*value);
    return *this;
  }
  StateReader& readShort(int16_t& target) { return number(target, kInt16Min, kInt16Max); }
  StateReader& readLong(int32_t& target) { return number(target, kInt32Min, kInt32Max); }
  // An option is 0 or 1: any other number keeps the default, so it is not saved back, and the
  // reading goes on.
  StateReader& option(int16_t& target) {
    int16_t value = target;
    readShort(value);
    if (value == 0 || value == 1) target = value;
    return *this;
  }
  StateReader& text(QString& target) {
    if (!ok_) return *this;
    const std::optional<QString> value = fields_.nextText();
    ok_ = value.has_value();
    if (ok_) target = *value;
    return *this;
  }

 private:
  FieldReader fields_;
  bool ok_ = true;
};

void readStateValues(State& s, QStringList lines) {
  StateReader in(std::move(lines));
  // The list's size and place are read as 32-bit numbers: a list may hold far more than 32,767.
  in.option(s.saveSelInfo).readLong(s.listCount).readLong(s.listPos);
  for (int32_t& level : s.equLevel) in.readLong(level);
  in.readShort(s.equPreNo)
      .readLong(s.volLevel[0])
      .readLong(s.volLevel[1])
      .option(s.useSongDb)
      .option(s.showScope);
  in.text(s.pathDir[1]).text(s.pathDir[2]).text(s.pathDir[3]).text(s.pathDir[4]).text(s.pathDir[5]);
  in.option(s.loopMode).option(s.shuffleMode).readShort(s.cpuLoad).text(s.pathDir[6]);
  in.option(s.barHideOpt).option(s.barFirstOpt).option(s.lyricTimeMode);
}

// A damaged file must not hand the engine levels it cannot take.
void keepLevelsInRange(State& s) {
  for (int32_t& level : s.equLevel) level = std::clamp(level, -120, 120);
  for (int32_t& level : s.volLevel) level = std::clamp(level, 0, 100);
}

bool takeCommandLine(State& s, const QString& given, const QString& currentDir) {
  // The list outlives this folder: it is saved at exit and read back from anywhere.
  const QString commandLine = absoluteCommandLine(given, currentDir);
  if (commandLine.isEmpty() || !isLocalFile(commandLine)) return false;
  if (isPlayListFile(commandLine))
    openM3u(s, commandLine, 0);
  else
    setFileTable(s, QStringList{commandLine});
  // A play list without a reachable entry leaves nothing to start.
  s.listPos = s.listCount > 0 ? 1 : 0;
  return true;
}

void takeSavedPlayList(State& s) {
  if (s.saveSelInfo == 0 || !QFileInfo(playListPath(s)).isFile()) {
    s.listCount = 0;
    s.listPos = 0;
    return;
  }
  if (s.listCount > 0) loadM3u(s, playListPath(s), 0);
  // Without a list read back there is no entry to stand on.
  if (s.listCount <= 0 || s.entries.size() < s.listCount) {
    s.listCount = 0;
    s.listPos = 0;
  }
}

}  // namespace

bool saveState(State& s) {
  if (s.saveSelInfo == 0) {
    s.listCount = 0;
    s.listPos = 0;
  }
  const SavedList list = savedList(s);
  bool saved = writeLines(stateFilePath(s), stateLines(s, list));
  if (saved && s.saveSelInfo != 0 && list.count != 0)
    saved = writeLines(playListPath(s), list.lines);
  if (!saved) showMessage(QStringLiteral("状態の保存に失敗しました。"));
  return saved;
}

bool loadState(State& s, const QString& commandLine, const QString& currentDir) {
  if (!QFileInfo::exists(stateFilePath(s))) {
    // A first run starts from the defaults alone; the command line waits for a run with settings.
    s.setDefaults(currentDir);
    return false;
  }
  // What a short or damaged file leaves out takes its default: zero volume, no lookups and empty
  // folders would otherwise be saved back and silence the player for good.
  s.setDefaults(currentDir);
  if (std::optional<QStringList> lines = readTextLines(stateFilePath(s))) {
    readStateValues(s, std::move(*lines));
    keepLevelsInRange(s);
  }
  if (takeCommandLine(s, commandLine, currentDir)) return s.listCount > 0;
  takeSavedPlayList(s);
  return false;
}

}  // namespace sorv
