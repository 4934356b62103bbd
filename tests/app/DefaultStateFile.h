#pragma once
// The nineteen lines of a state file with the default settings and every folder set to one.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace sorv::test {

inline QByteArray defaultStateFile(const QString& folder, int barFirst = 0) {
  const QString quoted = "\"" + folder + "\"";
  QStringList lines{"0,0,0"};
  for (int band = 0; band < 10; ++band) lines << "0";
  lines << "5,80,80"
        << "1,1" << quoted + ",\"\",\"\"" << quoted + "," + quoted << "0,0,10" << quoted
        << QStringLiteral("1,%1").arg(barFirst) << "0";
  return (lines.join("\r\n") + "\r\n").toUtf8();
}

}  // namespace sorv::test
