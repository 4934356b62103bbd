#include "app/sorvane/Program.h"

#include <QApplication>
#include <QDialog>
#include <QRandomGenerator>
#include <cstdlib>
#include <future>
#include <memory>
#include <thread>

#include "core/Messages.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/session/Leftovers.h"
#include "core/session/StateFile.h"
#include "library/db/SongDb.h"
#include "panel/sound/EqualizerPanel.h"
#include "panel/sound/ScopeDisplay.h"
#include "playback/NewList.h"
#include "playback/PlayOrder.h"
#include "playback/SongInfo.h"
#include "tools/CopyWindow.h"
#include "tools/FolderPickers.h"
#include "tools/WavExportWindow.h"

namespace sorv {

namespace {

constexpr int kDialogWaitMs = 2000;
constexpr int kReleaseWaitMs = 2000;

void closeOpenDialogs() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible()) {
      dialog->reject();
    }
  }
}

// Releases the engine on a thread of its own; false when that has not ended within waitMs.
bool releaseWithin(AudioEngine& engine, int waitMs) {
  auto released = std::make_shared<std::promise<void>>();
  std::future<void> done = released->get_future();
  std::thread([&engine, released] {
    engine.release();
    released->set_value();
  }).detach();
  return done.wait_for(std::chrono::milliseconds(waitMs)) == std::future_status::ready;
}

// The second line is the sound system's own reason, when it gave one.
QString soundFailureMessage(const std::string& reason) {
  QString message = QStringLiteral("サウンド出力の初期化に失敗しました。");
  if (!reason.empty()) message += QLatin1Char('\n') + QString::fromStdString(reason);
  return message;
}

}  // namespace

Program::Program(AudioEngine& engine, QString handOverName)
    : d_(engine),
      handOverName_(std::move(handOverName)),
      view_(s_, engine),
      player_(s_, engine, view_) {
  panel_ = std::make_unique<MainPanel>(player_);
  view_.attach(*panel_);
  bar_ = std::make_unique<CompactBar>(player_);
  lyric_ = std::make_unique<LyricsWindow>(s_, d_);
  selection_ = std::make_unique<SelectionWindow>(player_, panel_.get());
  view_.attachWindows(player_, *bar_, *lyric_, *selection_);
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
  d_.setOutputLostHandler(
      [this] { QMetaObject::invokeMethod(this, &Program::outputLost, Qt::QueuedConnection); });
  dialogCloser_.setInterval(kDialogWaitMs);
  connect(&dialogCloser_, &QTimer::timeout, this, &closeOpenDialogs);
}

Program::~Program() {
  d_.setOutputLostHandler(nullptr);
}

void Program::outputLost() {
  player_.stop();
  showMessage(QStringLiteral("音声出力の再接続に失敗しました。"));
}

Program::Start Program::startUp(const QString& commandLine) {
  if (!listenForHandOver(commandLine)) return Start::HandedOver;
  panel_->hideFlash();
  s_.verNo = QString::fromLatin1(kVersionText);
  view_.setCaption(s_.idleCaption());
  s_.workPath = loadWorkPath(currentDirWithSep());
  loadExtraOptions(s_);
  if (d_.init() == 0) {
    showMessage(soundFailureMessage(d_.initFailure()));
    // Without a sound device the library, the lists and the lyrics are still worth having.
    if (d_.initSilent() == 0) return Start::EngineFailed;
  }
  engineReady_ = true;
  // Every run shuffles its own way.
  seedRandom(s_, QRandomGenerator::global()->generate());
  const bool commandLineNamedSongs = loadState(s_, commandLine, currentDirWithSep());
  removeLeftovers(s_);
  prepareEngine();
  preparePanel();
  startPlaying(commandLineNamedSongs);
  showWindows();
  d_.setLyricsTiming(s_.lyricTimeMode);
  connectMediaBus();
  return Start::Running;
}

bool Program::listenForHandOver(const QString& commandLine) {
  server_ = std::make_unique<HandOverServer>(handOverName_);
  if (!becomeRunningCopy(*server_, commandLine)) return false;
  connect(server_.get(), &HandOverServer::commandReceived, this,
          [this](const QString& command) { handOver(player_, command); });
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
  s_.dbState = songDbOpens(songDbPath(s_)) ? SongDbState::Open : SongDbState::Closed;
  panel_->equalizer().restoreSaved();
  panel_->scope().clearSpectrum();
  DecodeOption decode;
  decode.field = {0, 0, 44100};
  if (d_.setDecodeOption(decode) == 0) showMessage(QStringLiteral("error"));
}

void Program::startPlaying(bool commandLineNamedSongs) {
  // A list with nothing to play has been named in a message already.
  if (commandLineNamedSongs && s_.listCount > 0) player_.start(s_.listPos);
}

void Program::showWindows() {
  s_.dispMode = s_.barFirstOpt == 1 ? DisplayMode::Bar : DisplayMode::Panel;
  view_.showDispMode();
  view_.loopShuffleOnOff();
  view_.setSelectionAvailable(s_.songDbUsable());
}

void Program::connectMediaBus() {
  MprisCommands commands;
  commands.play = [this] { player_.play(); };
  commands.pause = [this] { player_.pause(); };
  commands.stop = [this] { player_.stop(); };
  commands.next = [this] { player_.stepForward(); };
  commands.previous = [this] { player_.stepBack(); };
  commands.raise = [this] { view_.showDispMode(); };
  commands.quit = [this] { view_.closeProgram(); };
  commands.seek = [this](int32_t seconds) { player_.seek(seconds); };
  commands.setLoop = [this](bool on) {
    if ((s_.loopMode == 1) != on) toggleLoop(s_, view_);
  };
  commands.setShuffle = [this](bool on) {
    if ((s_.shuffleMode == 1) != on) toggleShuffle(s_, view_);
  };
  commands.setVolume = [this](int32_t level) { panel_->equalizer().setBothVolumes(level); };
  mpris_ = std::make_unique<MprisService>(s_, d_, std::move(commands));
  if (!mpris_->registerOnBus()) return;
  connect(&mprisTimer_, &QTimer::timeout, mpris_.get(), &MprisService::refresh);
  mprisTimer_.start(1000);
}

void Program::openCopy() {
  CopyWindow window(
      player_, [this] { return selection_->collectCheckedKeys(); }, selection_.get());
  window.exec();
}

void Program::openExport() {
  WavExportWindow window(
      player_, [this] { return selection_->collectCheckedKeys(); }, selection_.get());
  window.exec();
}

void Program::pickFolder(QLineEdit* box) {
  browseForFolder(*box, selection_.get());
}

void Program::closeOnRequest() {
  if (shutDown_) return;
  // A message of the shut-down itself ("状態の保存に失敗しました。") runs its own loop, in which
  // this timer still fires.
  dialogCloser_.start();
  view_.closeProgram();
  // A dialog left open runs a loop of its own; before the main loop runs, the quit that follows
  // the shut-down would not end it.
  closeOpenDialogs();
}

void Program::shutDown() {
  if (shutDown_) return;
  shutDown_ = true;
  mprisTimer_.stop();
  bar_->close();
  lyric_->close();
  if (engineReady_) {
    saveState(s_);
    d_.setOutputLostHandler(nullptr);
    // A sound server that stopped answering holds the device's close for good; with the state
    // saved, the program ends without it rather than hang the log-out.
    if (!releaseWithin(d_, kReleaseWaitMs)) std::_Exit(0);
    compactSongDb(s_, s_.pathDir[5], QStringLiteral("sorvdb.mdb"), view_.mPanel());
  }
  emit finished();
}

}  // namespace sorv
