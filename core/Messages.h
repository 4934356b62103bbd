#pragma once
// Every message box of the program goes through showMessage, so tests can capture the texts
// instead of blocking on a modal dialog.
#include <QString>
#include <functional>

namespace sorv {

// A message box with an OK button only, titled with the program's name.
void showMessage(const QString& text);

using MessageHandler = std::function<void(const QString&)>;
// Replaces the message box; an empty handler restores it. Returns the previous handler.
MessageHandler setMessageHandler(MessageHandler handler);

}  // namespace sorv
