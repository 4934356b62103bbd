#include "tests/tools/ToolsTest.h"

#include <QFile>
#include <QSettings>

namespace sorv::test {

ToolsTest::ToolsTest() : oldCurrent_(QDir::currentPath()) {
  QDir(temp_.path()).mkpath(QStringLiteral("settings/user"));
  QDir(temp_.path()).mkpath(QStringLiteral("settings/system"));
  QDir(temp_.path()).mkpath(QStringLiteral("cwd"));
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Temp("settings/user"));
  QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, Temp("settings/system"));
  QDir::setCurrent(Temp("cwd"));
  s.VerNo = QStringLiteral("1.14");
  s.WorkPath = QDir::currentPath() + QLatin1Char('/');
  s.SetDefaults(QDir::currentPath() + QLatin1Char('/'));
}

ToolsTest::~ToolsTest() {
  QDir::setCurrent(oldCurrent_);
}

QString ToolsTest::MakeDir(const QString& name) const {
  QDir(temp_.path()).mkpath(name);
  return Temp(name);
}

QString ToolsTest::MakeFile(const QString& name, const QByteArray& content) const {
  QFile file(Temp(name));
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(content);
  return file.fileName();
}

QVariant ToolsTest::StoredWorkPath() const {
  return QSettings(QStringLiteral("Sorvane"), QStringLiteral("Sorvane"))
      .value(QStringLiteral("Work/Path"));
}

}  // namespace sorv::test
