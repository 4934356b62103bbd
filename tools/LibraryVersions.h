#pragma once
// The libraries this build plays, reads and stores with, and their versions as each one reports
// itself (at run time where the library offers a call, else as found when the program was built).
#include <QList>
#include <QString>

namespace sorv {

struct LibraryVersion {
  QString name;
  QString version;
};

QList<LibraryVersion> libraryVersions();

}  // namespace sorv
