#pragma once
// Each kind of outside input read as the program reads it, for the bad-input corpus and the
// fuzz targets: none of these may crash, hang or let an exception out, whatever the bytes.
#include <QByteArray>
#include <QString>
#include <string>

namespace sorv::corpus {

// Tags and stream facts, then open, decode up to a minute, seek to the middle and decode on.
void readMedia(const std::string& path);
// An LRC file's bytes, and the five lines at a few positions.
void readLyrics(const QByteArray& bytes);
// The same from a lyric file, as the engine loads it.
void readLyricsFile(const std::string& path);
// A play-list file taken as the play list.
void readPlayList(const QString& path);
// A settings folder's state file (sorvane.dat) read at start-up.
void readStateFolder(const QString& folder);
// A CSV file's bytes imported into a new song database at dbPath; the songs taken, or -1 when
// the file was refused (then the database holds none).
int importCsv(const QByteArray& bytes, const QString& dbPath);

}  // namespace sorv::corpus
