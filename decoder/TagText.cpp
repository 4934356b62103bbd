#include "decoder/TagText.h"

#include "decoder/LegacyText.h"
#include "decoder/Records.h"
#include "decoder/TextEncoding.h"

namespace sorv {

std::string decodeTagBytes(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  while (!bytes.empty() && (bytes.back() == ' ' || bytes.back() == '\t')) bytes.remove_suffix(1);
  return truncateUtf8(legacyTextToUtf8(bytes), kTextChars);
}

}  // namespace sorv
