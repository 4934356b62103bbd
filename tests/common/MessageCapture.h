#pragma once
// Captures the texts of message boxes for as long as it lives.
#include <QStringList>

#include "core/Messages.h"

namespace sorv::test {

class MessageCapture {
 public:
  MessageCapture() {
    previous_ = setMessageHandler([this](const QString& text) { texts.push_back(text); });
  }
  ~MessageCapture() { setMessageHandler(previous_); }
  MessageCapture(const MessageCapture&) = delete;
  MessageCapture& operator=(const MessageCapture&) = delete;

  QStringList texts;

 private:
  MessageHandler previous_;
};

}  // namespace sorv::test
