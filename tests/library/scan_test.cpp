// The folder scan and the candidates it records.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QUrl>

#include "core/LocalNames.h"
#include "library/select/Filter.h"
#include "library/select/SearchWorker.h"
#include "library/select/SongScan.h"
#include "tests/common/FakeEngine.h"
#include "tests/library/LibraryTestDb.h"

namespace sorv::test {
namespace {

void touch(const QString& path) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

// Runs the scan with the current folder set to an empty folder of its own.
class ScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = QDir::currentPath();
    QDir::setCurrent(cwd.path());
  }
  void TearDown() override { QDir::setCurrent(previous); }
  QString rootPath() const { return music.path() + "/"; }
  // "folder|file" for every file found, in scan order.
  static QStringList foundNames(const QVector<FolderListing>& listings) {
    QStringList found;
    for (const FolderListing& l : listings) {
      for (const QString& name : l.songFiles) found << l.folder + "|" + name;
    }
    return found;
  }

  QTemporaryDir cwd, music;
  QString previous;
};

TEST_F(ScanTest, BreadthFirstSkippingHiddenEntriesAndOtherFiles) {
  touch(rootPath() + "a/deep/d.mp3");
  touch(rootPath() + "a/a.mp3");
  touch(rootPath() + "b/B.MP3");
  touch(rootPath() + "top.mp3");
  touch(rootPath() + "notes.txt");
  touch(rootPath() + ".hidden/h.mp3");
  touch(rootPath() + "a/.secret.mp3");
  QDir().mkpath(rootPath() + "folder.mp3");
  touch(cwd.path() + "/here.mp3");
  touch(rootPath() + "a/b.flac");
  touch(rootPath() + "c.Opus");
  touch(rootPath() + "b/x.rmp");
  touch(rootPath() + "b/y.wma");
  const QString root = rootPath();
  // Without the other formats the scan is the MP3-only one it always was.
  EXPECT_EQ(foundNames(scanSearchPaths({music.path(), "", "   "}, SongFiles::Mp3Only)),
            QStringList({"./|here.mp3", root + "|top.mp3", root + "a/|a.mp3", root + "b/|B.MP3",
                         root + "a/deep/|d.mp3"}));
  EXPECT_EQ(foundNames(scanSearchPaths({music.path(), "", "   "}, SongFiles::AllFormats)),
            QStringList({"./|here.mp3", root + "|c.Opus", root + "|top.mp3", root + "a/|a.mp3",
                         root + "a/|b.flac", root + "b/|B.MP3", root + "a/deep/|d.mp3"}));
}

TEST_F(ScanTest, Cp932NamesAreListedDecodedFoundAgainAndReported) {
  // アニメ/曲.mp3 in CP932 bytes, as old Windows archivers wrote them.
  const QByteArray folder = QFile::encodeName(rootPath()) + "\x83\x41\x83\x6A\x83\x81";
  ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
  const int file = ::creat((folder + "/\x8B\xC8.mp3").constData(), 0644);
  ASSERT_GE(file, 0);
  ::close(file);
  testing::internal::CaptureStderr();
  const QStringList found = foundNames(scanSearchPaths({music.path()}, SongFiles::AllFormats));
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_EQ(found, QStringList({rootPath() + "アニメ/|曲.mp3"}));
  EXPECT_TRUE(isLocalFile(rootPath() + "アニメ/曲.mp3"));
  EXPECT_TRUE(isLocalFolder(rootPath() + "アニメ"));
  EXPECT_FALSE(isLocalFile(rootPath() + "アニメ/歌.mp3"));
  EXPECT_EQ(folderEntries(rootPath() + "アニメ", false, SongFiles::AllFormats),
            QStringList({"曲.mp3"}));
  // A drop and the command line hand the same bytes over; both come out decoded.
  const QByteArray bytes = folder + "/\x8B\xC8.mp3";
  const QUrl dropped = QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"));
  EXPECT_EQ(localPathOfUrl(dropped), rootPath() + "アニメ/曲.mp3");
  char program[] = "sorvane";
  QByteArray argument = bytes;
  char* argv[] = {program, argument.data()};
  EXPECT_EQ(commandLineArguments(2, argv), QStringList({"sorvane", rootPath() + "アニメ/曲.mp3"}));
  // Each folder holding such names says so once, with the command that mends them.
  EXPECT_NE(told.find("曲.mp3"), std::string::npos) << told;
  EXPECT_NE(
      told.find("sorvane-cli fix-names '" + (rootPath() + "アニメ/").toStdString() + "' --apply"),
      std::string::npos)
      << told;
  ::unlink(bytes.constData());  // Qt cannot name them to clean up
  ::rmdir(folder.constData());
}

