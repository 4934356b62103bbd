#pragma once
// Paths as the program shows and keeps them, for files whose names may be CP932 bytes on disk
// (see decoder/LegacyPath.h): names read from the disk, the command line and drops come out
// decoded, and the checks below find such files from that text.
#include <QString>
#include <QStringList>

#include "decoder/SongFiles.h"

class QUrl;

namespace sorv {

bool isLocalFile(const QString& path);
bool isLocalFolder(const QString& path);
// The program's name and arguments, as QCoreApplication::arguments() gives them, but each
// read like a name on disk.
QStringList commandLineArguments(int argc, char** argv);
// The local path of a file URL: its percent-decoded bytes read like a name on disk.
QString localPathOfUrl(const QUrl& url);
// The subfolders (links left out) or the song files (isSongFileName) of a folder, sorted; hidden
// entries (names beginning with ".") are skipped.
QStringList folderEntries(const QString& folder, bool subfolders, SongFiles which);

}  // namespace sorv
