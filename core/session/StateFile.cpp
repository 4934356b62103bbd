#include "core/session/StateFile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include "core/Messages.h"
#include "playback/PlayList.h"
#include "playback/TextFields.h"

namespace sorv {

namespace {

constexpr qint64 kInt16Min = -32768, kInt16Max = 32767;
constexpr qint64 kInt32Min = -2147483648LL, kInt32Max = 2147483647LL;
const char* const kLineEnd = "\r\n";

QString StateFilePath(const State& s) {
  return s.WorkPath + QStringLiteral("sorvane.dat");
}
QString PlayListPath(const State& s) {
  return s.PathDir[4] + QStringLiteral("sorvane.m3u");
}

QString Numbers(std::initializer_list<qint64> values) {
  QStringList texts;
  for (qint64 value : values) texts << QString::number(value);
  return texts.join(QLatin1Char(','));
}

QString Strings(std::initializer_list<QString> values) {
  QStringList texts;
  for (const QString& value : values) texts << Quoted(value);
  return texts.join(QLatin1Char(','));
}

QStringList StateLines(const State& s) {
  QStringList lines{Numbers({s.SaveSelInfo, s.ListCount, s.ListPos})};
  for (int32_t level : s.EquLevel) lines << QString::number(level);
  lines << Numbers({s.EquPreNo, s.VolLevel[0], s.VolLevel[1]})
        << Numbers({s.UseSongDb, s.ShowScope})
        << Strings({s.PathDir[1], s.PathDir[2], s.PathDir[3]})
        << Strings({s.PathDir[4], s.PathDir[5]}) << Numbers({s.LoopMode, s.ShuffleMode, s.CpuLoad})
        << Strings({s.PathDir[6]}) << Numbers({s.BarHideOpt, s.BarFirstOpt})
        << Numbers({s.LyricTimeMode});
  return lines;
}

// The whole file first goes to a temporary file beside it, which then takes the old one's place.
bool WriteLines(const QString& path, const QStringList& lines) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  for (const QString& line : lines) file.write(line.toUtf8() + kLineEnd);
  return file.commit();
}

QStringList PlayListLines(const State& s) {
  QStringList lines;
  for (int i = 1; i <= s.ListCount && i < s.ListFile.size(); ++i) lines << s.ListFile[i];
  return lines;
}

// Reads values in the order of the file; the first field missing or damaged ends the reading
// and leaves every later value as it was.
class StateReader {
 public:
  explicit StateReader(QStringList lines) : fields_(std::move(lines)) {}
  template <typename T>
  StateReader& Number(T& target, qint64 low, qint64 high) {
    if (!ok_) return *this;
    const std::optional<qint64> value = fields_.NextNumber(low, high);
    ok_ = value.has_value();
    if (ok_) target = static_cast<T>(*value);
    return *this;
  }
  StateReader& Short(int16_t& target) { return Number(target, kInt16Min, kInt16Max); }
  StateReader& Long(int32_t& target) { return Number(target, kInt32Min, kInt32Max); }
  StateReader& Text(QString& target) {
    if (!ok_) return *this;
    const std::optional<QString> value = fields_.NextText();
    ok_ = value.has_value();
    if (ok_) target = *value;
    return *this;
  }

 private:
  FieldReader fields_;
  bool ok_ = true;
};

void ReadStateValues(State& s, QStringList lines) {
  StateReader in(std::move(lines));
  in.Short(s.SaveSelInfo).Short(s.ListCount).Short(s.ListPos);
  for (int32_t& level : s.EquLevel) in.Long(level);
  in.Short(s.EquPreNo)
      .Long(s.VolLevel[0])
      .Long(s.VolLevel[1])
      .Short(s.UseSongDb)
      .Short(s.ShowScope);
  in.Text(s.PathDir[1]).Text(s.PathDir[2]).Text(s.PathDir[3]).Text(s.PathDir[4]).Text(s.PathDir[5]);
  in.Short(s.LoopMode).Short(s.ShuffleMode).Short(s.CpuLoad).Text(s.PathDir[6]);
  in.Short(s.BarHideOpt).Short(s.BarFirstOpt).Short(s.LyricTimeMode);
}

// A damaged file must not hand the engine levels it cannot take.
void KeepLevelsInRange(State& s) {
  for (int32_t& level : s.EquLevel) level = std::clamp(level, -120, 120);
  for (int32_t& level : s.VolLevel) level = std::clamp(level, 0, 100);
}

bool TakeCommandLine(State& s, const QString& commandLine) {
  if (commandLine.isEmpty() || !QFileInfo(commandLine).isFile()) return false;
  if (commandLine.right(3).toUpper() == QLatin1String("M3U"))
    LoadM3u(s, commandLine, 0);
  else
    SetFileTable(s, QStringList{commandLine});
  // A play list without a reachable entry leaves nothing to start.
  s.ListPos = s.ListCount > 0 ? 1 : 0;
  s.PlayState = s.ListCount > 0 ? 1 : 0;
  return true;
}

void TakeSavedPlayList(State& s) {
  if (s.SaveSelInfo == 0 || !QFileInfo(PlayListPath(s)).isFile()) {
    s.ListCount = 0;
    s.ListPos = 0;
    return;
  }
  if (s.ListCount > 0) LoadM3u(s, PlayListPath(s), 0);
  // Without a list read back there is no entry to stand on.
  if (s.ListCount <= 0 || s.ListFile.size() <= s.ListCount) {
    s.ListCount = 0;
    s.ListPos = 0;
  }
}

}  // namespace

bool SaveState(State& s) {
  if (s.SaveSelInfo == 0) {
    s.ListCount = 0;
    s.ListPos = 0;
  }
  bool saved = WriteLines(StateFilePath(s), StateLines(s));
  if (saved && s.SaveSelInfo != 0 && s.ListCount != 0)
    saved = WriteLines(PlayListPath(s), PlayListLines(s));
  if (!saved) ShowMessage(QStringLiteral("状態の保存に失敗しました。"));
  return saved;
}

void LoadState(State& s, const QString& commandLine, const QString& currentDir) {
  if (!QFileInfo::exists(StateFilePath(s))) {
    // A first run starts from the defaults alone; the command line waits for a run with settings.
    s.SetDefaults(currentDir);
    return;
  }
  if (std::optional<QStringList> lines = ReadTextLines(StateFilePath(s))) {
    ReadStateValues(s, std::move(*lines));
    KeepLevelsInRange(s);
  }
  if (TakeCommandLine(s, commandLine)) return;
  TakeSavedPlayList(s);
}

}  // namespace sorv
