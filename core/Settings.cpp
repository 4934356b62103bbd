#include "core/Settings.h"

#include <QSettings>
#include <algorithm>

#include "core/Paths.h"

namespace sorv {

namespace {

const char* const kKey = "Work/Path";
const char* const kOtherFormatsKey = "Options/OtherFormats";
const char* const kLoudnessKey = "Options/Loudness";

QSettings userSettings() {
  return QSettings(QStringLiteral("Sorvane"), QStringLiteral("Sorvane"));
}

}  // namespace

QString loadWorkPath(const QString& currentDirWithSep) {
  QSettings settings = userSettings();
  QString value = settings.value(kKey).toString();
  if (value.isEmpty()) {
    settings.setValue(kKey, currentDirWithSep);
    settings.sync();
    return currentDirWithSep;
  }
  if (!value.endsWith(kSep)) value += kSep;
  return value;
}

void saveWorkPath(const QString& path) {
  QSettings settings = userSettings();
  settings.setValue(kKey, path);
  settings.sync();
}

void loadExtraOptions(State& s) {
  const QSettings settings = userSettings();
  s.otherFormats = settings.value(kOtherFormatsKey, true).toBool();
  s.loudnessMode = static_cast<int16_t>(std::clamp(settings.value(kLoudnessKey, 0).toInt(), 0, 2));
}

void saveExtraOptions(const State& s) {
  QSettings settings = userSettings();
  settings.setValue(kOtherFormatsKey, s.otherFormats);
  settings.setValue(kLoudnessKey, s.loudnessMode);
  settings.sync();
}

}  // namespace sorv
