#pragma once
// The WAV export: the ticked songs are decoded one after another into WAV files in the chosen
// folder. A one-second tick opens the next file or follows the running decode, so each file
// takes at least two ticks.
#include <QTimer>

#include "tools/ToolWindow.h"

namespace sorv {

class WavExportWindow : public ToolWindow {
  Q_OBJECT

 public:
  WavExportWindow(Player& player, CollectChecked collectChecked, QWidget* parent = nullptr);

  // 0 starts the export, 1 cancels it and closes the window.
  void runCommand(int index) override;
  // One step of the export.
  void startDelayTick();
  bool timerRunning() const { return startDelayTimer_.isActive(); }
  bool converting() const { return converting_; }

  // "song.mp3" and "song.flac" give "song.WAV" (withAudioExtension).
  static QString outputName(const QString& fileName);

 public slots:
  // Closing the window by its frame cancels like the cancel button.
  void reject() override;

 private:
  void startExport();
  void followDecode();
  void openNext();
  void unload();

  QTimer startDelayTimer_;
  QStringList files_;
  int position_ = 0;
  bool converting_ = false;
  bool decodeStarted_ = false;  // the open file's decode was started: its outcome is told
};

}  // namespace sorv
