#include "app/sorvane/Program.h"

#include <QApplication>
#include <QDialog>

#include "core/Messages.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/session/StateFile.h"
#include "library/db/SongDb.h"
#include "panel/info/SongInfo.h"
#include "panel/sound/EqualizerPanel.h"
#include "panel/sound/ScopeDisplay.h"
#include "playback/Playback.h"

namespace sorv {

Program::Program(Decoder& engine, QString handOverName)
    : d_(engine), handOverName_(std::move(handOverName)), view_(s_, engine) {
  panel_ = std::make_unique<MnPnl>(s_, d_, view_);
  view_.Attach(*panel_);
  bar_ = std::make_unique<Bar>(s_, d_, view_);
  lyric_ = std::make_unique<frmLyric>(s_, d_);
  view_.AttachWindows(*bar_, *lyric_);
  bar_->openOptions = [this] { view_.OpenOptions(); };
  bar_->openSelection = [this] { view_.OpenSelection(); };
  bar_->openAbout = [this] { view_.OpenAbout(); };
  bar_->openLyrics = [this] {
    s_.LyricShow = 1;
    view_.OpenLyrics();
  };
  bar_->exitProgram = [this] { view_.CloseProgram(); };
  connect(panel_.get(), &MnPnl::unloading, this, &Program::ShutDown);
}

Program::~Program() = default;

Program::Start Program::StartUp(const QString& commandLine) {
  if (SendToRunningCopy(commandLine, handOverName_)) return Start::HandedOver;
  ListenForHandOver();
  panel_->HideFlash();
  s_.VerNo = QString::fromLatin1(kVersionText);
  view_.SetCaption(s_.IdleCaption());
  s_.WorkPath = LoadWorkPath(CurrentDirWithSep());
  if (d_.vbmp3_init() == 0) {
    ShowMessage(QStringLiteral("VBMP3.DLLの初期化に失敗しました。"));
    return Start::EngineFailed;
  }
  engineReady_ = true;
  s_.PlayState = s_.DbState = s_.CheckCount = s_.EditFlag = 0;
  s_.BarHidden = s_.LyricShow = 0;
  LoadState(s_, commandLine, CurrentDirWithSep());
  PrepareEngine();
  PreparePanel();
  StartPlaying();
  ShowWindows();
  d_.vbmp3_setLyricsTime(s_.LyricTimeMode);
  ConnectMediaBus();
  return Start::Running;
}

void Program::ListenForHandOver() {
  server_ = std::make_unique<HandOverServer>(handOverName_);
  connect(server_.get(), &HandOverServer::commandReceived, this,
          [this](const QString& command) { HandOver(s_, d_, view_, command); });
}

void Program::PrepareEngine() {
  Vbmp3Option option;
  d_.vbmp3_getVbmp3Option(option);
  option.field[2] = s_.CpuLoad;
  d_.vbmp3_setVbmp3Option(option);
}

void Program::PreparePanel() {
  ShowIdlePanel(view_.MPanel(), s_.VerNo);
  view_.SetCounter(s_.CounterText());
  s_.DbState = SongDbOpens(SongDbPath(s_)) ? 1 : 0;
  panel_->Equalizer().StartUp();
  panel_->Scope().ClearSpectrum();
  DecodeOption decode;
  decode.field = {0, 0, 44100};
  if (d_.vbmp3_setDecodeOption(decode) == 0) ShowMessage(QStringLiteral("error"));
}

void Program::StartPlaying() {
  if (s_.PlayState != 1) return;
  PlayData(s_, d_, view_, s_.ListPos);
  view_.SetCaption(s_.PlayingCaption());
}

void Program::ShowWindows() {
  s_.DispMode = s_.BarFirstOpt == 1 ? 2 : 1;
  view_.ShowDispMode();
  view_.LoopShuffleOnOff();
  view_.SetSelectionAvailable(s_.DbState == 1);
}

void Program::ConnectMediaBus() {
  MprisCommands commands;
  auto press = [this](int command) { return [this, command] { panel_->btn_Click(command); }; };
  commands.play = press(panel::kPlay);
  commands.pause = press(panel::kPause);
  commands.stop = press(panel::kStop);
  commands.next = press(panel::kNext);
  commands.previous = press(panel::kPrevious);
  commands.raise = [this] { view_.ShowDispMode(); };
  commands.quit = [this] { view_.CloseProgram(); };
  commands.seek = [this](int32_t seconds) {
    if (s_.PlayState == 1) d_.vbmp3_seek(seconds);
  };
  mpris_ = std::make_unique<MprisService>(s_, d_, std::move(commands));
  if (!mpris_->Register()) return;
  connect(&mprisTimer_, &QTimer::timeout, mpris_.get(), &MprisService::Refresh);
  mprisTimer_.start(1000);
}

void Program::CloseOnRequest() {
  if (shutDown_) return;
  view_.CloseProgram();
  // A dialog left open runs a loop of its own; before the main loop runs, the quit that follows
  // the shut-down would not end it.
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible()) {
      dialog->reject();
    }
  }
}

void Program::ShutDown() {
  if (shutDown_) return;
  shutDown_ = true;
  mprisTimer_.stop();
  bar_->close();
  lyric_->close();
  if (engineReady_) {
    SaveState(s_);
    d_.vbmp3_free();
    CompactSongDb(s_, s_.PathDir[5], QStringLiteral("sorvdb.mdb"), view_.MPanel());
  }
  emit finished();
}

}  // namespace sorv
