#include "tools/frmConv.h"

#include "core/Messages.h"
#include "core/Paths.h"
#include "tools/StopPlayer.h"

namespace sorv {

frmConv::frmConv(State& s, Decoder& d, PlayerView& v, CollectChecked collectChecked,
                 QWidget* parent)
    : ToolWindow(s, d, v, std::move(collectChecked), parent, QStringLiteral("WAV変換"),
                 {QStringLiteral("変換開始"), QStringLiteral("変換取消")}, 1320) {
  connect(&timer1_, &QTimer::timeout, this, &frmConv::Timer1_Timer);
}

QString frmConv::OutputName(const QString& fileName) {
  return fileName.left(std::max<qsizetype>(0, fileName.size() - 3)) + QStringLiteral("WAV");
}

void frmConv::btn_Click(int index) {
  if (index == 0)
    StartExport();
  else
    reject();
}

void frmConv::StartExport() {
  // The export takes the engine for good: the player must not think a track is still running.
  ReleasePlayer(s_, d_, v_);
  btn(0)->setEnabled(false);
  files_ = collect_ ? collect_() : QStringList();
  position_ = 0;
  timer1_.start(1000);
}

void frmConv::Timer1_Timer() {
  if (converting_)
    FollowDecode();
  else if (position_ < files_.size())
    OpenNext();
  else
    timer1_.stop();  // the last file could not be opened: wait for the user to cancel
}

void frmConv::FollowDecode() {
  int32_t elapsed = 0;
  if (d_.vbmp3_getState(elapsed) != 0) {
    Bar()->setValue(elapsed);
    return;
  }
  converting_ = false;
  d_.vbmp3_close();
  if (position_ == files_.size()) Unload();
}

void frmConv::OpenNext() {
  ++position_;
  const QString file = files_.at(position_ - 1);
  OpenRecord record{};
  if (!d_.vbmp3_open(file.toStdString(), record)) {
    ShowMessage(file + QStringLiteral("のオープンに失敗しました。"));
    return;
  }
  converting_ = true;
  const QString name = FileNamePart(file);
  ttl()->setText(name + QStringLiteral("　変換中"));
  Bar()->setRange(0, std::max<int32_t>(record.length, 1));
  Bar()->setValue(0);
  setWindowTitle(QStringLiteral("ＷＡＶ変換 (") + Format0000(position_) + QStringLiteral("/") +
                 Format0000(files_.size()) + QStringLiteral(")"));
  if (!d_.vbmp3_decodeWave(TargetPath(OutputName(name)).toStdString()))
    ShowMessage(file + QStringLiteral("の変換に失敗しました。"));
}

void frmConv::reject() {
  if (converting_) {
    d_.vbmp3_close();
    converting_ = false;
  }
  Unload();
}

void frmConv::Unload() {
  timer1_.stop();
  QDialog::reject();
}

}  // namespace sorv
