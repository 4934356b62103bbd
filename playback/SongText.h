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
QString tagText(const std::string& text);
// Without leading blanks (spaces only); trimBlanks also drops the trailing ones.
QString leftTrimBlanks(const QString& text);
QString trimBlanks(const QString& text);
// "TV", "OVA", "映画", "TV特番" for an animation programme; empty for anything else.
QString programmeLabel(const State& s);
// A whole number with commas between thousands: 4194304 gives "4,194,304".
QString withThousands(qint64 value);
// The title drawn for the current entry when the song database does not know it: the tag
// title, else the file name.
QString fallbackTitle(const State& s);
// The tag artist of the current entry, blanks trimmed.
QString fallbackArtist(const State& s);

}  // namespace sorv
