#pragma once
// The options dialog: the options, three folders, the engine's processor-load setting, and a
// fresh check of the song database. OK applies everything; cancel keeps only the folder fields
// already committed when they lost focus.
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <array>

#include "playback/Player.h"

namespace sorv {

class OptionsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit OptionsDialog(Player& player, QWidget* parent = nullptr);
  // The fields' last focus change happens while the window is torn down: it commits nothing.
  ~OptionsDialog() override;

  QCheckBox* check1(int i) const { return check1_.at(i); }
  // Other audio formats beside MP3 in scans and drops; kept in the settings.
  QCheckBox* otherFormats() const { return otherFormats_; }
  // Loudness matching: off, per song, per album; kept in the settings.
  QRadioButton* loudness(int mode) const { return loudness_.at(mode); }
  QRadioButton* timing(int i) const { return timing_.at(i); }
  QSlider* cpu() const { return cpu_; }
  QLineEdit* filpath(int i) const { return filpath_.at(i); }
  QPushButton* command2(int i) const { return command2_.at(i); }
  QPushButton* command1() const { return command1_; }
  QPushButton* cmdOK() const { return cmdOK_; }
  QPushButton* cmdCancel() const { return cmdCancel_; }

  void cmdOKClick();
  void cmdCancelClick() { reject(); }
  void command1Click();
  void command2Click(int i);
  void filpathLostFocus(int i);

  static constexpr int kCpuMin = 0;
  static constexpr int kCpuMax = 20;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* buildOptions();
  QWidget* buildTiming();
  QWidget* buildCpu();
  QWidget* buildLoudness();
  QWidget* buildPaths();
  QWidget* buildButtons();
  void formLoad();
  void applyCpuLoad();
  void recheckSongDb();

  Player& player_;
  State& s_;
  AudioEngine& d_;
  PlayerView& v_;
  std::array<QCheckBox*, 5> check1_{};
  QCheckBox* otherFormats_ = nullptr;
  std::array<QRadioButton*, 3> loudness_{};
  std::array<QRadioButton*, 2> timing_{};
  QSlider* cpu_ = nullptr;
  int cpuAtLoad_ = 0;
  std::array<QLineEdit*, 3> filpath_{};
  std::array<QPushButton*, 3> command2_{};
  QPushButton* command1_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
};

}  // namespace sorv
