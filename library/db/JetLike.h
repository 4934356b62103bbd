#pragma once
// The like operator of the old song-database engine: "*" matches any run of characters, "?"
// exactly one, and letters compare without regard to ASCII case. Registered over SQLite's own.
#include <string_view>

struct sqlite3;

namespace sorv {

// Whether the UTF-8 text matches the UTF-8 pattern.
bool jetLikeMatch(std::string_view pattern, std::string_view text);
// Makes "x LIKE p" and like(p, x) use jetLikeMatch on this connection. Returns the sqlite3 result.
int registerJetLike(sqlite3* db);

}  // namespace sorv
