#pragma once
// The program: its shared state, the engine, the windows and the hand-over channel, with the
// start-up and shut-down that bracket a run.
#include <QString>
#include <QTimer>
#include <memory>

#include "app/sorvane/ProgramView.h"
#include "bar/CompactBar.h"
#include "bar/LyricsWindow.h"
#include "core/State.h"
#include "core/mpris/MprisService.h"
#include "core/session/HandOver.h"
#include "decoder/AudioEngine.h"
#include "panel/window/MainPanel.h"
#include "playback/Player.h"

namespace sorv {

class Program : public QObject {
  Q_OBJECT

 public:
  enum class Start { Running, HandedOver, EngineFailed };

  // handOverName: the channel between copies (tests use a private one).
  explicit Program(AudioEngine& engine, QString handOverName = handOverServerName());
  ~Program() override;

  // Runs the start-up; Running means the windows are up and the event loop should run.
  Start startUp(const QString& commandLine);
  // Saves the state, frees the engine and compacts the song database. Runs once.
  void shutDown();
  // Ends the program through the close routine, as the close hot spot does; ignored once the
  // shut-down has run. Nothing waits for a user who is gone: a message left open or shown
  // while ending is closed after a moment.
  void closeOnRequest();
  bool hasShutDown() const { return shutDown_; }

  State& state() { return s_; }
  ProgramView& view() { return view_; }
  MainPanel& panel() { return *panel_; }
  CompactBar& bar() { return *bar_; }
  LyricsWindow& lyrics() { return *lyric_; }
  SelectionWindow& selection() { return *selection_; }

 signals:
  // The shut-down has run: the program may end.
  void finished();

 private:
  void prepareEngine();
  void preparePanel();
  void startPlaying(bool commandLineNamedSongs);
  void showWindows();
  // False when another copy runs: the command line was handed to it.
  bool listenForHandOver(const QString& commandLine);
  void connectMediaBus();
  // What the selection window's MP3コピー, WAV変換 and 参照 buttons open.
  void openCopy();
  void openExport();
  void pickFolder(QLineEdit* box);
  // The engine lost the sound output for good while a track played.
  void outputLost();

  State s_;
  AudioEngine& d_;
  QString handOverName_;
  ProgramView view_;
  Player player_;
  std::unique_ptr<MainPanel> panel_;
  std::unique_ptr<CompactBar> bar_;
  std::unique_ptr<LyricsWindow> lyric_;
  std::unique_ptr<SelectionWindow> selection_;
  std::unique_ptr<HandOverServer> server_;
  std::unique_ptr<MprisService> mpris_;
  QTimer mprisTimer_;
  QTimer dialogCloser_;
  bool engineReady_ = false;
  bool shutDown_ = false;
};

}  // namespace sorv
