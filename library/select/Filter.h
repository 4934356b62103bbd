#pragma once
// The FROM and WHERE clauses of the selection statement, from the option boxes and the search
// text of the selection window.
#include <QString>
#include <array>

namespace sorv {

inline constexpr int kFilterBoxes = 13;
// The thirteen option boxes: 0 found files only; 1-6 song types (unregistered, opening,
// ending, insert song, theme song, image song/other); 7 karaoke; 8-12 work kinds (TV, OVA,
// film, TV special, other).
using FilterBoxes = std::array<bool, kFilterBoxes>;

// The boxes as the window opens: all ticked but karaoke.
FilterBoxes initialFilterBoxes();
// Appends " FROM ... WHERE ..." to sql. The search text is trimmed of blanks and its quotes are
// doubled, so it is always searched for as written.
void appendFilter(QString& sql, const FilterBoxes& boxes, const QString& searchText);

}  // namespace sorv
