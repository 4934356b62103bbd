#pragma once
// Text from the Windows era: UTF-8 when the bytes are valid UTF-8, else what they show.
#include <cstddef>
#include <string>
#include <string_view>

namespace sorv {

bool isValidUtf8(std::string_view bytes);
// UTF-8 kept as it is, anything else in the encoding it shows (CP932, EUC-JP or Latin-1, see
// LegacyText.h). A UTF-8 byte order mark is dropped.
std::string decodeLegacyText(std::string_view bytes);
// The character that starts at text[i], moving i past it; a byte that starts no complete
// sequence is taken alone, as its own value.
char32_t nextUtf8Char(std::string_view text, std::size_t& i);
// At most maxChars characters, never a broken character.
std::string truncateUtf8(std::string_view text, std::size_t maxChars);

}  // namespace sorv
