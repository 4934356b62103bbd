#pragma once
// The command line as the program sees it: one string.
#include <QString>
#include <QStringList>

namespace sorv {

// The arguments after the program's name joined by single blanks; a single argument (a path
// with blanks in it, say) comes through verbatim.
inline QString joinCommandLine(const QStringList& arguments) {
  return arguments.mid(1).join(QLatin1Char(' '));
}

}  // namespace sorv
