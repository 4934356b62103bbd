#pragma once
// The program: its shared state, the engine, the windows and the hand-over channel, with the
// start-up and shut-down that bracket a run.
#include <QString>
#include <QTimer>
#include <memory>

#include "app/sorvane/ProgramView.h"
#include "bar/Bar.h"
#include "bar/frmLyric.h"
#include "core/State.h"
#include "core/mpris/Mpris.h"
#include "core/session/HandOver.h"
#include "decoder/Decoder.h"
#include "panel/window/MnPnl.h"

namespace sorv {

class Program : public QObject {
  Q_OBJECT

 public:
  enum class Start { Running, HandedOver, EngineFailed };

  // handOverName: the channel between copies (tests use a private one).
  explicit Program(Decoder& engine, QString handOverName = HandOverServerName());
  ~Program() override;

  // Runs the start-up; Running means the windows are up and the event loop should run.
  Start StartUp(const QString& commandLine);
  // Saves the state, frees the engine and compacts the song database. Runs once.
  void ShutDown();
  // Ends the program through the close routine, as the close hot spot does; ignored once the
  // shut-down has run (a second end signal while ending).
  void CloseOnRequest();
  bool HasShutDown() const { return shutDown_; }

  State& state() { return s_; }
  ProgramView& view() { return view_; }
  MnPnl& panel() { return *panel_; }
  Bar& bar() { return *bar_; }
  frmLyric& lyrics() { return *lyric_; }

 signals:
  // The shut-down has run: the program may end.
  void finished();

 private:
  void PrepareEngine();
  void PreparePanel();
  void StartPlaying();
  void ShowWindows();
  void ListenForHandOver();
  void ConnectMediaBus();

  State s_;
  Decoder& d_;
  QString handOverName_;
  ProgramView view_;
  std::unique_ptr<MnPnl> panel_;
  std::unique_ptr<Bar> bar_;
  std::unique_ptr<frmLyric> lyric_;
  std::unique_ptr<HandOverServer> server_;
  std::unique_ptr<MprisService> mpris_;
  QTimer mprisTimer_;
  bool engineReady_ = false;
  bool shutDown_ = false;
};

}  // namespace sorv
