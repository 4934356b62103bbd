#include "core/Settings.h"

#include <QSettings>

#include "core/Paths.h"

namespace sorv {

namespace {

const char* const kKey = "Work/Path";

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

}  // namespace sorv
