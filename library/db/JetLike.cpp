#include "library/db/JetLike.h"

#include <sqlite3.h>

#include <cstddef>

namespace sorv {

namespace {

// Bytes of the UTF-8 character that starts at text[i]; a stray byte counts as one.
std::size_t charLength(std::string_view text, std::size_t i) {
  const auto c = static_cast<unsigned char>(text[i]);
  std::size_t n = c < 0xC0 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
  return i + n <= text.size() ? n : text.size() - i;
}

char foldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares the characters at pattern[p] and text[t]; sets n to the bytes of both on a match.
bool sameChar(std::string_view pattern, std::size_t p, std::string_view text, std::size_t t,
              std::size_t& patternLen, std::size_t& textLen) {
  patternLen = charLength(pattern, p);
  textLen = charLength(text, t);
  if (pattern[p] == '?') return true;
  if (patternLen != textLen) return false;
  if (patternLen == 1) return foldAscii(pattern[p]) == foldAscii(text[t]);
  return pattern.substr(p, patternLen) == text.substr(t, textLen);
}

void likeFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
  (void)argc;
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
    sqlite3_result_null(context);
    return;
  }
  const auto* pattern = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
  const int patternBytes = sqlite3_value_bytes(argv[0]);
  const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
  const int textBytes = sqlite3_value_bytes(argv[1]);
  sqlite3_result_int(
      context,
      jetLikeMatch(std::string_view(pattern, patternBytes), std::string_view(text, textBytes)) ? 1
                                                                                               : 0);
}

}  // namespace

bool jetLikeMatch(std::string_view pattern, std::string_view text) {
  constexpr std::size_t kNone = std::string_view::npos;
  std::size_t p = 0, t = 0, starP = kNone, starT = 0;
  while (t < text.size()) {
    std::size_t pl = 0, tl = 0;
    if (p < pattern.size() && pattern[p] == '*') {
      starP = ++p;
      starT = t;
    } else if (p < pattern.size() && sameChar(pattern, p, text, t, pl, tl)) {
      p += pl;
      t += tl;
    } else if (starP != kNone) {
      // Let the last star swallow one more character and try again from there.
      starT += charLength(text, starT);
      p = starP;
      t = starT;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

int registerJetLike(sqlite3* db) {
  const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  return sqlite3_create_function(db, "like", 2, flags, nullptr, likeFunction, nullptr, nullptr);
}

}  // namespace sorv
