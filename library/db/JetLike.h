#pragma once
// The like operator of the old song-database engine: "*" matches any run of characters, "?"
// exactly one, and text compares folded (KanaFold.h): katakana as hiragana, half- and full-width
// forms alike, ASCII letters without case. Registered over SQLite's own.
#include <string_view>

struct sqlite3;

namespace sorv {

// Whether the UTF-8 text matches the UTF-8 pattern.
bool jetLikeMatch(std::string_view pattern, std::string_view text);
// Makes "x LIKE p" and like(p, x) use jetLikeMatch on this connection, and defines
// kana_order(text), a key whose byte order is the order of the folded text (ORDER BY
// kana_order(reading)), and the collation KANA of the same order, which only databases of the
// earlier form still name. Returns the sqlite3 result.
int registerJetLike(sqlite3* db);

}  // namespace sorv
