#pragma once
// Ground for the tool windows' tests: settings of both scopes kept in a temporary folder, a
// process folder of the test's own, and a way to act on a modal dialog while it runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "core/State.h"
#include "playback/Player.h"
#include "tests/common/FakeEngine.h"
#include "tests/common/FakeView.h"
#include "tests/common/MessageCapture.h"

namespace sorv::test {

class ToolsTest : public ::testing::Test {
 protected:
  ToolsTest();
  ~ToolsTest() override;

  // A path inside the test's temporary folder.
  QString temp(const QString& name) const { return temp_.filePath(name); }
  // Makes a folder inside the temporary folder and returns its path.
  QString makeDir(const QString& name) const;
  // Writes a file inside the temporary folder and returns its path.
  QString makeFile(const QString& name, const QByteArray& content) const;
  // The stored settings folder, or an invalid value when none is stored.
  QVariant storedWorkPath() const;

  State s;
  FakeEngine d;
  FakeView v;
  Player player{s, d, v};
  MessageCapture messages;

 private:
  QTemporaryDir temp_;
  QString oldCurrent_;
};

// Runs act on the modal dialog of type T as soon as its event loop runs; fails the test (and
// closes whatever is modal) when no such dialog shows up.
template <typename T>
void whenModal(std::function<void(T*)> act) {
  QTimer::singleShot(0, [act] {
    QWidget* modal = QApplication::activeModalWidget();
    if (T* dialog = qobject_cast<T*>(modal)) {
      act(dialog);
      return;
    }
    ADD_FAILURE() << "expected modal dialog did not show";
    if (auto* other = qobject_cast<QDialog*>(modal)) other->reject();
  });
}

}  // namespace sorv::test
