#include "library/select/Filter.h"

namespace sorv {

namespace {

// Appends code to a list that is open at "(", with a comma unless it is the first entry.
void appendCode(QString& sql, const QString& code) {
  if (!sql.endsWith(u'(')) sql += u',';
  sql += code;
}

void appendSongTypes(QString& sql, const FilterBoxes& boxes) {
  if (!std::any_of(boxes.begin() + 1, boxes.begin() + 7, [](bool b) { return b; })) return;
  sql += QStringLiteral(" OR 選曲種別A IN (");
  for (int box = 1; box <= 6; ++box) {
    if (boxes[box]) appendCode(sql, QString::number(box - 1));
  }
  sql += u')';
}

void appendWorkKinds(QString& sql, const FilterBoxes& boxes) {
  if (!std::any_of(boxes.begin() + 8, boxes.end(), [](bool b) { return b; })) return;
  static const char* const kCodes[] = {"1", "2", "3", "4", "5,0"};
  sql += QStringLiteral(" AND アニメ種別A IN (");
  for (int box = 8; box <= 12; ++box) {
    if (boxes[box]) appendCode(sql, QString::fromLatin1(kCodes[box - 8]));
  }
  sql += u')';
}

void appendSearch(QString& sql, const QString& searchText) {
  QString text = searchText.trimmed();
  if (text.isEmpty()) return;
  text.replace(u'\'', QStringLiteral("''"));
  static const char* const kColumns[] = {
      "タイトルA",     "アニメタイトルA",   "アーティストA", "アニメタイトルかなA",
      "タイトルかなA", "アーティストかなA", "グループA"};
  QString clause;
  for (const char* column : kColumns) {
    clause += (clause.isEmpty() ? QStringLiteral(" AND (") : QStringLiteral(" OR ")) +
              QString::fromUtf8(column) + QStringLiteral(" like '*") + text + QStringLiteral("*'");
  }
  sql += clause + u')';
}

}  // namespace

FilterBoxes initialFilterBoxes() {
  FilterBoxes boxes;
  boxes.fill(true);
  boxes[7] = false;
  return boxes;
}

void appendFilter(QString& sql, const FilterBoxes& boxes, const QString& searchText) {
  sql += boxes[0] ? QStringLiteral(" FROM テンポラリ") : QStringLiteral(" FROM テンポラリ２");
  sql += QStringLiteral(" WHERE (ファイル名A IS NULL");
  appendSongTypes(sql, boxes);
  if (boxes[7]) sql += QStringLiteral(" OR カラオケA = 1");
  sql += u')';
  if (!boxes[7]) sql += QStringLiteral(" AND (カラオケA = 0)");
  appendWorkKinds(sql, boxes);
  appendSearch(sql, searchText);
}

}  // namespace sorv
