#pragma once
// Text of old tags. Fields that claim Latin-1 often hold Shift-JIS bytes (Japanese files of
// that era) or UTF-8; the legacy-text detector tells them apart so each decodes right.
#include <string>
#include <string_view>

namespace sorv {

// Bytes of a Latin-1 tag field as UTF-8, in the encoding the bytes show. Cut at the first NUL,
// trailing blanks dropped, at most kTextChars characters.
std::string decodeTagBytes(std::string_view bytes);

}  // namespace sorv
