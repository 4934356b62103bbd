// sorvdb: the command-line tool for song databases.
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "app/sorvdb/SorvdbCommands.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);
  QStringList args = app.arguments();
  args.removeFirst();
  return sorv::runSorvdb(args, out, err);
}
