#pragma once
// The about box: the program's title and version, a short description, the libraries it is built
// on with their versions, and a button for the system-information tool.
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "core/State.h"

namespace sorv {

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  AboutBox(State& s, QWidget* parent = nullptr);

  QLabel* lblVersion() const { return lblVersion_; }
  QLabel* lblDescription() const { return lblDescription_; }
  QPushButton* cmdOK() const { return cmdOK_; }
  QPushButton* cmdSysInfo() const { return cmdSysInfo_; }
  // The libraries in two columns, each line "name version".
  QLabel* lblLibraries(int column) const { return lblLibraries_[column]; }

  void cmdOKClick() { accept(); }
  void cmdSysInfoClick();

 private:
  QLabel* addLabel(const QString& text, const QColor& color, int left, int top, int width,
                   int height);
  void addSeparator(int top);
  void fitDescription();
  void addLibraries(int top);

  QLabel* lblVersion_ = nullptr;
  QLabel* lblDescription_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdSysInfo_ = nullptr;
  QLabel* lblLibraries_[2] = {};
};

}  // namespace sorv
