#include "app/sorvane/Program.h"

#include <QApplication>
#include <QDialog>

#include "core/Messages.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/session/Leftovers.h"
#include "core/session/StateFile.h"
#include "library/db/SongDb.h"
#include "panel/sound/EqualizerPanel.h"
#include "panel/sound/ScopeDisplay.h"
#include "playback/NewList.h"
#include "playback/Playback.h"
#include "playback/SongInfo.h"
#include "tools/CopyWindow.h"
#include "tools/FolderPickers.h"
#include "tools/WavExportWindow.h"

namespace sorv {

Program::Program(AudioEngine& engine, QString handOverName)
    : d_(engine), handOverName_(std::move(handOverName)), view_(s_, engine) {
  panel_ = std::make_unique<MainPanel>(s_, d_, view_);
  view_.attach(*panel_);
  bar_ = std::make_unique<CompactBar>(s_, d_, view_);
  lyric_ = std::make_unique<LyricsWindow>(s_, d_);
  selection_ = std::make_unique<SelectionWindow>(s_, d_, view_, panel_.get());
  view_.attachWindows(*bar_, *lyric_, *selection_);
  connect(selection_.get(), &SelectionWindow::copyRequested, this, &Program::openCopy);
  connect(selection_.get(), &SelectionWindow::exportRequested, this, &Program::openExport);
  connect(selection_.get(), &SelectionWindow::folderPickRequested, this, &Program::pickFolder);
  bar_->openOptions = [this] { view_.openOptions(); };
  bar_->openSelection = [this] { view_.openSelection(); };
  bar_->openAbout = [this] { view_.openAbout(); };
  bar_->openLyrics = [this] {
    s_.lyricShow = 1;
    view_.openLyrics();
  };
  bar_->exitProgram = [this] { view_.closeProgram(); };
  connect(panel_.get(), &MainPanel::unloading, this, &Program::shutDown);
}

Program::~Program() = default;

Program::Start Program::StartUp(const QString& commandLine) {
  if (!listenForHandOver(commandLine)) return Start::HandedOver;
  panel_->hideFlash();
  s_.verNo = QString::fromLatin1(kVersionText);
  view_.setCaption(s_.idleCaption());
  s_.workPath = loadWorkPath(currentDirWithSep());
  loadExtraOptions(s_);
  if (d_.init() == 0) {
    showMessage(QStringLiteral("VBMP3.DLLの初期化に失敗しました。"));
    return Start::EngineFailed;
  }
  engineReady_ = true;
  s_.playState = s_.dbState = s_.checkCount = s_.editFlag = 0;
  s_.barHidden = s_.lyricShow = 0;
  loadState(s_, commandLine, currentDirWithSep());
  removeLeftovers(s_);
  prepareEngine();
  preparePanel();
  startPlaying();
  showWindows();
  d_.setLyricsTiming(s_.lyricTimeMode);
  connectMediaBus();
  return Start::Running;
}

bool Program::listenForHandOver(const QString& commandLine) {
  server_ = std::make_unique<HandOverServer>(handOverName_);
  if (!becomeRunningCopy(*server_, commandLine)) return false;
  connect(server_.get(), &HandOverServer::commandReceived, this,
          [this](const QString& command) { handOver(s_, d_, view_, command); });
  return true;
}

void Program::prepareEngine() {
  EngineOption option;
  d_.getEngineOption(option);
  option.field[2] = s_.cpuLoad;
  d_.setEngineOption(option);
}

void Program::preparePanel() {
  showIdlePanel(view_.mPanel(), s_.verNo);
  view_.setCounter(s_.counterText());
  s_.dbState = songDbOpens(songDbPath(s_)) ? 1 : 0;
  panel_->equalizer().StartUp();
  panel_->scope().clearSpectrum();
  DecodeOption decode;
  decode.field = {0, 0, 44100};
  if (d_.setDecodeOption(decode) == 0) showMessage(QStringLiteral("error"));
}

void Program::startPlaying() {
  if (s_.playState != 1) return;
  playData(s_, d_, view_, s_.listPos);
  view_.setCaption(s_.playingCaption());
}

void Program::showWindows() {
  s_.dispMode = s_.barFirstOpt == 1 ? 2 : 1;
  view_.showDispMode();
  view_.loopShuffleOnOff();
  view_.setSelectionAvailable(s_.songDbUsable());
}

void Program::connectMediaBus() {
  MprisCommands commands;
  auto press = [this](int command) { return [this, command] { panel_->runCommand(command); }; };
  commands.play = press(panel::kPlay);
  commands.pause = press(panel::kPause);
  commands.stop = press(panel::kStop);
  commands.next = press(panel::kNext);
  commands.previous = press(panel::kPrevious);
  commands.raise = [this] { view_.showDispMode(); };
  commands.quit = [this] { view_.closeProgram(); };
  commands.seek = [this](int32_t seconds) {
    if (s_.playState == 1) d_.seek(seconds);
  };
  mpris_ = std::make_unique<MprisService>(s_, d_, std::move(commands));
  if (!mpris_->registerOnBus()) return;
  connect(&mprisTimer_, &QTimer::timeout, mpris_.get(), &MprisService::refresh);
  mprisTimer_.start(1000);
}

void Program::openCopy() {
  CopyWindow window(
      s_, d_, view_, [this] { return selection_->collectCheckedKeys(); }, selection_.get());
  window.exec();
}

void Program::openExport() {
  WavExportWindow window(
      s_, d_, view_, [this] { return selection_->collectCheckedKeys(); }, selection_.get());
  window.exec();
}

void Program::pickFolder() {
  GeneralFolderPicker picker(s_, selection_.get());
  picker.exec();
}

void Program::closeOnRequest() {
  if (shutDown_) return;
  view_.closeProgram();
  // A dialog left open runs a loop of its own; before the main loop runs, the quit that follows
  // the shut-down would not end it.
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible()) {
      dialog->reject();
    }
  }
}

void Program::shutDown() {
  if (shutDown_) return;
  shutDown_ = true;
  mprisTimer_.stop();
  bar_->close();
  lyric_->close();
  if (engineReady_) {
    saveState(s_);
    d_.release();
    compactSongDb(s_, s_.pathDir[5], QStringLiteral("sorvdb.mdb"), view_.mPanel());
  }
  emit finished();
}

}  // namespace sorv
