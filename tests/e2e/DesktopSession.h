#pragma once
// Drives the real program as a user would: starts the binaries in a home folder of their own on
// the X server of its own test, finds windows, clicks, reads captions and files.
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace sorv::e2e {

class DesktopSession {
 public:
  DesktopSession();
  ~DesktopSession();

  bool ok() const { return home_.isValid() && !display_.isEmpty(); }
  // The SDL audio driver the player is started with: "disk" (the default, into heardFile()) or
  // "pulseaudio" (the sound server named by PULSE_SERVER).
  void setAudioDriver(const QString& driver) { audioDriver_ = driver; }
  // The Qt platform the player is started with; empty leaves the choice to the player.
  void setPlatform(const QString& platform) { platform_ = platform; }
  QString home() const { return home_.path(); }
  // What the program would have played, 16- or 32-bit as SDL's disk driver wrote it.
  QString heardFile() const { return home() + "/heard.raw"; }

  // A state file of default settings, so that the program takes its command line. The first
  // search folder is the home's "songs" folder.
  bool writeDefaultState();
  // A song database in the settings folder, made with sorvdb from the demo list.
  bool makeDemoDatabase();
  // Copies a file of the source tree (relative path) into the home folder, under name (which may
  // hold a folder) when given; returns its path.
  QString copyIn(const QString& sourceRelative, const QString& name = QString());

  // Starts sorvane with arguments; the process lives until Quit or the session ends.
  void start(const QStringList& args);
  // Runs another copy and waits for it to end; returns its exit code, -1 when it hung.
  int runSecondCopy(const QStringList& args, int timeoutMs);
  // Starts another copy in folder (relative to the home) without waiting for it.
  std::unique_ptr<QProcess> startCopy(const QStringList& args, const QString& folder);
  QProcess& process() { return player_; }
  bool waitForExit(int timeoutMs);

  // Polls condition until it holds or timeoutMs have passed; returns whether it held.
  static bool waitFor(const std::function<bool()>& condition, int timeoutMs);
  // Waits until the song has been heard for `seconds` (what the disk driver wrote after the
  // first sound).
  bool waitForHeard(double seconds, int timeoutMs);

  // The window whose caption matches the pattern (a regular expression), waiting up to
  // timeoutMs; empty when none appeared.
  QString waitForWindow(const QString& pattern, int timeoutMs, bool onlyVisible = true);
  QString windowCaption(const QString& window);
  // Waits until the caption of window matches pattern; returns the last caption seen.
  QString waitForCaption(const QString& window, const QString& pattern, int timeoutMs);
  // A left click at (x, y) pixels inside window.
  void click(const QString& window, int x, int y, int button = 1);
  bool isVisible(const QString& window);
  // Position and size of a window on the screen, in pixels.
  QRect geometry(const QString& window);
  // Keys pressed as a user would, into the window that has the keyboard (xdotool's key names).
  void pressKeys(const QStringList& keys);
  // What the window shows on screen now.
  QImage grab(const QString& window);
  // Moves the pointer to (x, y) on the screen (on SORV_POINTER_DISPLAY when a nested session
  // takes its input from there).
  void movePointer(int x, int y);
  QString xdotool(const QStringList& args);

 private:
  QProcessEnvironment environment() const;
  // The X server may still be coming up when the first test starts.
  bool waitForDisplay(int timeoutMs);

  QTemporaryDir home_;
  QString display_;
  QString audioDriver_ = QStringLiteral("disk");
  QString platform_ = QStringLiteral("xcb");
  QProcess player_;
};

// seconds of sound in a raw file of interleaved 32-bit float stereo samples, counted from the
// first sound.
double heardSeconds(const QString& rawFile, int rate = 44100);

// The loudest sample of the last `seconds` written: 0 while the player is paused.
float lastPeak(const QString& rawFile, double seconds, int rate = 44100);

// The strongest frequency (Hz) in a raw file of interleaved 32-bit float stereo samples, over
// `seconds` starting `from` seconds after the first sound.
double dominantFrequency(const QString& rawFile, double from, double seconds, int rate = 44100);

}  // namespace sorv::e2e
