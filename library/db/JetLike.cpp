#include "library/db/JetLike.h"

#include <sqlite3.h>

#include <cstddef>
#include <string>

#include "library/db/KanaFold.h"

namespace sorv {

namespace {

// The wildcards, kept apart from any character text can hold (a full-width ＊ is a star to
// look for, not a wildcard).
constexpr char32_t kAnyRun = 0xFFFFFFFF;
constexpr char32_t kAnyOne = 0xFFFFFFFE;

std::u32string FoldPattern(std::string_view pattern) {
  std::u32string folded;
  std::u32string piece;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= pattern.size(); ++i) {
    if (i < pattern.size() && pattern[i] != '*' && pattern[i] != '?') continue;
    foldKanaText(pattern.substr(start, i - start), piece);
    folded += piece;
    if (i < pattern.size()) folded += pattern[i] == '*' ? kAnyRun : kAnyOne;
    start = i + 1;
  }
  return folded;
}

bool MatchFolded(std::u32string_view pattern, std::u32string_view text) {
  constexpr std::size_t kNone = std::u32string_view::npos;
  std::size_t p = 0, t = 0, starP = kNone, starT = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == kAnyRun) {
      starP = ++p;
      starT = t;
    } else if (p < pattern.size() && (pattern[p] == kAnyOne || pattern[p] == text[t])) {
      ++p;
      ++t;
    } else if (starP != kNone) {
      // Let the last star swallow one more character and try again from there.
      p = starP;
      t = ++starT;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == kAnyRun) ++p;
  return p == pattern.size();
}

void DeletePattern(void* pattern) {
  delete static_cast<std::u32string*>(pattern);
}

void likeFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
  (void)argc;
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
    sqlite3_result_null(context);
    return;
  }
  // The pattern is the same for every row of a query: fold it once.
  auto* pattern = static_cast<std::u32string*>(sqlite3_get_auxdata(context, 0));
  if (!pattern) {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    pattern =
        new std::u32string(FoldPattern(std::string_view(bytes, sqlite3_value_bytes(argv[0]))));
    sqlite3_set_auxdata(context, 0, pattern, DeletePattern);
    pattern = static_cast<std::u32string*>(sqlite3_get_auxdata(context, 0));
    if (!pattern) {
      sqlite3_result_error_nomem(context);
      return;
    }
  }
  const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
  thread_local std::u32string folded;
  foldKanaText(std::string_view(text, sqlite3_value_bytes(argv[1])), folded);
  sqlite3_result_int(context, MatchFolded(*pattern, folded) ? 1 : 0);
}

int KanaCollation(void*, int leftBytes, const void* left, int rightBytes, const void* right) {
  thread_local std::u32string a, b;
  const std::string_view leftText(static_cast<const char*>(left), leftBytes);
  const std::string_view rightText(static_cast<const char*>(right), rightBytes);
  foldKanaText(leftText, a);
  foldKanaText(rightText, b);
  if (const int order = a.compare(b)) return order;
  return leftText.compare(rightText);  // a total order: twins sort by their own spelling
}

// The folded text as big-endian UTF-32: compared byte by byte (as SQLite compares blobs), it
// orders as the folded characters do.
void kanaOrderFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
  (void)argc;
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
    sqlite3_result_null(context);
    return;
  }
  const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
  thread_local std::u32string folded;
  thread_local std::string key;
  foldKanaText(std::string_view(text, sqlite3_value_bytes(argv[0])), folded);
  key.clear();
  for (const char32_t c : folded) {
    for (const int shift : {24, 16, 8, 0}) key += static_cast<char>(c >> shift);
  }
  sqlite3_result_blob(context, key.data(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
}

}  // namespace

bool jetLikeMatch(std::string_view pattern, std::string_view text) {
  std::u32string folded;
  foldKanaText(text, folded);
  return MatchFolded(FoldPattern(pattern), folded);
}

int registerJetLike(sqlite3* db) {
  const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  int rc = sqlite3_create_collation(db, "KANA", SQLITE_UTF8, nullptr, KanaCollation);
  if (rc == SQLITE_OK) {
    rc = sqlite3_create_function(db, "kana_order", 1, flags, nullptr, kanaOrderFunction, nullptr,
                                 nullptr);
  }
  if (rc != SQLITE_OK) return rc;
  return sqlite3_create_function(db, "like", 2, flags, nullptr, likeFunction, nullptr, nullptr);
}

}  // namespace sorv
