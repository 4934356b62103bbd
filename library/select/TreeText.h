#pragma once
// Small rules of the song tree: the image of a song leaf and the index letter of a reading.
#include <QString>
#include <QVariant>
#include <cstdint>

namespace sorv {

// Images of the tree's image list: 1-5 song types, 6 genre and index, 7 work, 8 karaoke.
inline constexpr int16_t kImageGroup = 6;
inline constexpr int16_t kImageWork = 7;
inline constexpr int16_t kImageKaraoke = 8;

// 8 when karaoke as a number is 1; else 1-4 for the type characters "1"-"4"; else 5.
int16_t songTypeIcon(const QString& typeChar, const QVariant& karaoke);
// The index letter of a reading: its first character as the reading sorts (folded, with a
// half-width voiced mark joined), a voiced or semi-voiced hiragana as its base letter (が, ｶﾞ and
// ガ under か; ぱ under は). Empty for an empty reading.
QString indexLetter(const QString& reading);

}  // namespace sorv
