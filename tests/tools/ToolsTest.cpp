#include "tests/tools/ToolsTest.h"

#include <QFile>
#include <QSettings>

namespace sorv::test {

ToolsTest::ToolsTest() : oldCurrent_(QDir::currentPath()) {
  QDir(temp_.path()).mkpath(QStringLiteral("settings/user"));
  QDir(temp_.path()).mkpath(QStringLiteral("settings/system"));
  QDir(temp_.path()).mkpath(QStringLiteral("cwd"));
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, temp("settings/user"));
  QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, temp("settings/system"));
  QDir::setCurrent(temp("cwd"));
  s.verNo = QStringLiteral("1.14");
  s.workPath = QDir::currentPath() + QLatin1Char('/');
  s.setDefaults(QDir::currentPath() + QLatin1Char('/'));
}

ToolsTest::~ToolsTest() {
  QDir::setCurrent(oldCurrent_);
}

QString ToolsTest::makeDir(const QString& name) const {
  QDir(temp_.path()).mkpath(name);
  return temp(name);
}

QString ToolsTest::makeFile(const QString& name, const QByteArray& content) const {
  QFile file(temp(name));
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(content);
  return file.fileName();
}

QVariant ToolsTest::storedWorkPath() const {
  return QSettings(QStringLiteral("Sorvane"), QStringLiteral("Sorvane"))
      .value(QStringLiteral("Work/Path"));
}

}  // namespace sorv::test
