// sorvdb: the command-line tool for song databases.
#include <malloc.h>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

#include "app/sorvdb/SorvdbCommands.h"

int main(int argc, char** argv) {
  // The CSV import works through blocks of a few megabytes at a time; kept on the heap they are
  // reused, rather than mapped and zeroed afresh by the kernel for every block.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 128 << 20);
  QCoreApplication app(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);
  QStringList args = app.arguments();
  args.removeFirst();
  return sorv::runSorvdb(args, out, err);
}
