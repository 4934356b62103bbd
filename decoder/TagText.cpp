#include "decoder/TagText.h"

#include "decoder/Records.h"
#include "decoder/TextEncoding.h"

namespace sorv {

namespace {

bool isLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
bool isTrailByte(unsigned char c) {
  return c >= 0x40 && c <= 0xFC && c != 0x7F;
}
bool isHalfWidthKana(unsigned char c) {
  return c >= 0xA1 && c <= 0xDF;
}

}  // namespace

bool looksLikeCp932(std::string_view bytes) {
  bool telling = false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80 || isHalfWidthKana(c)) continue;
    if (!isLeadByte(c) || i + 1 >= bytes.size()) return false;
    const auto trail = static_cast<unsigned char>(bytes[++i]);
    if (!isTrailByte(trail)) return false;
    // 0x81..0x9F are control codes in Latin-1, never letters.
    telling = telling || trail >= 0x80 || c <= 0x9F;
  }
  return telling;
}

std::string latin1ToUtf8(std::string_view bytes) {
  std::string out;
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      out += ch;
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string decodeTagBytes(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  while (!bytes.empty() && (bytes.back() == ' ' || bytes.back() == '\t')) bytes.remove_suffix(1);
  std::string text;
  if (isValidUtf8(bytes)) {
    text = decodeLegacyText(bytes);
  } else if (looksLikeCp932(bytes)) {
    text = cp932ToUtf8(bytes);
  } else {
    text = latin1ToUtf8(bytes);
  }
  return truncateUtf8(text, kTextChars);
}

}  // namespace sorv
