#pragma once
// Runs the sorvdb tool through its command entry, capturing what it writes.
#include <QString>
#include <QStringList>
#include <QTextStream>

#include "app/sorvdb/SorvdbCommands.h"

namespace sorv::test {

struct ToolRun {
  int code;
  QString out, err;
};

inline ToolRun tool(const QStringList& args) {
  ToolRun run;
  QTextStream out(&run.out), err(&run.err);
  run.code = runSorvdb(args, out, err);
  out.flush();
  err.flush();
  return run;
}

}  // namespace sorv::test
