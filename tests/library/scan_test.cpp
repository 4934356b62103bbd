// The folder scan and the candidates it records.
#include <gtest/gtest.h>

#include "library/select/SongScan.h"
#include "tests/library/DeepFolder.h"
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
      for (const QString& name : l.mp3Files) found << l.folder + "|" + name;
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
  const QString root = rootPath();
  EXPECT_EQ(foundNames(scanSearchPaths({music.path(), "", "   "})),
            QStringList({"./|here.mp3", root + "|top.mp3", root + "a/|a.mp3", root + "b/|B.MP3",
                         root + "a/deep/|d.mp3"}));
}

TEST_F(ScanTest, NestedSearchPathIsListedTwiceAndMissingPathsAreSkipped) {
  touch(rootPath() + "sub/s.mp3");
  const QStringList found =
      foundNames(scanSearchPaths({rootPath(), rootPath() + "sub/", music.path() + "/missing"}));
  EXPECT_EQ(found, QStringList({rootPath() + "sub/|s.mp3", rootPath() + "sub/|s.mp3"}));
}

TEST_F(ScanTest, NoSearchPathsScansOnlyTheCurrentFolder) {
  touch(cwd.path() + "/x.mp3");
  touch(cwd.path() + "/sub/y.mp3");
  EXPECT_EQ(foundNames(scanSearchPaths({"", "", ""})), QStringList({"./|x.mp3"}));
}

TEST_F(ScanTest, FolderThatCannotBeListedEndsTheScanNamingIt) {
  const QString deepest = makeTooDeepFolder(rootPath());
  try {
    scanSearchPaths({rootPath()});
    FAIL() << "no error";
  } catch (const ScanError& e) {
    EXPECT_EQ(e.examined, deepest);
    EXPECT_FALSE(e.description().isEmpty());
  }
  removeTree(rootPath());
}

TEST_F(ScanTest, CandidatesReplaceThoseOfTheLastScan) {
  LibraryTestDb db;
  db.addCandidates({{"old.mp3", "/old/"}});
  SqlDb sql(db.path());
  sql.execute("DELETE FROM 選択候補");
  EXPECT_EQ(writeCandidates(sql, {{"./", {"a.mp3"}}, {"/m/", {"b.mp3", "it's.mp3"}}}), 3);
  EXPECT_EQ(db.column("SELECT フルパス || ファイル名 FROM 選択候補 ORDER BY rowid"),
            QStringList({"./a.mp3", "/m/b.mp3", "/m/it's.mp3"}));
}

}  // namespace
}  // namespace sorv::test
