#pragma once
// The about box: the program's title and version, the engine's version, a short description and
// a button for the system-information tool.
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "core/State.h"
#include "decoder/AudioEngine.h"

namespace sorv {

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  AboutBox(State& s, AudioEngine& d, QWidget* parent = nullptr);

  QLabel* lblVersion() const { return lblVersion_; }
  QLabel* lblDescription() const { return lblDescription_; }
  QPushButton* cmdOK() const { return cmdOK_; }
  QPushButton* cmdSysInfo() const { return cmdSysInfo_; }

  void cmdOKClick() { accept(); }
  void cmdSysInfoClick();

  // The engine's version number as text: the first digit, ".", the last two (300 gives "3.00",
  // 25 gives "2.25").
  static QString versionText(int32_t version);

 private:
  QLabel* addLabel(const QString& text, const QColor& color, int left, int top, int width,
                   int height);
  void addSeparator(int top);
  void fitDescription();

  QLabel* lblVersion_ = nullptr;
  QLabel* lblDescription_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdSysInfo_ = nullptr;
};

}  // namespace sorv
