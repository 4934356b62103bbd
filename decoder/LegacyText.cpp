#include "decoder/LegacyText.h"

#include <algorithm>
#include <limits>

#include "decoder/TextEncoding.h"

namespace sorv {

namespace {

using Text = std::vector<LegacyChar>;

bool isAsciiLetter(char32_t c) {
  return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}
bool isAsciiAlnum(char32_t c) {
  return isAsciiLetter(c) || (c >= '0' && c <= '9');
}
bool isLatinUpper(char32_t c) {
  return (c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0x160 || c == 0x152 || c == 0x17D ||
         c == 0x178;
}
bool isLatinLower(char32_t c) {
  return (c >= 0xDF && c <= 0xFF && c != 0xF7) || c == 0x161 || c == 0x153 || c == 0x17E;
}
bool isLatinLetter(char32_t c) {
  return isLatinUpper(c) || isLatinLower(c);
}
bool isLetter(char32_t c) {
  return isAsciiLetter(c) || isLatinLetter(c);
}
bool isLowerLetter(char32_t c) {
  return (c >= 'a' && c <= 'z') || isLatinLower(c);
}

// Punctuation and signs that European titles really carry.
bool isCommonLatinSign(char32_t c) {
  switch (c) {
    case 0x2018:
    case 0x2019:
    case 0x201C:
    case 0x201D:
    case 0xAB:
    case 0xBB:
    case 0xA1:
    case 0xBF:
    case 0x2013:
    case 0x2014:
    case 0x2026:
    case 0xB0:
    case 0xA9:
    case 0xAE:
    case 0x20AC:
    case 0xA3:
    case 0xB7:
      return true;
    default:
      return false;
  }
}

char32_t codeAt(const Text& text, std::size_t i) {
  return i < text.size() ? text[i].code : 0;
}

// Letters Windows-1252 adds in 0x80..0x9F; they are also CP932's lead bytes of common kanji.
bool isWindowsOnlyLetter(char32_t c) {
  return c > 0xFF;
}

// A word with accented letters is plausible when ASCII letters carry it, its case does not
// change inside and no three accented letters stand in a row.
double latinWordScore(const Text& text, std::size_t begin, std::size_t end) {
  std::size_t accented = 0, ascii = 0, windowsOnly = 0, run = 0;
  bool odd = false;
  for (std::size_t i = begin; i < end; ++i) {
    const char32_t c = text[i].code;
    const bool plain = c < 0x80;
    (plain ? ascii : accented) += 1;
    windowsOnly += isWindowsOnlyLetter(c) ? 1 : 0;
    run = plain ? 0 : run + 1;
    const bool upper = (c >= 'A' && c <= 'Z') || isLatinUpper(c);
    const bool caseBreak = i > begin && upper && isLowerLetter(text[i - 1].code) &&
                           (!plain || text[i - 1].code >= 0x80);
    odd = odd || run >= 3 || caseBreak;
  }
  if (accented == 0) return 0;
  if (end - begin == 1) return 0;  // "à", "Ô": words, but short ones
  if (ascii == 0 || accented > ascii + 1 || odd) return -1.0 * accented;
  if (end - begin == 2) return 0.75 * accented;
  return 1.5 * accented - 2.5 * windowsOnly;
}

double latinScore(const Text& text) {
  double score = 0;
  for (std::size_t i = 0; i < text.size();) {
    const char32_t c = text[i].code;
    if (isLetter(c)) {
      std::size_t end = i;
      while (end < text.size() && isLetter(text[end].code)) ++end;
      score += latinWordScore(text, i, end);
      i = end;
      continue;
    }
    if (c >= 0x80 && !isCommonLatinSign(c)) score -= 1.5;
    ++i;
  }
  return score;
}

bool takesVoicedMark(char32_t c) {
  return (c >= 0xFF76 && c <= 0xFF84) || (c >= 0xFF8A && c <= 0xFF8E) || c == 0xFF73;
}

// Half-width katakana are real in old tags and file names, but they are also where Latin-1
// puts its accented capitals and where EUC-JP's bytes land when read as CP932.
double halfWidthKanaScore(const Text& text, std::size_t i) {
  const char32_t c = text[i].code;
  const bool afterKana = i > 0 && text[i - 1].halfWidthKana;
  if (c <= 0xFF65) return -1;  // the half-width punctuation ｡｢｣､･
  if (isAsciiAlnum(i ? text[i - 1].code : 0) || isAsciiAlnum(codeAt(text, i + 1))) return -2;
  if (c == 0xFF9E || c == 0xFF9F) return afterKana && takesVoicedMark(text[i - 1].code) ? 0.45 : -2;
  if ((c >= 0xFF67 && c <= 0xFF70) && !afterKana) return -1;  // small kana or ｰ opening a word
  if (!afterKana && !(i + 1 < text.size() && text[i + 1].halfWidthKana)) return -1;  // alone
  return 0.45;
}

double rowScore(std::uint8_t row) {
  if (row == 4 || row == 5 || (row >= 16 && row <= 47)) return 2;  // kana, common kanji
  if (row == 1 || row == 3) return 1;                              // punctuation, full-width
  if (row >= 48 && row <= 84) return 1;                            // rarer kanji
  if (row == 2 || row == 13) return 0.5;                           // signs, circled numbers
  if (row == 8) return -1;                                         // box drawing
  if (row == 95) return 0.25;                                      // vendor extensions
  return 0;
}

bool isJapanese(const Text& text, std::size_t i) {
  return i < text.size() && (text[i].row != 0 || text[i].halfWidthKana);
}

double japaneseScore(const Text& text) {
  double score = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i].halfWidthKana) {
      score += halfWidthKanaScore(text, i);
    } else if (text[i].row >= 48 && !isJapanese(text, i + 1) && !(i && isJapanese(text, i - 1))) {
      score += 0.5;  // one rare kanji among Latin text is more likely two accented letters
    } else {
      score += rowScore(text[i].row);
    }
  }
  return score;
}

