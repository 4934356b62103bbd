#pragma once
// The commands of the sorvdb tool. Each takes the words after the command name, writes to out
// and err, and returns the exit code: 0 ok, 1 bad input (a file or database that fails), 2 usage.
#include <QStringList>
#include <QTextStream>

namespace sorv {

inline constexpr int kExitOk = 0;
inline constexpr int kExitBadInput = 1;
inline constexpr int kExitUsage = 2;

// args: everything after the program name.
int runSorvdb(const QStringList& args, QTextStream& out, QTextStream& err);

}  // namespace sorv
