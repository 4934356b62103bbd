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
#include <functional>

#include "core/State.h"
#include "decoder/Decoder.h"
#include "library/select/Filter.h"
#include "library/select/SongTreeWidget.h"
#include "playback/PlayerView.h"

namespace sorv {

class SqlDb;

class frmEdit : public QDialog {
  Q_OBJECT

 public:
  frmEdit(State& s, Decoder& decoder, PlayerView& view, QWidget* parent = nullptr);

  // The copy and WAV export windows; they get a function that collects the ticked paths.
  std::function<void(std::function<QStringList()>)> openCopy;
  std::function<void(std::function<QStringList()>)> openExport;
  // The folder picker of the 参照 buttons: called with the box text in PickedDir; a non-empty
  // PickedDir afterwards becomes the box text.
  std::function<void()> pickFolder;

  // Controls, by their indices.
  SongTreeWidget* Tree;
  std::array<QPushButton*, 6> btn{};
  std::array<QCheckBox*, kFilterBoxes> EdtChk{};
  std::array<QLineEdit*, 3> DataPath{};
  std::array<QPushButton*, 3> SetBtn{};
  QLineEdit* SStr;
  QComboBox* SortSel;
  QMenu* pop;
  std::array<QAction*, 3> Edtpop{};  // 1 再生, 2 停止

  // Search and tree (SelectionSearch.cpp).
  void RunSearch(int16_t reuseCandidates);
  void AppendFilter(QString& sql) const;
  void ToggleSubtree(QTreeWidgetItem* node);
  int SongCount() const { return songCount_; }
  int FileCount() const { return fileCount_; }

  // Ticks (SelectionTicks.cpp).
  void PropagateCheckDown(QTreeWidgetItem* node, int16_t value, int16_t nested);
  void PropagateCheckUp(QTreeWidgetItem* node, int16_t value);
  // Ticked leaves' keys in display order (at most the play list's capacity).
  QStringList CollectCheckedKeys() const;
  void Tree_MouseDown(Qt::MouseButton button, QTreeWidgetItem* node);
  void Tree_MouseUp(Qt::MouseButton button, QTreeWidgetItem* node, QPoint globalPos = {});
  void Tree_SpaceKey();

  // Commands (SelectionCommands.cpp).
  void btn_Click(int index);
  void Edtpop_Click(int index);
  void SetBtn_Click(int index);
  void DataPath_LostFocus(int index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildLayout();
  QWidget* BuildOptions();
  QWidget* BuildPaths();
  QWidget* BuildButtons();
  void Load();
  void ExpandSmallTree();
  void FinishSearch(SqlDb& db);
  void StartSearch();
  void ScanAndRecord();
  int16_t& Mark(const QTreeWidgetItem* node);
  void ClearMarks();
  void CountTick(int16_t value);
  void ToggleTick(QTreeWidgetItem* node);
  void ShowCountCaption();
  void EnableSelectionButtons();
  void StorePaths();
  void ChooseSongs();
  void Preview();
  void StopPreview();

  State& s_;
  Decoder& decoder_;
  PlayerView& view_;
  int songCount_ = 0;
  int fileCount_ = 0;
  int pressIndex_ = 0;
  QTreeWidgetItem* popupNode_ = nullptr;
};

}  // namespace sorv
