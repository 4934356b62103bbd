#include "tools/WavExportWindow.h"

#include "core/Messages.h"
#include "core/Paths.h"

namespace sorv {

WavExportWindow::WavExportWindow(Player& player, CollectChecked collectChecked, QWidget* parent)
    : ToolWindow(player, std::move(collectChecked), parent, QStringLiteral("WAV変換"),
                 {QStringLiteral("変換開始"), QStringLiteral("変換取消")}, 1320) {
  connect(&startDelayTimer_, &QTimer::timeout, this, &WavExportWindow::startDelayTick);
}

QString WavExportWindow::outputName(const QString& fileName) {
  return withAudioExtension(fileName, QStringLiteral("WAV"));
}

void WavExportWindow::runCommand(int index) {
  if (index == 0)
    startExport();
  else
    reject();
}

void WavExportWindow::startExport() {
  // The export takes the engine for good: the player must not think a track is still running.
  player_.stop();
  btn(0)->setEnabled(false);
  removeStaleFilesOfTarget();
  files_ = collect_ ? collect_() : QStringList();
  position_ = 0;
  startDelayTimer_.start(1000);
}

void WavExportWindow::startDelayTick() {
  if (converting_)
    followDecode();
  else if (position_ < files_.size())
    openNext();
  else
    startDelayTimer_.stop();  // the last file could not be opened: wait for the user to cancel
}

void WavExportWindow::followDecode() {
  int32_t elapsed = 0;
  if (d_.state(elapsed) != 0) {
    progressBar()->setValue(elapsed);
    return;
  }
  converting_ = false;
  if (decodeStarted_ && !d_.waveWritten())
    showMessage(files_.at(position_ - 1) + QStringLiteral("の変換に失敗しました。"));
  d_.close();
  if (position_ == files_.size()) unload();
}

void WavExportWindow::openNext() {
  ++position_;
  const QString file = files_.at(position_ - 1);
  OpenRecord record{};
  if (!d_.open(file.toStdString(), record)) {
    showMessage(file + QStringLiteral("のオープンに失敗しました。"));
    return;
  }
  converting_ = true;
  const QString name = fileNamePart(file);
  ttl()->setText(name + QStringLiteral("　変換中"));
  progressBar()->setRange(0, std::max<int32_t>(record.length, 1));
  progressBar()->setValue(0);
  setWindowTitle(QStringLiteral("ＷＡＶ変換 (") + format0000(position_) + QStringLiteral("/") +
                 format0000(files_.size()) + QStringLiteral(")"));
  decodeStarted_ = d_.decodeToWav(targetPath(outputName(name)).toStdString()) != 0;
  if (!decodeStarted_) showMessage(file + QStringLiteral("の変換に失敗しました。"));
}

void WavExportWindow::reject() {
  if (converting_) {
    d_.close();
    converting_ = false;
  }
  unload();
}

void WavExportWindow::unload() {
  startDelayTimer_.stop();
  QDialog::reject();
}

}  // namespace sorv
