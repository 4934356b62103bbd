// sorvane-cli on real files: fix-names, a dry run that only tells, then --apply, which renames
// CP932 names to UTF-8 deepest first and never replaces an existing file; play, which refuses
// lyrics it cannot read or an equalizer without its ten gains before it sounds.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace sorv::test {
namespace {

struct CliRun {
  int code;
  QString out;
  QString err;
};

CliRun Cli(const QStringList& args) {
  QProcess cli;
  cli.start(qEnvironmentVariable("SORV_BINARY_DIR") + "/app/cli/sorvane-cli", args);
  EXPECT_TRUE(cli.waitForFinished(20000)) << "sorvane-cli did not end";
  return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput()),
          QString::fromUtf8(cli.readAllStandardError())};
}

CliRun FixNames(const QStringList& args) {
  return Cli(QStringList{"fix-names"} + args);
}

void Write(const QByteArray& path, const QByteArray& content) {
  const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0) << path.constData();
  ASSERT_EQ(::write(fd, content.constData(), content.size()), content.size());
  ::close(fd);
}

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TEST(FixNames, DryRunTellsThenApplyRenamesWithoutOverwriting) {
  QTemporaryDir dir;
  const QByteArray root = QFile::encodeName(dir.path());
  const QByteArray anime = root + "/\x83\x41\x83\x6A\x83\x81";  // アニメ
  ASSERT_EQ(::mkdir(anime.constData(), 0755), 0);
  Write(anime + "/\x8B\xC8.mp3", "song");              // アニメ/曲.mp3
  Write(root + "/\x8A\xF9\x91\xB6.mp3", "old bytes");  // 既存.mp3, also there in UTF-8
  Write(root + "/既存.mp3", "utf-8");
  Write(root + "/plain.mp3", "plain");

  const CliRun dry = FixNames({dir.path()});
  EXPECT_EQ(dry.code, 0);
  const QString d = dir.path();
  const QStringList lines = dry.out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 3) << dry.out.toStdString();
  // The file inside the folder comes before the folder, so both renames can be done in order.
  EXPECT_EQ(lines[0].toStdString(),
            (d + "/\\x83A\\x83j\\x83\\x81/\\x8B\\xC8.mp3 → " + d + "/\\x83A\\x83j\\x83\\x81/曲.mp3")
                .toStdString());
  QStringList rest = lines.mid(1);
  rest.sort();
  EXPECT_EQ(rest.join('|').toStdString(), (d + "/\\x83A\\x83j\\x83\\x81 → " + d + "/アニメ|" + d +
                                           "/\\x8A\\xF9\\x91\\xB6.mp3 → " + d + "/既存.mp3")
                                              .toStdString());
  EXPECT_FALSE(QDir(dir.path() + "/アニメ").exists()) << "a dry run renames nothing";

  const CliRun applied = FixNames({dir.path(), "--apply"});
  EXPECT_EQ(applied.code, 1) << "the name taken by 既存.mp3 is reported";
  EXPECT_EQ(Read(dir.path() + "/アニメ/曲.mp3"), "song");
  EXPECT_EQ(Read(dir.path() + "/既存.mp3"), "utf-8");
  EXPECT_EQ(Read(QFile::decodeName(root) + "/plain.mp3"), "plain");
  struct stat info {};
  EXPECT_EQ(::stat((root + "/\x8A\xF9\x91\xB6.mp3").constData(), &info), 0) << "left as it was";

  EXPECT_EQ(FixNames({dir.path() + "/missing"}).code, 1);
  ::unlink((root + "/\x8A\xF9\x91\xB6.mp3").constData());  // Qt cannot name it to clean up
}

TEST(CliPlay, LyricsOrGainsThatCannotBeHonouredAreRefusedBeforeAnythingSounds) {
  const QString fixtures = qEnvironmentVariable("SORV_SOURCE_DIR") + "/tests/fixtures/";
  const QString song = fixtures + "silence_1s.mp3";
  QTemporaryDir dir;
  const CliRun folder = Cli({"play", "--lyrics", dir.path(), song});
  EXPECT_EQ(folder.code, 1);
  EXPECT_EQ(folder.err.toStdString(),
            ("sorvane-cli: cannot read lyrics from " + dir.path() + "\n").toStdString());
  EXPECT_EQ(folder.out.toStdString(), "") << "nothing is played without the lyrics asked for";

  for (const QString& gains : {"1,2,3", "0,0,0,0,0,0,0,0,0,0,0", "1,2,3,4,5,6,7,8,9,x"}) {
    const CliRun equalizer = Cli({"play", "--eq", gains, song});
    EXPECT_EQ(equalizer.code, 2) << gains.toStdString();
    EXPECT_TRUE(
        equalizer.err.startsWith("sorvane-cli: --eq takes ten whole gains in dB, "
                                 "G0,...,G9, not " +
                                 gains + "\n"))
        << equalizer.err.toStdString();
    EXPECT_EQ(equalizer.out.toStdString(), "");
  }

  const CliRun lyrics = Cli({"play", "--lyrics", fixtures + "lyrics_utf8.lrc", song});
  EXPECT_EQ(lyrics.code, 0) << lyrics.err.toStdString();
  EXPECT_TRUE(lyrics.out.startsWith(song + "\n")) << lyrics.out.toStdString();
}

}  // namespace
}  // namespace sorv::test
