#include "library/select/TreeBuild.h"

#include <optional>

#include "core/Paths.h"
#include "library/db/SongDb.h"
#include "library/db/SqlDb.h"
#include "library/select/TreeText.h"

namespace sorv {

namespace {

const QString kUnregistered = QStringLiteral("未登録");
using enum SongTreeStore::Colour;

// What distinguishes the four orders.
struct OrderRules {
  const char* orderBy;
  const char* indexColumn;  // first character (or, for years, the whole text) is the index
  const char* level3Column;
  bool level3IsNode;   // false: songs hang under the index node
  bool leafShowsWork;  // leaf text "title　(work)"
  bool yearIndex;      // index is the year; keys carry "年"
};

const OrderRules& rulesOf(TreeOrder order) {
  // Readings sort as they fold (kana_order), so a reading typed in katakana or half-width kana
  // falls into the index group of its hiragana twin.
  static const OrderRules rules[] = {
      {" ORDER BY ジャンルNoA DESC,kana_order(アニメタイトルかなA),アニメタイトルA,歌種別A ,"
       "歌連番A ,制作年A,カラオケA",
       "アニメタイトルかなA", "アニメタイトルA", true, false, false},
      {" ORDER BY ジャンルNoA DESC,kana_order(タイトルかなA),kana_order(アニメタイトルかなA),"
       "歌種別A,歌連番A,制作年A,カラオケA",
       "タイトルかなA", "アニメタイトルA", false, true, false},
      {" ORDER BY ジャンルNoA DESC,kana_order(アーティストかなA),制作年A,"
       "kana_order(アニメタイトルかなA),アニメタイトルA,歌種別A,歌連番A,カラオケA",
       "アーティストかなA", "アーティストA", true, true, false},
      {" ORDER BY ジャンルNoA DESC,制作年A,kana_order(アニメタイトルかなA),アニメタイトルA,"
       "歌種別A,歌連番A,カラオケA",
       "制作年A", "アニメタイトルA", true, false, true},
  };
  return rules[static_cast<int>(order)];
}

// The columns the tree reads, in the order of TreeBuilder::Columns: the sort moves only these.
QStringList columnNames(const OrderRules& rules) {
  return {QStringLiteral("ジャンルNoA"),
          QString::fromUtf8(rules.indexColumn),
          QString::fromUtf8(rules.level3Column),
          QStringLiteral("タイトルA"),
          QStringLiteral("アニメタイトルA"),
          QStringLiteral("ファイル名A"),
          QStringLiteral("フルパスA"),
          QStringLiteral("歌種別A"),
          QStringLiteral("カラオケA")};
}

QString selectList(const OrderRules& rules) {
  QStringList names = columnNames(rules);
  names.removeDuplicates();
  return QStringLiteral("SELECT ") + names.join(u',');
}

// The values of one row that the tree needs.
struct TreeRow {
  QString genreKey;  // "255", "036"
  int16_t genre = 0;
  QString index, level3, title, work, fileName, folder;
  int16_t icon = 5;
};

class TreeBuilder {
 public:
  TreeBuilder(const OrderRules& rules, SqlStatement& rows, AudioEngine& decoder,
              SongTreeStore& tree, const std::atomic<bool>& cancelled)
      : rules_(rules), rows_(rows), decoder_(decoder), tree_(tree), cancelled_(cancelled) {
    resolveColumns();
  }

  // One pass over the rows, ended early by a cancel; throws DbError or DuplicateKey.
  void run();
  int songCount() const { return songCount_; }
  TreeRow current() const { return row_; }

 private:
  // Column indices, looked up once: by name per row would cost more than the row itself.
  struct Columns {
    int genre, index, level3, title, work, fileName, folder, type, karaoke;
  };
  int column(const QString& name) const;
  void resolveColumns();
  void readRow();
  void addGroups();
  void addSong();
  void addUnregisteredFile();
  QString indexKey() const;

