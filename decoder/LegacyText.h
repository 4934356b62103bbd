#pragma once
// Text whose encoding nobody wrote down (old tags, lyric and play-list files, CSV exports).
// Valid UTF-8 stays UTF-8. Otherwise each of CP932, EUC-JP and Latin-1 that reads every byte as
// a real character is a candidate, and the most plausible reading wins: kana and common kanji
// runs speak for Japanese, accented letters inside Latin words for Latin-1, half-width katakana
// glued to Latin letters or stray symbols against whichever reading produced them.
#include <string>
#include <string_view>

#include "decoder/LegacyCharsets.h"

namespace sorv {

LegacyCharset detectLegacyCharset(std::string_view bytes);
// The text as UTF-8 in the detected encoding. Never drops a byte: when no candidate reads every
// byte, each byte is taken as its Latin-1 character.
std::string legacyTextToUtf8(std::string_view bytes);
const char* legacyCharsetName(LegacyCharset charset);

}  // namespace sorv
