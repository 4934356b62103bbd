// Writes the program's icon as PNG files of the hicolor theme: make_icons OUTPUT_FOLDER
#include <QDir>
#include <QGuiApplication>

#include "core/AppIcon.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) return 2;
  const QString out = QString::fromLocal8Bit(argv[1]);
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const QString dir = QStringLiteral("%1/%2x%2/apps").arg(out).arg(size);
    if (!QDir().mkpath(dir)) return 1;
    if (!sorv::paintAppIcon(size).save(dir + "/sorvane.png")) return 1;
  }
  return 0;
}
