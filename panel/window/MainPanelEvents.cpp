// Moving the panel by its skin, file drops on its controls, and its unload.
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QWindow>

#include "panel/window/MainPanel.h"
#include "playback/NewList.h"

namespace sorv {

namespace {

// Only a list of local files may be dropped.
bool holdsFileList(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().isEmpty()) return false;
  for (const QUrl& url : data->urls())
    if (!url.isLocalFile()) return false;
  return true;
}

// Offers copy, and only copy, for a file list; refuses anything else.
void answerDragOver(QDropEvent* event) {
  if (holdsFileList(event->mimeData()) && (event->possibleActions() & Qt::CopyAction)) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace

void MainPanel::titleBarMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers, double, double) {
  if (buttons != Qt::LeftButton) return;
  if (!systemMoveTried_) {
    systemMoveTried_ = true;
    // The window system moves the window itself until the button is released.
    if (windowHandle() && windowHandle()->startSystemMove()) return;
  }
  move(QCursor::pos() - pressOffset_);
}

void MainPanel::acceptDropsOn(QWidget* control) {
  if (!control) return;
  control->setAcceptDrops(true);
  control->installEventFilter(this);
}

bool MainPanel::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
      answerDragOver(static_cast<QDropEvent*>(event));
      return true;
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (holdsFileList(drop->mimeData())) {
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        openDropped(player_, *drop->mimeData());
      }
      v_.setCaption(s_.playingCaption());
      return true;
    }
    default:
      return QWidget::eventFilter(watched, event);
  }
}

void MainPanel::closeEvent(QCloseEvent* event) {
  if (!unloaded_) {
    unloaded_ = true;
    emit unloading();
  }
  event->accept();
}

}  // namespace sorv
