#include "decoder/TextEncoding.h"

#include "decoder/LegacyText.h"

namespace sorv {

namespace {

// Length of the UTF-8 sequence that starts with byte c, 0 when c cannot start one.
std::size_t sequenceLength(unsigned char c) {
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) return 2;
  if (c >= 0xE0 && c <= 0xEF) return 3;
  if (c >= 0xF0 && c <= 0xF4) return 4;
  return 0;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    const std::size_t n = sequenceLength(c);
    if (n == 0 || i + n > bytes.size()) return false;
    for (std::size_t k = 1; k < n; ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    }
    if (n == 3) {
      const auto c1 = static_cast<unsigned char>(bytes[i + 1]);
      if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 >= 0xA0)) return false;
    } else if (n == 4) {
      const auto c1 = static_cast<unsigned char>(bytes[i + 1]);
      if ((c == 0xF0 && c1 < 0x90) || (c == 0xF4 && c1 >= 0x90)) return false;
    }
    i += n;
  }
  return true;
}

std::string decodeLegacyText(std::string_view bytes) {
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  return legacyTextToUtf8(bytes);
}

char32_t nextUtf8Char(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if (i + n > text.size()) n = 1;
  char32_t code = n == 1 ? lead : lead & (0x7F >> n);
  for (std::size_t k = 1; k < n; ++k) code = code << 6 | (text[i + k] & 0x3F);
  i += n;
  return code;
}

std::string truncateUtf8(std::string_view text, std::size_t maxChars) {
  std::size_t i = 0;
  std::size_t chars = 0;
  while (i < text.size() && chars < maxChars) {
    std::size_t n = sequenceLength(static_cast<unsigned char>(text[i]));
    if (n == 0) n = 1;
    if (i + n > text.size()) break;
    i += n;
    ++chars;
  }
  return std::string(text.substr(0, i));
}

}  // namespace sorv
