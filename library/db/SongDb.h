#pragma once
// The song database as the player uses it: the lookup of the playing song, genre names, the
// start-up test and the compaction at shut-down.
#include <QString>
#include <QStringList>
#include <cstdint>

#include "core/PictureArea.h"
#include "core/State.h"
#include "decoder/AudioEngine.h"

namespace sorv {

// pathDir(5) followed by "sorvdb.mdb".
QString songDbPath(const State& s);
// True when the song database at path opens and looks like one (start-up and options test). A
// database of an earlier form is brought to the current one on the way, silently.
bool songDbOpens(const QString& path);
// Fills the current song record from the row whose file name is the name part of
// the file of entry listPos. True when the database could be queried, matched or not; false when
// the song database is switched off or anything failed. Never shows a message.
bool lookupSongByFile(State& s);
// Display name of a genre number: 36, 254, 255 are ours, the rest the engine's ID3v1 names.
QString genreName(AudioEngine& decoder, int16_t genre);
// Compacts folder + fileName in place when it has grown past three times its compacted copy
// "_" + fileName (made first when there is none, and then renewed);
// the notice is drawn on panel. Runs only when useSongDb is 1 and dbState is 1.
void compactSongDb(const State& s, const QString& folder, const QString& fileName,
                   PictureArea& panel);

// The nine columns of the song table that the lookup reads, in its order; a NULL in any of them
// makes the lookup fail.
const QStringList& songLookupColumns();

enum class LookupResult { Found, NotFound, Failed };
// The lookup behind lookupSongByFile on any database file: fills the current song record of s
// from the first row whose ファイル名 is fileName. On Failed, error (when given) says why.
LookupResult lookupSong(const QString& dbPath, const QString& fileName, State& s,
                        QString* error = nullptr);

}  // namespace sorv
