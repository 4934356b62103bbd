#pragma once
// The WAV export: the ticked songs are decoded one after another into WAV files in the chosen
// folder. A one-second tick opens the next file or follows the running decode, so each file
// takes at least two ticks.
#include <QTimer>

#include "tools/ToolWindow.h"

namespace sorv {

class frmConv : public ToolWindow {
  Q_OBJECT

 public:
  frmConv(State& s, Decoder& d, PlayerView& v, CollectChecked collectChecked,
          QWidget* parent = nullptr);

  // 0 starts the export, 1 cancels it and closes the window.
  void btn_Click(int index) override;
  // One step of the export.
  void Timer1_Timer();
  bool timerRunning() const { return timer1_.isActive(); }
  bool converting() const { return converting_; }

  // "song.mp3" gives "song.WAV": the last three characters become "WAV".
  static QString OutputName(const QString& fileName);

 public slots:
  // Closing the window by its frame cancels like the cancel button.
  void reject() override;

 private:
  void StartExport();
  void FollowDecode();
  void OpenNext();
  void Unload();

  QTimer timer1_;
  QStringList files_;
  int position_ = 0;
  bool converting_ = false;
};

}  // namespace sorv
