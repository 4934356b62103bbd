#pragma once
// Small text helpers shared by every part of the program.
#include <QString>

namespace sorv {

// The native separator of folders in every path the program forms.
inline constexpr QChar kSep = QLatin1Char('/');

// A path that is not blank and does not end in the separator becomes itself trimmed of blanks
// with the separator appended; anything else is left exactly as it was. The result is written
// back to the argument and returned.
QString pathWithSep(QString& path);
// The characters after the last separator; empty when there is none.
QString fileNamePart(const QString& path);
// The name with its audio extension replaced: the last three characters, or the last four
// after a dot (".flac", ".opus"); "song.mp3" and "song.flac" with "WAV" both give "song.WAV".
QString withAudioExtension(const QString& name, const QString& extension);
// A relative name as a path under folder, "." and ".." resolved; an absolute or empty name is
// returned as it is. Names are made absolute where they enter, since the folder a relative name
// meant is known only there.
QString absoluteFileName(const QString& name, const QString& folder);
// A command line is one file name, made absolute against folder; one in double quotes is kept
// verbatim, as it names no file.
QString absoluteCommandLine(const QString& commandLine, const QString& folder);
// A number as at least four digits: 3 gives "0003".
QString format0000(int value);
// The path of an existing folder or file, as the file system reports its current folder, with
// the separator appended: the form of workPath and pathDir.
QString currentDirWithSep();

}  // namespace sorv
