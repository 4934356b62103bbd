#pragma once
// The selection window: scans the search folders, shows the songs as a tree with check boxes,
// narrows it with the option boxes and the search text, and turns the ticked songs into the
// play list. Opened modally; hidden, not destroyed, by its two closing buttons, so the tree
// and the ticks survive until the next opening.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <array>

#include "library/select/Filter.h"
#include "library/select/SongTreeWidget.h"
#include "playback/Player.h"

namespace sorv {

class SqlDb;

class SelectionWindow : public QDialog {
  Q_OBJECT

 public:
  // The buttons, as btn and runCommand number them.
  enum Command : int {
    kChooseSongs = 0,  // 選曲完了
    kCancel = 1,       // 選曲取消
    kSearchAll = 2,    // 全検索: scans the folders again
    kCopy = 3,         // MP3コピー
    kExport = 4,       // WAV変換
    kSearch = 5,       // 検索: reuses the last scan
  };

  explicit SelectionWindow(Player& player, QWidget* parent = nullptr);

  // Controls, by their indices.
  SongTreeWidget* tree;
  std::array<QPushButton*, 6> btn{};
  std::array<QCheckBox*, kFilterBoxes> edtChk{};
  std::array<QLineEdit*, 3> dataPath{};
  std::array<QPushButton*, 3> setBtn{};
  QLineEdit* sStr;
  QComboBox* sortSel;
  QMenu* pop;
  std::array<QAction*, 3> edtpop{};  // 1 再生, 2 停止

  // Search and tree (SelectionSearch.cpp).
  void runSearch(int16_t reuseCandidates);
  void appendFilter(QString& sql) const;
  void toggleSubtree(QTreeWidgetItem* node);
  int songCount() const { return songCount_; }
  int fileCount() const { return fileCount_; }
  // Ticked songs; the tick recorded for a tree node (-1 ticked, 0 clear); whether 検索 reuses
  // the last scan.
  int checkCount() const { return checkCount_; }
  int16_t checkMark(int nodeIndex) const { return checkMark_.value(nodeIndex); }
  bool scanReusable() const { return scanReusable_; }

  // Ticks (SelectionTicks.cpp).
  void propagateCheckDown(QTreeWidgetItem* node, int16_t value, int16_t nested);
  void propagateCheckUp(QTreeWidgetItem* node, int16_t value);
  // Ticked leaves' keys in display order (at most the play list's capacity).
  QStringList collectCheckedKeys() const;
  void treeMouseDown(Qt::MouseButton button, QTreeWidgetItem* node);
  void treeMouseUp(Qt::MouseButton button, QTreeWidgetItem* node, QPoint globalPos = {});
  void treeSpaceKey();

  // Commands (SelectionCommands.cpp): a Command.
  void runCommand(int index);
  void edtpopClick(int index);
  void setBtnClick(int index);
  void dataPathLostFocus(int index);

 signals:
  // MP3コピー and WAV変換: the copy or export window opens over this one and takes the ticked
  // paths from collectCheckedKeys.
  void copyRequested();
  void exportRequested();
  // 参照 beside a search-path box: a folder picker starts on the box's text, and a folder
  // picked with OK replaces it.
  void folderPickRequested(QLineEdit* box);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void buildLayout();
  QWidget* buildOptions();
  QWidget* buildPaths();
  QWidget* buildButtons();
  void load();
  void expandSmallTree();
  void finishSearch(SqlDb& db);
  void startSearch();
  void scanAndRecord();
  int16_t& mark(const QTreeWidgetItem* node);
  void clearMarks();
  void countTick(int16_t value);
  void toggleTick(QTreeWidgetItem* node);
  void showCountCaption();
  void enableSelectionButtons();
  void storePaths();
  void chooseSongs();
  void preview();
  void stopPreview();

  Player& player_;
  State& s_;
  AudioEngine& decoder_;
  PlayerView& view_;
  int songCount_ = 0;
  int fileCount_ = 0;
  // The ticks by tree-node index from 1 (-1 ticked, 0 clear), growing with the tree, and the
  // count of ticked songs.
  QVector<int16_t> checkMark_ = QVector<int16_t>(8193, 0);
  int checkCount_ = 0;
  // 検索 may reuse the files of the last scan instead of scanning again.
  bool scanReusable_ = false;
  int pressIndex_ = 0;
  QTreeWidgetItem* popupNode_ = nullptr;
  bool shownOnce_ = false;
};

}  // namespace sorv
