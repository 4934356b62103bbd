#pragma once
// The selection window: scans the search folders, shows the songs as a tree with check boxes,
// narrows it with the option boxes and the search text, and turns the ticked songs into the
// play list. Opened modally; hidden, not destroyed, by its two closing buttons, so the tree
// and the ticks survive until the next opening. Searches run on a worker thread (SearchWorker):
// the window answers meanwhile, and hiding it or another search cancels the one that runs.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <array>

#include "library/select/Filter.h"
#include "library/select/SearchWorker.h"
#include "library/select/SongTreeView.h"
#include "playback/Player.h"

namespace sorv {

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
  SongTreeView* tree;
  std::array<QPushButton*, 6> btn{};
  std::array<QCheckBox*, kFilterBoxes> edtChk{};
  std::array<QLineEdit*, 3> dataPath{};
  std::array<QPushButton*, 3> setBtn{};
  QLineEdit* sStr;
  QComboBox* sortSel;
  QMenu* pop;
  std::array<QAction*, 3> edtpop{};  // 1 再生, 2 停止

  // Search and tree (SelectionSearch.cpp). A search started by runCommand ends later, on this
  // thread; searching() tells whether one still runs.
  void appendFilter(QString& sql) const;
  void toggleSubtree(int node);
  bool searching() const { return runner_->running(); }
  int songCount() const { return songCount_; }
  int fileCount() const { return fileCount_; }
  // Ticked songs; whether 検索 reuses the last scan.
  int checkCount() const { return checkCount_; }
  bool scanReusable() const { return scanReusable_; }

  // Ticks (SelectionTicks.cpp), kept in the tree's store.
  void propagateCheckDown(int node, bool tick, bool nested);
  void propagateCheckUp(int node, bool tick);
  // Ticked leaves' keys in display order.
  QStringList collectCheckedKeys() const;
  void treeMouseUp(Qt::MouseButton button, int node, QPoint globalPos = {});
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
  void hideEvent(QHideEvent* event) override;

 private:
  void buildLayout();
  QWidget* buildOptions();
  QWidget* buildPaths();
  QWidget* buildButtons();
  void load();
  void expandSmallTree();
  void startSearch(bool rescan, bool recordReuse);
  void finishSearch(const std::shared_ptr<SearchOutcome>& outcome);
  void cancelSearch();
  void countTick(bool tick);
  void toggleTick(int node);
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
  SearchRunner* runner_;
  int songCount_ = 0;
  int fileCount_ = 0;
  int checkCount_ = 0;  // ticked songs
  // 検索 may reuse the files of the last scan instead of scanning again; the search that runs
  // decides it when it ends.
  bool scanReusable_ = false;
  bool recordReuse_ = false;
  int popupNode_ = 0;
  bool shownOnce_ = false;
};

}  // namespace sorv
