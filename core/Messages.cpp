#include "core/Messages.h"

#include <QMessageBox>

namespace sorv {

namespace {

MessageHandler& currentHandler() {
  static MessageHandler handler;
  return handler;
}

}  // namespace

void showMessage(const QString& text) {
  if (currentHandler()) {
    currentHandler()(text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("そるばね"), text, QMessageBox::Ok);
  box.exec();
}

MessageHandler setMessageHandler(MessageHandler handler) {
  MessageHandler previous = std::move(currentHandler());
  currentHandler() = std::move(handler);
  return previous;
}

}  // namespace sorv
