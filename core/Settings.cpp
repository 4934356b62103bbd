#include "core/Settings.h"

#include <QSettings>

#include "core/Paths.h"

namespace sorv {

namespace {

const char* const kKey = "Work/Path";
const char* const kOtherFormatsKey = "Options/OtherFormats";

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

bool loadOtherFormats() {
  return userSettings().value(kOtherFormatsKey, true).toBool();
}

void saveOtherFormats(bool on) {
  QSettings settings = userSettings();
  settings.setValue(kOtherFormatsKey, on);
  settings.sync();
}

}  // namespace sorv
