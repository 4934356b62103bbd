#pragma once
// Text of old tags. Fields that claim Latin-1 often hold Shift-JIS bytes (Japanese files of
// that era) or UTF-8; this tells them apart so each decodes to the right text.
#include <string>
#include <string_view>

namespace sorv {

// True when every byte fits the CP932 structure and at least one two-byte character has a
// lead byte in 0x81..0x9F (control codes in Latin-1) or a trail byte >= 0x80, which Latin-1
// words ("Café", "Déjà vu") practically never show.
bool looksLikeCp932(std::string_view bytes);
// Bytes of a Latin-1 tag field as UTF-8: valid UTF-8 as it is, Shift-JIS when it looks like
// it, else Latin-1. Cut at the first NUL, trailing blanks dropped, at most kTextChars characters.
std::string decodeTagBytes(std::string_view bytes);
std::string latin1ToUtf8(std::string_view bytes);

}  // namespace sorv
