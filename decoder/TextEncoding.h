#pragma once
// Text from the Windows era: UTF-8 when the bytes are valid UTF-8, else CP932 (Shift-JIS).
#include <cstddef>
#include <string>
#include <string_view>

namespace sorv {

bool isValidUtf8(std::string_view bytes);
// CP932 bytes to UTF-8; undecodable bytes become U+FFFD.
std::string cp932ToUtf8(std::string_view bytes);
// UTF-8 kept as it is, anything else read as CP932. A UTF-8 byte order mark is dropped.
std::string decodeLegacyText(std::string_view bytes);
// At most maxChars characters, never a broken character.
std::string truncateUtf8(std::string_view text, std::size_t maxChars);

}  // namespace sorv
