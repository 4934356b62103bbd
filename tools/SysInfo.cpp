#include "tools/SysInfo.h"

#include <QFileInfo>
#include <QProcess>

#include "core/Messages.h"
#include "core/Paths.h"

namespace sorv {

namespace {

const char* const kInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const kInfoValue = "PATH";
const char* const kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const char* const kLocationValue = "MSINFO";

QString settingsKey(const QString& keyName, const QString& subKeyRef) {
  QString key = keyName + QLatin1Char('\\') + subKeyRef;
  return key.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

bool launch(const QString& program) {
  return !program.isEmpty() && QProcess::startDetached(program, {});
}

// The tool of the first setting, else the one in the folder of the second; false when neither
// is there or it would not start.
bool tryStartSysInfo() {
  QString path;
  if (getKeyValue(QSettings::SystemScope, kInfoKey, kInfoValue, path)) return launch(path);
  if (!getKeyValue(QSettings::SystemScope, kLocationKey, kLocationValue, path)) return false;
  const QString program = path + kSep + QStringLiteral("MSINFO32.EXE");
  return QFileInfo::exists(program) && launch(program);
}

}  // namespace

bool getKeyValue(QSettings::Scope keyRoot, const QString& keyName, const QString& subKeyRef,
                 QString& keyVal) {
  const QSettings settings(keyRoot, QStringLiteral("Sorvane"), QStringLiteral("Sorvane"));
  const QVariant value = settings.value(settingsKey(keyName, subKeyRef));
  keyVal.clear();
  if (!value.isValid()) return false;
  keyVal = value.toString();
  return true;
}

void startSysInfo() {
  if (!tryStartSysInfo()) showMessage(QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません"));
}

}  // namespace sorv
