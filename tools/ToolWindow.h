#pragma once
// What the export and copy windows share: the output-folder heading, drive and folder lists,
// the two buttons, the name line and the progress bar, placed at the same spots.
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>
#include <array>
#include <functional>

#include "playback/Player.h"
#include "tools/DriveFolderList.h"

namespace sorv {

// Gives the full paths of the ticked songs in tree order, when the user starts.
using CollectChecked = std::function<QStringList()>;

class ToolWindow : public QDialog {
  Q_OBJECT

 public:
  DriveFolderList& dir1() const { return *list_; }
  QPushButton* btn(int i) const { return btn_.at(i); }
  QLabel* ttl() const { return ttl_; }
  QProgressBar* progressBar() const { return bar_; }

  // The two buttons, as btn and runCommand number them.
  enum Command : int { kStart = 0, kCancel = 1 };
  virtual void runCommand(int index) = 0;

 protected:
  // buttonTop: the top of the start button in twips (the cancel button sits 540 below it).
  ToolWindow(Player& player, CollectChecked collect, QWidget* parent, const QString& caption,
             const std::array<QString, 2>& buttons, int buttonTop);
  // The target of a file: the folder shown, the separator and the name, as they are (the root
  // gives a doubled separator, which the file system takes as one).
  QString targetPath(const QString& name) const;
  // Removes the temporary files a killed job left in the folder shown.
  void removeStaleFilesOfTarget() const;

  Player& player_;
  State& s_;
  AudioEngine& d_;
  PlayerView& v_;
  CollectChecked collect_;

 private:
  DriveFolderList* list_;
  std::array<QPushButton*, 2> btn_{};
  QLabel* ttl_;
  QProgressBar* bar_;
};

}  // namespace sorv
