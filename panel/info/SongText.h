#pragma once
// Text pieces shared by the song-information drawings.
#include <QColor>
#include <QString>
#include <string>

#include "core/State.h"

namespace sorv {

// Background of the song areas.
inline const QColor kNavy{0, 0, 128};

// A tag text up to its first NUL character.
QString TagText(const std::string& text);
// Without leading blanks (spaces only); TrimBlanks also drops the trailing ones.
QString LeftTrimBlanks(const QString& text);
QString TrimBlanks(const QString& text);
// "TV", "OVA", "映画", "TV特番" for an animation programme; empty for anything else.
QString ProgrammeLabel(const State& s);
// A whole number with commas between thousands: 4194304 gives "4,194,304".
QString WithThousands(qint64 value);
// The title drawn for the current entry when the song database does not know it: the tag
// title, else the file name.
QString FallbackTitle(const State& s);
// The tag artist of the current entry, blanks trimmed.
QString FallbackArtist(const State& s);
// True when pos names an entry of the play list arrays.
bool HasEntry(const State& s, int pos);

}  // namespace sorv
