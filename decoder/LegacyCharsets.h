#pragma once
// Strict reading of the byte encodings that Windows-era Japanese and European files use. Strict
// means every byte sequence must be a character the encoding really defines: a pair that only
// looks like a two-byte character, a user-defined (private use) code or a lone lead byte makes
// the whole text fail, so that a wrong guess is never "decoded" by dropping bytes.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace sorv {

enum class LegacyCharset { Utf8, Cp932, EucJp, Latin1 };

// One decoded character. row is the JIS X 0208 row (1..94) of a two-byte Japanese character,
// 95 for vendor extensions and JIS X 0212, 0 for a one-byte character (ASCII, half-width kana,
// Latin-1); halfWidthKana marks the one-byte katakana of CP932 and EUC-JP.
struct LegacyChar {
  char32_t code;
  std::uint8_t row;
  bool halfWidthKana;
};

// Latin1 is read as Windows writes it (Windows-1252: the printable characters in 0x80..0x9F
// count, the five codes it leaves undefined do not). Utf8 is not handled here.
std::optional<std::vector<LegacyChar>> decodeStrictly(std::string_view bytes,
                                                      LegacyCharset charset);

}  // namespace sorv