  const OrderRules& rules_;
  SqlStatement& rows_;
  AudioEngine& decoder_;
  SongTreeStore& tree_;
  const std::atomic<bool>& cancelled_;
  Columns col_{};
  TreeRow row_;
  std::optional<QString> prevGenre_, prevIndex_, prevLevel3_;
  int genreNode_ = 0;
  int indexNode_ = 0;
  int level3Node_ = 0;
  int songCount_ = 0;
  int recordCounter_ = 0;
};

int TreeBuilder::column(const QString& name) const {
  const int column = rows_.columnIndex(name);
  if (column < 0) throw DbError(QStringLiteral("the query has no column ") + name);
  return column;
}

void TreeBuilder::resolveColumns() {
  const QStringList names = columnNames(rules_);
  col_ = {column(names[0]), column(names[1]), column(names[2]), column(names[3]), column(names[4]),
          column(names[5]), column(names[6]), column(names[7]), column(names[8])};
}

void TreeBuilder::readRow() {
  // A number past 16 bits (or no number) is no genre of ours: it goes with genre 0.
  if (rows_.isNull(col_.genre)) rows_.requiredText(col_.genre);  // throws, naming the column
  const double genre = rows_.number(col_.genre);
  const int16_t genreNo = genre >= -32768 && genre <= 32767 ? static_cast<int16_t>(genre) : 0;
  if (row_.genreKey.isEmpty() || genreNo != row_.genre) {
    row_.genre = genreNo;
    row_.genreKey = QStringLiteral("%1").arg(row_.genre, 3, 10, QLatin1Char('0'));
  }
  const QString indexSource = rows_.requiredText(col_.index);
  row_.level3 = rows_.requiredText(col_.level3);
  row_.title = rows_.requiredText(col_.title);
  row_.work = rows_.requiredText(col_.work);
  row_.fileName = rows_.requiredText(col_.fileName);
  row_.folder = rows_.requiredText(col_.folder);
  row_.icon = songTypeIcon(rows_.requiredText(col_.type).left(1), rows_.requiredText(col_.karaoke));
  row_.index = rules_.yearIndex ? indexSource : indexLetter(indexSource);
  // Found files that no song row names have no reading or year of their own: their marker puts
  // them under 未登録 in every order.
  if (row_.level3 == kUnregistered || (!rules_.yearIndex && row_.index == QStringLiteral("未"))) {
    row_.index = kUnregistered;
  }
}

QString TreeBuilder::indexKey() const {
  return row_.genreKey + row_.index + (rules_.yearIndex ? QStringLiteral("年") : QString());
}

void TreeBuilder::addGroups() {
  if (prevGenre_ != row_.genreKey) {
    // A number without a name (past the ID3v1 list) shows as the number.
    const QString name = genreName(decoder_, row_.genre);
    genreNode_ =
        tree_.addNode(0, QStringLiteral("Genre") + row_.genreKey,
                      name.isEmpty() ? QString::number(row_.genre) : name, kImageGroup, true);
    prevGenre_ = row_.genreKey;
    prevIndex_.reset();
  }
  if (prevIndex_ != row_.index) {
    indexNode_ = tree_.addNode(genreNode_, indexKey(), row_.index, kImageGroup, true);
    tree_.setColour(indexNode_, Grey);
    prevIndex_ = row_.index;
    prevLevel3_.reset();
  }
}

void TreeBuilder::addSong() {
  if (rules_.level3IsNode && prevLevel3_ != row_.level3) {
    level3Node_ =
        tree_.addNode(indexNode_, indexKey() + row_.level3, row_.level3, kImageWork, true);
    tree_.setColour(level3Node_, Grey);
  }
  const int parent = rules_.level3IsNode ? level3Node_ : indexNode_;
  const QString text = rules_.leafShowsWork
                           ? row_.title + QStringLiteral("　(") + row_.work + QStringLiteral(")")
                           : row_.title;
  if (row_.fileName != kUnregistered) {
    ++songCount_;
    const int leaf = tree_.addNode(parent, row_.folder + row_.fileName, text, row_.icon, false);
    tree_.setColour(leaf, Blue);
    tree_.setColour(parent, Black);
    tree_.setColour(tree_.node(parent).parent, Black);
  } else {
    const int leaf = tree_.addNode(parent, kUnregistered + u' ' + QString::number(recordCounter_),
                                   text, row_.icon, false);
    tree_.setColour(leaf, Grey);
  }
}

void TreeBuilder::addUnregisteredFile() {
  const QString path = row_.folder + row_.fileName;
  TagRecord tag;
  StreamRecord stream;
  decoder_.fileInfo(path.toStdString(), tag, stream);
  const QString title = QString::fromStdString(tag.title);
  const int leaf =
      tree_.addNode(indexNode_, path, title.isEmpty() ? row_.fileName : title, row_.icon, false);
  tree_.setColour(leaf, Blue);
  tree_.setColour(indexNode_, Black);
  ++songCount_;
}

void TreeBuilder::run() {
  while (!cancelled_ && rows_.next()) {
    ++recordCounter_;
    readRow();
    addGroups();
    if (row_.level3 != kUnregistered) {
      addSong();
    } else {
      addUnregisteredFile();
    }
    prevLevel3_ = row_.level3;
  }
}

QString duplicateMessage(const TreeRow& row) {
  const QChar cr(13);
  return QStringLiteral("ＤＢの登録内容に誤りがあります") + cr + QStringLiteral("[階層１]:") +
         row.genreKey + cr + QStringLiteral("[階層２]:") + row.index + cr +
         QStringLiteral("[階層３]:") + row.level3 + cr + QStringLiteral("重複してませんか？");
}

}  // namespace

QString orderByText(TreeOrder order) {
  return QString::fromUtf8(rulesOf(order).orderBy);
}

QString countCaption(int checkCount, int songCount) {
  return QStringLiteral("選曲（ ") + format0000(checkCount) + u'/' + format0000(songCount) +
         QStringLiteral(" 件）");
}

TreeBuildResult buildSongTree(TreeOrder order, SqlDb& db, const QString& fromWhere,
                              AudioEngine& decoder, SongTreeStore& tree,
                              const std::atomic<bool>& cancelled) {
  TreeBuildResult result;
  std::optional<TreeBuilder> builder;
  try {
    SqlStatement rows = db.prepare(selectList(rulesOf(order)) + fromWhere + orderByText(order));
    builder.emplace(rulesOf(order), rows, decoder, tree, cancelled);
    builder->run();
    result.completed = !cancelled;
  } catch (const DuplicateKey&) {
    result.message = duplicateMessage(builder->current());
  } catch (const DbError& e) {
    result.message = e.description();
  }
  if (builder) result.songCount = builder->songCount();
  return result;
}

}  // namespace sorv
