// Times the selection window's search on a generated library of 20,000 songs: the kana-folding
// like and reading order against the byte-wise like (ASCII case only) and byte order they
// replaced, registered on the same connection in the same run. Prints Markdown table rows.
#include <sqlite3.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string_view>
#include <vector>

#include "bench/library/BenchLibrary.h"
#include "core/Messages.h"
#include "library/db/JetLike.h"
#include "library/db/SqlDb.h"
#include "library/select/Filter.h"
#include "library/select/TreeBuild.h"
#include "tests/common/FakeEngine.h"

namespace {

constexpr int kRuns = 7;

// The previous like: bytes compared as they are, ASCII letters without case.
bool ByteLike(std::string_view p, std::string_view t) {
  auto length = [](std::string_view s, std::size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    const std::size_t n = c < 0xC0 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    return std::min(n, s.size() - i);
  };
  auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  std::size_t i = 0, j = 0, starI = std::string_view::npos, starJ = 0;
  while (j < t.size()) {
    const std::size_t pl = i < p.size() ? length(p, i) : 0, tl = length(t, j);
    if (i < p.size() && p[i] == '*') {
      starI = ++i;
      starJ = j;
    } else if (i < p.size() &&
               (p[i] == '?' || (pl == tl && (pl == 1 ? fold(p[i]) == fold(t[j])
                                                     : p.substr(i, pl) == t.substr(j, tl))))) {
      i += p[i] == '?' ? 1 : pl;
      j += tl;
    } else if (starI != std::string_view::npos) {
      starJ += length(t, starJ);
      i = starI;
      j = starJ;
    } else {
      return false;
    }
  }
  while (i < p.size() && p[i] == '*') ++i;
  return i == p.size();
}

void ByteLikeFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
    return sqlite3_result_null(context);
  const auto text = [](sqlite3_value* v) {
    return std::string_view(reinterpret_cast<const char*>(sqlite3_value_text(v)),
                            sqlite3_value_bytes(v));
  };
  sqlite3_result_int(context, ByteLike(text(argv[0]), text(argv[1])) ? 1 : 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const sorv::bench::BenchLibrary library;
  const QString& dbPath = library.dbPath;
  sorv::SqlDb db(dbPath);
  db.execute(
      "INSERT INTO 選択候補 (ファイル名, フルパス) SELECT ファイル名, '/m/' FROM "
      "アニソンデータ管理");
  sorv::test::FakeEngine decoder;
  std::printf(
      "| search on 20,000 songs (median of %d) | kana-folding like and order | byte-wise | "
      "ratio |\n|---|---|---|---|\n",
      kRuns);
  // A search that matches nothing reads all seven columns of every row; the others also build.
  for (const char* search : {"がんだむ", "曲1*", "さ"}) {
    QString fromWhere;
    sorv::appendFilter(fromWhere, sorv::initialFilterBoxes(), QString::fromUtf8(search));
    double ms[2];
    int songs = 0;
    for (int reference = 0; reference < 2; ++reference) {
      if (reference)
        sqlite3_create_function(db.handle(), "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                ByteLikeFunction, nullptr, nullptr);
      else
        sorv::registerJetLike(db.handle());
      ms[reference] = sorv::bench::medianMs(kRuns, [&] {
        sorv::SongTreeStore tree;
        songs = sorv::buildSongTree(sorv::TreeOrder::Anime, db, fromWhere, decoder, tree).songCount;
      });
    }
    std::printf("| \"%s\", tree built (%d songs) | %.1f ms | %.1f ms | %.2f |\n", search, songs,
                ms[0], ms[1], ms[0] / ms[1]);
  }
  return 0;
}
