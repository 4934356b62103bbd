#pragma once
// Copying the ticked songs into a chosen folder under their own names (numbered where a name is
// taken, so nothing there is replaced), with the window's events running between two files so
// that cancel takes effect after the file being copied.
#include "tools/ToolWindow.h"

namespace sorv {

class CopyWindow : public ToolWindow {
  Q_OBJECT

 public:
  CopyWindow(Player& player, CollectChecked collectChecked, QWidget* parent = nullptr);

  // 0 runs the whole copy and closes the window; 1 cancels and closes.
  void runCommand(int index) override;

 public slots:
  // Closing the window by its frame cancels like the cancel button.
  void reject() override;

 private:
  void runCopy();
  // False when the file could not be copied.
  bool copyOne(const QStringList& files, int position);

  bool cancel_ = false;
  bool running_ = false;
};

}  // namespace sorv
