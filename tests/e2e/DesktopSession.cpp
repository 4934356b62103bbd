#include "tests/e2e/DesktopSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <cmath>
#include <vector>

namespace sorv::e2e {

namespace {

QString sourceDir() {
  return qEnvironmentVariable("SORV_SOURCE_DIR");
}
QString binaryDir() {
  return qEnvironmentVariable("SORV_BINARY_DIR");
}
QString sorvane() {
  return binaryDir() + "/app/sorvane/sorvane";
}

// Runs a short command and returns what it printed.
QString run(const QString& program, const QStringList& args, const QProcessEnvironment& env) {
  QProcess p;
  p.setProcessEnvironment(env);
  p.start(program, args);
  if (!p.waitForFinished(10000)) {
    p.kill();
    p.waitForFinished(1000);
  }
  return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

double goertzelPower(const std::vector<float>& mono, int rate, double frequency) {
  const double w = 2 * M_PI * frequency / rate;
  const double coeff = 2 * std::cos(w);
  double s1 = 0, s2 = 0;
  for (float x : mono) {
    const double s0 = x + coeff * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  return s1 * s1 + s2 * s2 - coeff * s1 * s2;
}

}  // namespace

DesktopSession::DesktopSession() : display_(qEnvironmentVariable("DISPLAY")) {
  QDir(home()).mkpath("config");
  if (!waitForDisplay(10000)) display_.clear();
}

bool DesktopSession::waitForDisplay(int timeoutMs) {
  return waitFor(
      [] {
        QProcess probe;
        probe.start("xdotool", {"getdisplaygeometry"});
        return probe.waitForFinished(5000) && probe.exitCode() == 0;
      },
      timeoutMs);
}

DesktopSession::~DesktopSession() {
  if (player_.state() != QProcess::NotRunning) {
    player_.terminate();
    if (!player_.waitForFinished(3000)) player_.kill();
    player_.waitForFinished(2000);
  }
}

QProcessEnvironment DesktopSession::environment() const {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  if (platform_.isEmpty())
    env.remove("QT_QPA_PLATFORM");
  else
    env.insert("QT_QPA_PLATFORM", platform_);
  env.insert("XDG_CONFIG_HOME", home() + "/config");
  env.insert("SDL_AUDIODRIVER", audioDriver_);
  env.insert("SDL_DISKAUDIOFILE", heardFile());
  // The hand-over channel lives in the temporary folder: one of our own per session, so copies
  // started by other tests never answer.
  env.insert("TMPDIR", home());
  env.insert("XDG_RUNTIME_DIR", home());
  env.remove("DBUS_SESSION_BUS_ADDRESS");  // the player must run without a desktop bus
  return env;
}

bool DesktopSession::writeDefaultState() {
  const QByteArray folder = (home() + "/").toUtf8();
  QByteArray state = "0,0,0\r\n";
  for (int i = 0; i < 10; ++i) state += "0\r\n";
  state += "5,80,80\r\n1,1\r\n\"" + folder + "songs/\",\"\",\"\"\r\n\"" + folder + "\",\"" +
           folder + "\"\r\n0,0,10\r\n\"" + folder + "\"\r\n1,0\r\n0\r\n";
  QFile file(home() + "/sorvane.dat");
  return file.open(QIODevice::WriteOnly) && file.write(state) == state.size();
}

bool DesktopSession::makeDemoDatabase() {
  const QString sorvdb = binaryDir() + "/app/sorvdb/sorvdb";
  const QString db = home() + "/sorvdb.mdb";
  QProcess init;
  init.start(sorvdb, {"init", db});
  if (!init.waitForFinished(10000) || init.exitCode() != 0) return false;
  QProcess import;
  import.start(sorvdb, {"import-csv", db, sourceDir() + "/demo/songs.csv"});
  return import.waitForFinished(10000) && import.exitCode() == 0;
}

QString DesktopSession::copyIn(const QString& sourceRelative, const QString& name) {
  const QString from = sourceDir() + "/" + sourceRelative;
  const QString to = home() + "/" + (name.isEmpty() ? QFileInfo(from).fileName() : name);
  QDir().mkpath(QFileInfo(to).path());
  QFile::remove(to);
  return QFile::copy(from, to) ? to : QString();
}

void DesktopSession::start(const QStringList& args) {
  player_.setProcessEnvironment(environment());
  player_.setWorkingDirectory(home());
  player_.setProcessChannelMode(QProcess::ForwardedChannels);
  player_.start(sorvane(), args);
  player_.waitForStarted(5000);
}

int DesktopSession::runSecondCopy(const QStringList& args, int timeoutMs) {
  QProcess second;
  second.setProcessEnvironment(environment());
  second.setWorkingDirectory(home());
  second.start(sorvane(), args);
  if (!second.waitForFinished(timeoutMs)) {
    second.kill();
    second.waitForFinished(1000);
    return -1;
  }
  return second.exitCode();
}

std::unique_ptr<QProcess> DesktopSession::startCopy(const QStringList& args,
                                                    const QString& folder) {
  auto copy = std::make_unique<QProcess>();
  copy->setProcessEnvironment(environment());
  copy->setWorkingDirectory(home() + "/" + folder);
  copy->start(sorvane(), args);
  return copy;
}

bool DesktopSession::waitForExit(int timeoutMs) {
  return player_.state() == QProcess::NotRunning || player_.waitForFinished(timeoutMs);
}

QString DesktopSession::xdotool(const QStringList& args) {
  return run("xdotool", args, environment());
}

QString DesktopSession::waitForWindow(const QString& pattern, int timeoutMs, bool onlyVisible) {
  QStringList args{"search"};
  if (onlyVisible) args << "--onlyvisible";
  args << "--name" << pattern;
  QString found;
  waitFor([&] { return !(found = xdotool(args)).isEmpty(); }, timeoutMs);
  return found.split('\n').first();
}

QString DesktopSession::windowCaption(const QString& window) {
  return xdotool({"getwindowname", window});
}

QString DesktopSession::waitForCaption(const QString& window, const QString& pattern,
                                       int timeoutMs) {
  const QRegularExpression re(pattern);
  QString caption;
  waitFor([&] { return re.match(caption = windowCaption(window)).hasMatch(); }, timeoutMs);
  return caption;
}

void DesktopSession::click(const QString& window, int x, int y, int button) {
  // One command: the server takes the move before the press, so the click lands where it should
  // without waiting for the pointer (and without --sync, which hangs when it is there already).
  xdotool({"mousemove", "--window", window, QString::number(x), QString::number(y), "click",
           QString::number(button)});
}

void DesktopSession::pressKeys(const QStringList& keys) {
  xdotool(QStringList{"key", "--delay", "50"} + keys);
}

QImage DesktopSession::grab(const QString& window) {
  QProcess import;
  import.setProcessEnvironment(environment());
  import.start("import", {"-window", window, "png:-"});
  if (!import.waitForFinished(10000)) import.kill();
  return QImage::fromData(import.readAllStandardOutput(), "PNG");
}

bool DesktopSession::isVisible(const QString& window) {
  const QString visible = xdotool({"search", "--onlyvisible", "--name", "."});
  return visible.split('\n').contains(window);
}

QRect DesktopSession::geometry(const QString& window) {
  QRect rect;
  for (const QString& line : xdotool({"getwindowgeometry", "--shell", window}).split('\n')) {
    const QString value = line.section('=', 1);
    if (line.startsWith("X=")) rect.moveLeft(value.toInt());
    if (line.startsWith("Y=")) rect.moveTop(value.toInt());
    if (line.startsWith("WIDTH=")) rect.setWidth(value.toInt());
    if (line.startsWith("HEIGHT=")) rect.setHeight(value.toInt());
  }
  return rect;
}

void DesktopSession::movePointer(int x, int y) {
  QProcessEnvironment env = environment();
  if (!qEnvironmentVariableIsEmpty("SORV_POINTER_DISPLAY"))
    env.insert("DISPLAY", qEnvironmentVariable("SORV_POINTER_DISPLAY"));
  run("xdotool", {"mousemove", QString::number(x), QString::number(y)}, env);
}

bool DesktopSession::waitFor(const std::function<bool()>& condition, int timeoutMs) {
  QElapsedTimer timer;
  timer.start();
  do {
    if (condition()) return true;
    QThread::msleep(50);
  } while (timer.elapsed() < timeoutMs);
  return condition();
}

bool DesktopSession::waitForHeard(double seconds, int timeoutMs) {
  return waitFor([&] { return heardSeconds(heardFile()) >= seconds; }, timeoutMs);
}

namespace {

// Interleaved 32-bit float stereo samples of a raw file, and the first frame that is not silent.
struct RawSound {
  explicit RawSound(const QString& rawFile) {
    QFile file(rawFile);
    if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
    samples = reinterpret_cast<const float*>(bytes.constData());
    frames = bytes.size() / qint64(2 * sizeof(float));
    while (firstSound < frames && std::fabs(samples[2 * firstSound]) < 1e-3f) ++firstSound;
  }
  QByteArray bytes;
  const float* samples = nullptr;
  qint64 frames = 0;
  qint64 firstSound = 0;
};

}  // namespace

double heardSeconds(const QString& rawFile, int rate) {
  const RawSound sound(rawFile);
  return double(sound.frames - sound.firstSound) / rate;
}

float lastPeak(const QString& rawFile, double seconds, int rate) {
  const RawSound sound(rawFile);
  float peak = 0;
  for (qint64 i = std::max<qint64>(0, sound.frames - qint64(seconds * rate)); i < sound.frames; ++i)
    peak = std::max({peak, std::fabs(sound.samples[2 * i]), std::fabs(sound.samples[2 * i + 1])});
  return peak;
}

double dominantFrequency(const QString& rawFile, double from, double seconds, int rate) {
  // The device runs from start-up: skip the silence before the song began.
  const RawSound sound(rawFile);
  const qint64 begin = sound.firstSound + static_cast<qint64>(from * rate);
  const qint64 end = std::min(sound.frames, begin + static_cast<qint64>(seconds * rate));
  std::vector<float> mono;
  for (qint64 i = begin; i < end; ++i)
    mono.push_back(0.5f * (sound.samples[2 * i] + sound.samples[2 * i + 1]));
  if (mono.empty()) return 0;
  double best = 0, bestPower = 0;
  for (double f = 50; f <= 5000; f += 5) {
    const double power = goertzelPower(mono, rate, f);
    if (power > bestPower) {
      bestPower = power;
      best = f;
    }
  }
  return best;
}

}  // namespace sorv::e2e
