#pragma once
// One copy of the program plays at a time: a second copy hands its command line to the running
// one over a local socket that only this user can reach, and ends.
#include <QLocalServer>
#include <QLocalSocket>
#include <QObject>
#include <QString>

namespace sorv {

// The socket name for a user, made from the service "そるばね" and the topic "FormM".
QString handOverServerName(const QString& user = QString());

// Listens for the command lines of later copies. Each arrives once, whole, as commandReceived.
// Make it only once sendToRunningCopy found no other copy: a socket of that name is taken over.
class HandOverServer : public QObject {
  Q_OBJECT

 public:
  explicit HandOverServer(const QString& name = handOverServerName(), QObject* parent = nullptr);
  // False when the socket could not be made (the program then runs without hand-over).
  bool isListening() const { return server_.isListening(); }

 signals:
  void commandReceived(const QString& command);

 private:
  void takeConnection();
  void readCommand(QLocalSocket* socket);

  QLocalServer server_;
};

// For a copy starting up: true when another copy runs (the command line was offered to it,
// waiting at most one second for it to take it); false when this copy is the only one.
bool sendToRunningCopy(const QString& commandLine, const QString& name = handOverServerName());

}  // namespace sorv
