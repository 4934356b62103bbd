#pragma once
// The running copy's end of the hand-over channel: it holds the single-instance lock and listens
// on the socket beside it for the command lines of later copies of the same user.
#include <QLocalServer>
#include <QLocalSocket>
#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>

#include "core/session/HandOverPlace.h"
#include "core/session/InstanceLock.h"

namespace sorv {

class HandOverServer : public QObject {
  Q_OBJECT

 public:
  explicit HandOverServer(const QString& name = handOverServerName(), QObject* parent = nullptr);
  ~HandOverServer() override;

  // Takes the lock without waiting and, once held, listens (a socket left by a copy that ended
  // is removed first: only the lock's holder may do that). True when this copy is the one that
  // runs; also true, without listening, when there is no safe place for a channel.
  bool claim();
  bool isListening() const { return server_.isListening(); }
  const QString& name() const { return name_; }
  // Listens again when the server stopped (out of file descriptors, say) or its socket file was
  // taken away. Runs every second; public so tests need not wait for it.
  void keepListening();

 signals:
  // Each command line once, whole. One arriving while the previous one is still being handled
  // (inside a message box's loop, say) waits for it to return; a newer one replaces it.
  void commandReceived(const QString& command);

 private:
  bool listen();
  void takeConnections();
  void readCommand(QLocalSocket* socket);
  void drop(QLocalSocket* socket);
  void deliver(const QString& command);

  QString name_;
  InstanceLock lock_;
  QLocalServer server_;
  QTimer watch_;
  ino_t socketInode_ = 0;
  QList<QLocalSocket*> connections_;
  bool delivering_ = false;
  std::optional<QString> pending_;
};

}  // namespace sorv
