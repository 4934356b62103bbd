#pragma once
#include <QDir>
#include <QProcess>

namespace sorv::test {

// Nested folders whose full path is longer than the system allows: the deepest cannot be
// listed, whoever runs the test. Returns that folder's path.
inline QString makeTooDeepFolder(const QString& root) {
  const QString name(250, u'd');
  const QString previous = QDir::currentPath();
  QDir::setCurrent(root);
  QString path = root;
  while (path.size() < 4200) {
    QDir().mkdir(name);
    QDir::setCurrent(name);
    path += name + "/";
  }
  QDir::setCurrent(previous);
  return path;
}

// Removes a tree that may be too deep for QDir.
inline void removeTree(const QString& path) {
  QProcess::execute("rm", {"-rf", path});
}

}  // namespace sorv::test
