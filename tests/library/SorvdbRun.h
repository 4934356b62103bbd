#pragma once
// Runs the sorvdb tool through its command entry, capturing what it writes, over files in a
// temporary folder.
#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
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

// A temporary folder for the files the tool reads and writes.
class SorvdbTest : public ::testing::Test {
 protected:
  QString filePath(const QString& name) const { return dir.path() + "/" + name; }
  // Writes a file in the folder and returns its path.
  QString writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    file.write(bytes);
    return filePath(name);
  }
  QTemporaryDir dir;
};

}  // namespace sorv::test
