#include "decoder/TextEncoding.h"

#include <iconv.h>

#include <cerrno>

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

std::string cp932ToUtf8(std::string_view bytes) {
  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() * 3 / 2 + 4);
  char buffer[1024];
  auto* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
      out += "\xEF\xBF\xBD";  // U+FFFD for a byte CP932 does not know
      ++in;
      --inLeft;
    }
  }
  iconv_close(cd);
  return out;
}

std::string decodeLegacyText(std::string_view bytes) {
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  if (isValidUtf8(bytes)) return std::string(bytes);
  return cp932ToUtf8(bytes);
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
