// Shared main of every test executable: a QApplication (offscreen unless told otherwise), the
// font substitutions, and message boxes that never block.
#include <gtest/gtest.h>

#include <QApplication>

#include "core/Fonts.h"
#include "core/Messages.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
  QApplication app(argc, argv);
  sorv::registerFontSubstitutions();
  // A test that forgets to capture messages must not hang on a modal box.
  sorv::setMessageHandler([](const QString& text) { qWarning("message: %s", qPrintable(text)); });
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
