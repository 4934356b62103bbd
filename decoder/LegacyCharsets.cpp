#include "decoder/LegacyCharsets.h"

#include <iconv.h>

#include <array>
#include <cstring>

namespace sorv {

namespace {

// Two-byte characters (lead << 8 | trail) to code points, 0 where the pair is no character.
// Filled once from the C library's converters, which know the vendor tables exactly.
using PairTable = std::vector<char32_t>;

char32_t convertOne(iconv_t cd, const unsigned char* bytes, std::size_t length) {
  char in[3] = {static_cast<char>(bytes[0]), static_cast<char>(bytes[1]),
                static_cast<char>(length > 2 ? bytes[2] : 0)};
  char out[8];
  char* inPtr = in;
  char* outPtr = out;
  std::size_t inLeft = length;
  std::size_t outLeft = sizeof out;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft)
    return 0;
  if (outLeft != sizeof out - 4) return 0;  // one character only
  char32_t code = 0;
  std::memcpy(&code, out, 4);
  // Private use codes are the user-defined areas: no real character.
  if (code >= 0xE000 && code <= 0xF8FF) return 0;
  return code;
}

PairTable buildTable(const char* charset, unsigned prefix, unsigned leadLow, unsigned leadHigh,
                     unsigned trailLow, unsigned trailHigh) {
  PairTable table(65536, 0);
  iconv_t cd = iconv_open("UTF-32LE", charset);
  if (cd == reinterpret_cast<iconv_t>(-1)) return table;
  for (unsigned lead = leadLow; lead <= leadHigh; ++lead) {
    for (unsigned trail = trailLow; trail <= trailHigh; ++trail) {
      const unsigned char bytes[3] = {static_cast<unsigned char>(prefix ? prefix : lead),
                                      static_cast<unsigned char>(prefix ? lead : trail),
                                      static_cast<unsigned char>(trail)};
      table[lead << 8 | trail] = convertOne(cd, bytes, prefix ? 3 : 2);
    }
  }
  iconv_close(cd);
  return table;
}

struct Tables {
  PairTable cp932 = buildTable("CP932", 0, 0x81, 0xFC, 0x40, 0xFC);
  PairTable eucJp = buildTable("EUC-JP", 0, 0xA1, 0xFE, 0xA1, 0xFE);
  PairTable eucJp0212 = buildTable("EUC-JP", 0x8F, 0xA1, 0xFE, 0xA1, 0xFE);
};

const Tables& tables() {
  static const Tables instance;
  return instance;
}

// The code points Windows-1252 gives 0x80..0x9F; 0 where it defines none.
constexpr std::array<char32_t, 32> kWindows1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::uint8_t cp932Row(unsigned lead, unsigned trail) {
  if (lead >= 0xED) return 95;  // NEC-selected and IBM extensions
  const unsigned base = lead <= 0x9F ? lead - 0x81 : lead - 0xC1;
  return static_cast<std::uint8_t>(base * 2 + 1 + (trail >= 0x9F ? 1 : 0));
}

LegacyChar halfWidthKana(unsigned byte) {
  return {static_cast<char32_t>(0xFF61 + (byte - 0xA1)), 0, true};
}

bool decodeCp932(std::string_view bytes, std::vector<LegacyChar>& out) {
  const PairTable& table = tables().cp932;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {
      out.push_back({c, 0, false});
    } else if (c >= 0xA1 && c <= 0xDF) {
      out.push_back(halfWidthKana(c));
    } else {
      if (i + 1 >= bytes.size()) return false;
      const auto trail = static_cast<unsigned char>(bytes[++i]);
      const char32_t code = table[c << 8 | trail];
      if (code == 0) return false;
      out.push_back({code, cp932Row(c, trail), false});
    }
  }
  return true;
}

bool decodeEucJp(std::string_view bytes, std::vector<LegacyChar>& out) {
  const Tables& all = tables();
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {
      out.push_back({c, 0, false});
      continue;
    }
    const bool threeBytes = c == 0x8F;
    if (i + (threeBytes ? 2 : 1) >= bytes.size()) return false;
    const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
    if (c == 0x8E) {
      if (b1 < 0xA1 || b1 > 0xDF) return false;
      out.push_back(halfWidthKana(b1));
      ++i;
      continue;
    }
    const auto b2 = static_cast<unsigned char>(threeBytes ? bytes[i + 2] : 0);
    const char32_t code = threeBytes ? all.eucJp0212[b1 << 8 | b2] : all.eucJp[c << 8 | b1];
    if (code == 0) return false;
    out.push_back({code, static_cast<std::uint8_t>(threeBytes ? 95 : c - 0xA0), false});
    i += threeBytes ? 2 : 1;
  }
  return true;
}

bool decodeWindows1252(std::string_view bytes, std::vector<LegacyChar>& out) {
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    const char32_t code = c >= 0x80 && c < 0xA0 ? kWindows1252High[c - 0x80] : c;
    if (code == 0 && c != 0) return false;
    out.push_back({code, 0, false});
  }
  return true;
}

}  // namespace

std::optional<std::vector<LegacyChar>> decodeStrictly(std::string_view bytes,
                                                      LegacyCharset charset) {
  std::vector<LegacyChar> out;
  out.reserve(bytes.size());
  bool ok = false;
  switch (charset) {
    case LegacyCharset::Cp932:
      ok = decodeCp932(bytes, out);
      break;
    case LegacyCharset::EucJp:
      ok = decodeEucJp(bytes, out);
      break;
    case LegacyCharset::Latin1:
      ok = decodeWindows1252(bytes, out);
      break;
    case LegacyCharset::Utf8:
      break;
  }
  if (!ok) return std::nullopt;
  return out;
}

}  // namespace sorv
