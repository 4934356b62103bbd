// The real binary under the X server of the test command: it starts with a command-line MP3,
// shows "♪" and the title as its caption, quits by its close hot spot and leaves its state file.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "tests/app/DefaultStateFile.h"

namespace sorv::test {

namespace {

QString xdotool(const QStringList& arguments) {
  QProcess xdotool;
  xdotool.start(QStringLiteral("xdotool"), arguments);
  if (!xdotool.waitForFinished(5000)) return {};
  return QString::fromUtf8(xdotool.readAllStandardOutput()).trimmed();
}

// The first window of pid whose name starts with prefix, polled for up to ten seconds.
QString waitForWindow(qint64 pid, const QString& prefix) {
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < 10000) {
    const QString found =
        xdotool({"search", "--pid", QString::number(pid), "--name", "^" + prefix});
    if (!found.isEmpty()) return found.split('\n').first();
    QThread::msleep(100);
  }
  return {};
}

}  // namespace

TEST(Binary, PlaysACommandLineFileAndSavesItsStateOnClose) {
  if (qEnvironmentVariableIsEmpty("DISPLAY")) GTEST_SKIP() << "needs the test command's X server";
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  const QString work = home.path() + "/";
  ASSERT_TRUE(QDir().mkpath(work + "config/Sorvane"));
  {
    QFile settings(work + "config/Sorvane/Sorvane.conf");
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(("[Work]\nPath=" + work + "\n").toUtf8());
  }
  {
    QFile state(work + "sorvane.dat");
    ASSERT_TRUE(state.open(QIODevice::WriteOnly));
    state.write(defaultStateFile(work));
  }
  const QString song = work + "song.mp3";
  ASSERT_TRUE(QFile::copy(
      qEnvironmentVariable("SORV_SOURCE_DIR") + "/tests/fixtures/id3v24_utf8.mp3", song));

  QProcess sorvane;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_CONFIG_HOME", work + "config");
  env.insert("QT_QPA_PLATFORM", "xcb");
  env.insert("SDL_AUDIODRIVER", "dummy");
  // The hand-over socket lives in the temporary folder: a private one keeps this copy from
  // handing its file to any other copy running for the same user.
  env.insert("TMPDIR", home.path());
  sorvane.setProcessEnvironment(env);
  sorvane.setWorkingDirectory(home.path());
  sorvane.start(qEnvironmentVariable("SORV_BINARY_DIR") + "/app/sorvane/sorvane", {song});
  ASSERT_TRUE(sorvane.waitForStarted(5000));

  const QString window = waitForWindow(sorvane.processId(), QStringLiteral("♪"));
  ASSERT_FALSE(window.isEmpty()) << sorvane.readAllStandardError().toStdString();
  EXPECT_EQ(xdotool({"getwindowname", window}), QStringLiteral("♪ユニコード題名"));

  // The close hot spot, in the middle of the skin's close button.
  xdotool({"mousemove", "--sync", "--window", window, "352", "16", "click", "1"});
  if (!sorvane.waitForFinished(10000)) {
    sorvane.kill();
    FAIL() << "the close hot spot did not end the program";
  }
  EXPECT_EQ(sorvane.exitCode(), 0);
  QFile state(work + "sorvane.dat");
  ASSERT_TRUE(state.open(QIODevice::ReadOnly));
  EXPECT_EQ(state.readAll().count("\r\n"), 19);
}

}  // namespace sorv::test