// A nested search path is listed twice and a missing one skipped; with no search paths only the
// current folder is scanned, without its subfolders.
TEST_F(ScanTest, SearchPathsNestedMissingOrNone) {
  touch(rootPath() + "sub/s.mp3");
  EXPECT_EQ(foundNames(scanSearchPaths({rootPath(), rootPath() + "sub/", music.path() + "/missing"},
                                       SongFiles::AllFormats)),
            QStringList({rootPath() + "sub/|s.mp3", rootPath() + "sub/|s.mp3"}));
  touch(cwd.path() + "/x.mp3");
  touch(cwd.path() + "/sub/y.mp3");
  EXPECT_EQ(foundNames(scanSearchPaths({"", "", ""}, SongFiles::AllFormats)),
            QStringList({"./|x.mp3"}));
}

TEST_F(ScanTest, CandidatesReplaceThoseOfTheLastScan) {
  LibraryTestDb db;
  db.addCandidates({{"old.mp3", "/old/"}});
  SqlDb sql(db.path());
  EXPECT_EQ(writeCandidates(sql, {{"./", {"a.mp3"}}, {"/m/", {"b.mp3", "it's.mp3"}}}), 3);
  EXPECT_EQ(db.column("SELECT フルパス || ファイル名 FROM 選択候補 ORDER BY rowid"),
            QStringList({"./a.mp3", "/m/b.mp3", "/m/it's.mp3"}));
}

// Two players with their own search folders on one database: each tree holds only its own files,
// also when searching again without a rescan after the other's scan, and once the database file
// was replaced (a new connection gets the last scan's files); the stored candidates stay.
TEST_F(ScanTest, EachSearchSessionKeepsItsOwnCandidates) {
  LibraryTestDb db;
  db.addSongs({{.file = "a.mp3", .title = "A", .work = "あ", .workKana = "あ"},
               {.file = "b.mp3", .title = "B", .work = "あ", .workKana = "あ", .number = 2}});
  db.addCandidates({{"stored.mp3", "/stored/"}});
  for (const char* file : {"one/a.mp3", "two/b.mp3", "two/new.mp3"}) touch(rootPath() + file);
  FakeEngine decoder;
  SearchSession one, two;
  const auto leaves = [&](SearchSession& session, const QString& folder, bool rescan) {
    SearchRequest request;
    request.rescan = rescan;
    request.searchPaths = {rootPath() + folder};
    request.dbPath = db.path();
    request.knownFileCount = 1;
    appendFilter(request.fromWhere, initialFilterBoxes(), {});
    const SearchOutcome outcome =
        runSearchWork(request, session, decoder, kNeverCancelled, [](const QString&) {});
    QStringList keys{outcome.message};
    if (!outcome.tree) return keys.join(u'|');
    outcome.tree->forEachBelow(0, [&](int node) {
      const auto& leaf = outcome.tree->node(node);
      if (outcome.tree->isLeaf(node)) keys << leaf.key + "=" + leaf.text;
    });
    return keys.join(u'|');
  };
  const QString oneFiles = "|" + rootPath() + "one/a.mp3=A";
  const QString twoFiles = "|" + rootPath() + "two/b.mp3=B|" + rootPath() + "two/new.mp3=new.mp3";
  EXPECT_EQ(leaves(one, "one", true), oneFiles);
  EXPECT_EQ(leaves(two, "two", true), twoFiles);
  EXPECT_EQ(leaves(one, "one", false), oneFiles);
  ASSERT_TRUE(QFile::copy(db.path(), db.path() + ".new"));
  SqlDb(db.path() + ".new").execute("UPDATE アニソンデータ管理 SET 曲名 = 'B2' WHERE 曲名 = 'B'");
  ASSERT_TRUE(QFile::remove(db.path()));
  ASSERT_TRUE(QFile::rename(db.path() + ".new", db.path()));
  EXPECT_EQ(leaves(two, "two", false), QString(twoFiles).replace("=B|", "=B2|"));
  EXPECT_EQ(db.column("SELECT フルパス || ファイル名 FROM 選択候補"),
            QStringList({"/stored/stored.mp3"}));
}

}  // namespace
}  // namespace sorv::test
