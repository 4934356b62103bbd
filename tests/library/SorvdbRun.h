#pragma once
// Runs the sorvdb tool through its command entry, capturing what it writes, over files in a
// temporary folder.
#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

#include <string>
#include <vector>

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

struct ChildRun {
  int code;
  QString out;
  long peakRssKb;  // the child's largest resident size
};

// Runs a program as a child process, reading what it writes on standard output.
inline ChildRun runChild(const QString& program, const QStringList& args) {
  std::vector<std::string> words{program.toStdString()};
  for (const QString& arg : args) words.push_back(arg.toStdString());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  int pipeEnds[2];
  EXPECT_EQ(pipe(pipeEnds), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  QByteArray out;
  char buffer[4096];
  for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) out.append(buffer, n);
  close(pipeEnds[0]);
  if (spawned != 0) return {-1, QString(), 0};
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, QString::fromUtf8(out), usage.ru_maxrss};
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