Text utf8Chars(std::string_view bytes) {
  Text text;
  for (std::size_t i = 0; i < bytes.size();) text.push_back({nextUtf8Char(bytes, i), 0, false});
  return text;
}

// Blocks that titles, names and lyrics really use.
bool isCommonUnicode(char32_t c) {
  return (c >= 0xA0 && c <= 0x17F) || (c >= 0x391 && c <= 0x3C9) || (c >= 0x401 && c <= 0x45F) ||
         (c >= 0x2010 && c <= 0x2BFF) || (c >= 0x3000 && c <= 0x30FF) ||
         (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xFF01 && c <= 0xFFEF) || (c >= 0x1F300 && c <= 0x1FAFF) || isCommonLatinSign(c);
}

bool hasAsciiLetterBeside(const Text& text, std::size_t i) {
  return isAsciiLetter(i ? text[i - 1].code : 0) || isAsciiLetter(codeAt(text, i + 1));
}

bool isUnicodeLetter(char32_t c) {
  return isAsciiLetter(c) || isLatinLetter(c) || (c >= 0x100 && c <= 0x17F);
}

// Text in the blocks real text uses, whose words of accented letters also hold plain ones
// (EUC-JP kanji pairs read as UTF-8 give words of accented letters only).
bool isPlainUtf8Text(const Text& text) {
  for (std::size_t i = 0; i < text.size();) {
    if (text[i].code >= 0x80 && !isCommonUnicode(text[i].code)) return false;
    if (!isUnicodeLetter(text[i].code)) {
      ++i;
      continue;
    }
    std::size_t end = i;
    bool plain = false;
    bool extended = false;  // Central European letters never make a word alone
    while (end < text.size() && isUnicodeLetter(text[end].code)) {
      plain = plain || text[end].code < 0x80;
      extended = extended || text[end].code > 0xFF;
      ++end;
    }
    if (!plain && (end - i > 1 || extended)) return false;
    i = end;
  }
  return true;
}

// Valid UTF-8 that spells rare blocks is what CP932 and EUC-JP pairs look like as UTF-8; it
// still wins unless a legacy reading is clearly better.
double utf8Score(const Text& text) {
  double score = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t c = text[i].code;
    if (c < 0x80) continue;
    const bool sign = c < 0xC0 || c == 0xD7 || c == 0xF7;
    const bool glued = hasAsciiLetterBeside(text, i);
    if (sign) {
      score += glued ? -1 : 0;
    } else if (c < 0x800 && !glued) {
      score += isCommonUnicode(c) ? 1 : -2;  // accented letters stand among plain ones
    } else if (isCommonUnicode(c)) {
      // More than any legacy reading of the same two or three bytes can reach.
      score += c < 0x800 ? 2 : 2.5;
    } else {
      score -= 2;
    }
  }
  return score;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

constexpr LegacyCharset kCandidates[] = {LegacyCharset::Cp932, LegacyCharset::Latin1,
                                         LegacyCharset::EucJp};

}  // namespace

LegacyCharset detectLegacyCharset(std::string_view bytes) {
  LegacyCharset best = LegacyCharset::Latin1;
  double bestScore = -std::numeric_limits<double>::infinity();
  if (isValidUtf8(bytes)) {
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return !(c & 0x80); }))
      return LegacyCharset::Utf8;
    // Valid UTF-8 in the blocks real text uses stays UTF-8; only rare blocks let the legacy
    // readings compete.
    const Text text = utf8Chars(bytes);
    if (isPlainUtf8Text(text)) return LegacyCharset::Utf8;
    best = LegacyCharset::Utf8;
    bestScore = utf8Score(text);
  }
  // On a tie the earlier candidate stays: CP932 was what Windows wrote most.
  for (LegacyCharset charset : kCandidates) {
    const auto text = decodeStrictly(bytes, charset);
    if (!text) continue;
    const double score =
        charset == LegacyCharset::Latin1 ? latinScore(*text) : japaneseScore(*text);
    if (score > bestScore) {
      best = charset;
      bestScore = score;
    }
  }
  return best;
}

std::string legacyTextToUtf8(std::string_view bytes) {
  const LegacyCharset charset = detectLegacyCharset(bytes);
  if (charset == LegacyCharset::Utf8) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  if (const auto text = decodeStrictly(bytes, charset)) {
    for (const LegacyChar& c : *text) appendUtf8(out, c.code);
  } else {
    for (char c : bytes) appendUtf8(out, static_cast<unsigned char>(c));
  }
  return out;
}

const char* legacyCharsetName(LegacyCharset charset) {
  switch (charset) {
    case LegacyCharset::Utf8:
      return "UTF-8";
    case LegacyCharset::Cp932:
      return "CP932";
    case LegacyCharset::EucJp:
      return "EUC-JP";
    case LegacyCharset::Latin1:
      return "Latin-1";
  }
  return "";
}

}  // namespace sorv
