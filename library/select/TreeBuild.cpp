#include "library/select/TreeBuild.h"

#include <optional>

#include "core/Messages.h"
#include "core/Paths.h"
#include "library/db/SongDb.h"
#include "library/db/SqlDb.h"
#include "library/select/TreeText.h"

namespace sorv {

namespace {

const QString kUnregistered = QStringLiteral("未登録");

// What distinguishes the four orders.
struct OrderRules {
  const char* orderBy;
  const char* indexColumn;  // first character (or, for years, the whole text) is the index
  const char* level3Column;
  bool level3IsNode;   // false: songs hang under the index node
  bool leafShowsWork;  // leaf text "title　(work)"
  bool yearIndex;      // index is the year; keys carry "年"
};

const OrderRules& RulesOf(TreeOrder order) {
  static const OrderRules rules[] = {
      {" ORDER BY ジャンルNoA DESC,アニメタイトルかなA,アニメタイトルA,歌種別A ,歌連番A ,制作年A,"
       "カラオケA",
       "アニメタイトルかなA", "アニメタイトルA", true, false, false},
      {" ORDER BY ジャンルNoA DESC,タイトルかなA,アニメタイトルかなA,歌種別A,歌連番A,制作年A,"
       "カラオケA",
       "タイトルかなA", "アニメタイトルA", false, true, false},
      {" ORDER BY ジャンルNoA DESC,アーティストかなA,制作年A,アニメタイトルかなA,アニメタイトルA,"
       "歌種別A,歌連番A,カラオケA",
       "アーティストかなA", "アーティストA", true, true, false},
      {" ORDER BY ジャンルNoA DESC,制作年A,アニメタイトルかなA,アニメタイトルA,歌種別A,歌連番A,"
       "カラオケA",
       "制作年A", "アニメタイトルA", true, false, true},
  };
  return rules[static_cast<int>(order)];
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
  TreeBuilder(const OrderRules& rules, SqlStatement& rows, Decoder& decoder, SongTreeWidget& tree)
      : rules_(rules), rows_(rows), decoder_(decoder), tree_(tree) {
    ResolveColumns();
  }

  // One pass over the rows; throws DbError or DuplicateKey.
  void Run();
  int songCount() const { return songCount_; }
  TreeRow current() const { return row_; }

 private:
  // Column indices, looked up once: by name per row would cost more than the row itself.
  struct Columns {
    int genre, index, level3, title, work, fileName, folder, type, karaoke;
  };
  int Column(const char* name) const;
  void ResolveColumns();
  void ReadRow();
  void AddGroups();
  void AddSong();
  void AddUnregisteredFile();
  QString IndexKey() const;

  const OrderRules& rules_;
  SqlStatement& rows_;
  Decoder& decoder_;
  SongTreeWidget& tree_;
  Columns col_{};
  TreeRow row_;
  std::optional<QString> prevGenre_, prevIndex_, prevLevel3_;
  QTreeWidgetItem* genreNode_ = nullptr;
  QTreeWidgetItem* indexNode_ = nullptr;
  QTreeWidgetItem* level3Node_ = nullptr;
  int songCount_ = 0;
  int recordCounter_ = 0;
};

int TreeBuilder::Column(const char* name) const {
  const int column = rows_.ColumnIndex(QString::fromUtf8(name));
  if (column < 0) throw DbError(QStringLiteral("the query has no column ") + name);
  return column;
}

void TreeBuilder::ResolveColumns() {
  col_ = {Column("ジャンルNoA"), Column(rules_.indexColumn), Column(rules_.level3Column),
          Column("タイトルA"),   Column("アニメタイトルA"),  Column("ファイル名A"),
          Column("フルパスA"),   Column("歌種別A"),          Column("カラオケA")};
}

void TreeBuilder::ReadRow() {
  row_.genre = static_cast<int16_t>(rows_.RequiredText(col_.genre).toDouble());
  row_.genreKey = QStringLiteral("%1").arg(row_.genre, 3, 10, QLatin1Char('0'));
  const QString indexSource = rows_.RequiredText(col_.index);
  row_.level3 = rows_.RequiredText(col_.level3);
  row_.title = rows_.RequiredText(col_.title);
  row_.work = rows_.RequiredText(col_.work);
  row_.fileName = rows_.RequiredText(col_.fileName);
  row_.folder = rows_.RequiredText(col_.folder);
  row_.icon = SongTypeIcon(rows_.RequiredText(col_.type).left(1), rows_.RequiredText(col_.karaoke));
  row_.index = rules_.yearIndex ? indexSource : indexSource.left(1);
  if (rules_.yearIndex) return;
  if (row_.index == QStringLiteral("未")) {
    row_.index = kUnregistered;
  } else {
    UnvoicedKana(row_.index);
  }
}

QString TreeBuilder::IndexKey() const {
  return row_.genreKey + row_.index + (rules_.yearIndex ? QStringLiteral("年") : QString());
}

void TreeBuilder::AddGroups() {
  if (prevGenre_ != row_.genreKey) {
    genreNode_ = tree_.AddNode(nullptr, QStringLiteral("Genre") + row_.genreKey,
                               GenreName(decoder_, row_.genre), kImageGroup, true);
    prevGenre_ = row_.genreKey;
    prevIndex_.reset();
  }
  if (prevIndex_ != row_.index) {
    indexNode_ = tree_.AddNode(genreNode_, IndexKey(), row_.index, kImageGroup, true);
    SongTreeWidget::SetColor(indexNode_, kGreyNode);
    prevIndex_ = row_.index;
    prevLevel3_.reset();
  }
}

void TreeBuilder::AddSong() {
  if (rules_.level3IsNode && prevLevel3_ != row_.level3) {
    level3Node_ =
        tree_.AddNode(indexNode_, IndexKey() + row_.level3, row_.level3, kImageWork, true);
    SongTreeWidget::SetColor(level3Node_, kGreyNode);
  }
  QTreeWidgetItem* parent = rules_.level3IsNode ? level3Node_ : indexNode_;
  const QString text = rules_.leafShowsWork
                           ? row_.title + QStringLiteral("　(") + row_.work + QStringLiteral(")")
                           : row_.title;
  if (row_.fileName != kUnregistered) {
    ++songCount_;
    QTreeWidgetItem* leaf =
        tree_.AddNode(parent, row_.folder + row_.fileName, text, row_.icon, false);
    SongTreeWidget::SetColor(leaf, kBlueNode);
    SongTreeWidget::SetColor(parent, kBlackNode);
    SongTreeWidget::SetColor(parent->parent(), kBlackNode);
  } else {
    QTreeWidgetItem* leaf = tree_.AddNode(
        parent, kUnregistered + u' ' + QString::number(recordCounter_), text, row_.icon, false);
    SongTreeWidget::SetColor(leaf, kGreyNode);
  }
}

void TreeBuilder::AddUnregisteredFile() {
  const QString path = row_.folder + row_.fileName;
  TagRecord tag;
  StreamRecord stream;
  decoder_.vbmp3_getFileInfo(path.toStdString(), tag, stream);
  const QString title = QString::fromStdString(tag.title);
  QTreeWidgetItem* leaf =
      tree_.AddNode(indexNode_, path, title.isEmpty() ? row_.fileName : title, row_.icon, false);
  SongTreeWidget::SetColor(leaf, kBlueNode);
  SongTreeWidget::SetColor(indexNode_, kBlackNode);
  ++songCount_;
}

void TreeBuilder::Run() {
  while (rows_.Next()) {
    ++recordCounter_;
    ReadRow();
    AddGroups();
    if (row_.level3 != kUnregistered) {
      AddSong();
    } else {
      AddUnregisteredFile();
    }
    prevLevel3_ = row_.level3;
  }
}

QString DuplicateMessage(const TreeRow& row) {
  const QChar cr(13);
  return QStringLiteral("ＤＢの登録内容に誤りがあります") + cr + QStringLiteral("[階層１]:") +
         row.genreKey + cr + QStringLiteral("[階層２]:") + row.index + cr +
         QStringLiteral("[階層３]:") + row.level3 + cr + QStringLiteral("重複してませんか？");
}

}  // namespace

QString OrderByText(TreeOrder order) {
  return QString::fromUtf8(RulesOf(order).orderBy);
}

QString CountCaption(int checkCount, int songCount) {
  return QStringLiteral("選曲（ ") + Format0000(checkCount) + u'/' + Format0000(songCount) +
         QStringLiteral(" 件）");
}

TreeBuildResult BuildSongTree(TreeOrder order, SqlDb& db, const QString& fromWhere,
                              Decoder& decoder, SongTreeWidget& tree) {
  TreeBuildResult result;
  tree.BeginBulk();
  std::optional<TreeBuilder> builder;
  try {
    SqlStatement rows = db.Prepare(QStringLiteral("SELECT *") + fromWhere + OrderByText(order));
    builder.emplace(RulesOf(order), rows, decoder, tree);
    builder->Run();
    result.completed = true;
  } catch (const DuplicateKey&) {
    ShowMessage(DuplicateMessage(builder->current()));
  } catch (const DbError& e) {
    ShowMessage(e.description());
  }
  tree.EndBulk();
  if (builder) result.songCount = builder->songCount();
  return result;
}

}  // namespace sorv
