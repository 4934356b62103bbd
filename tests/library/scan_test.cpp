// The folder scan and the candidates it records.
#include <gtest/gtest.h>

#include "library/select/SongScan.h"
#include "tests/library/DeepFolder.h"
#include "tests/library/LibraryTestDb.h"

namespace sorv::test {
namespace {

void Touch(const QString& path) {
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
  QString Root() const { return music.path() + "/"; }
  // "folder|file" for every file found, in scan order.
  static QStringList Found(const QVector<FolderListing>& listings) {
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
  Touch(Root() + "a/deep/d.mp3");
  Touch(Root() + "a/a.mp3");
  Touch(Root() + "b/B.MP3");
  Touch(Root() + "top.mp3");
  Touch(Root() + "notes.txt");
  Touch(Root() + ".hidden/h.mp3");
  Touch(Root() + "a/.secret.mp3");
  QDir().mkpath(Root() + "folder.mp3");
  Touch(cwd.path() + "/here.mp3");
  const QString root = Root();
  EXPECT_EQ(Found(ScanSearchPaths({music.path(), "", "   "})),
            QStringList({"./|here.mp3", root + "|top.mp3", root + "a/|a.mp3", root + "b/|B.MP3",
                         root + "a/deep/|d.mp3"}));
}

TEST_F(ScanTest, NestedSearchPathIsListedTwiceAndMissingPathsAreSkipped) {
  Touch(Root() + "sub/s.mp3");
  const QStringList found =
      Found(ScanSearchPaths({Root(), Root() + "sub/", music.path() + "/missing"}));
  EXPECT_EQ(found, QStringList({Root() + "sub/|s.mp3", Root() + "sub/|s.mp3"}));
}

TEST_F(ScanTest, NoSearchPathsScansOnlyTheCurrentFolder) {
  Touch(cwd.path() + "/x.mp3");
  Touch(cwd.path() + "/sub/y.mp3");
  EXPECT_EQ(Found(ScanSearchPaths({"", "", ""})), QStringList({"./|x.mp3"}));
}

TEST_F(ScanTest, FolderThatCannotBeListedEndsTheScanNamingIt) {
  const QString deepest = MakeTooDeepFolder(Root());
  try {
    ScanSearchPaths({Root()});
    FAIL() << "no error";
  } catch (const ScanError& e) {
    EXPECT_EQ(e.examined, deepest);
    EXPECT_FALSE(e.description().isEmpty());
  }
  RemoveTree(Root());
}

TEST_F(ScanTest, CandidatesReplaceThoseOfTheLastScan) {
  LibraryTestDb db;
  db.AddCandidates({{"old.mp3", "/old/"}});
  SqlDb sql(db.path());
  sql.Execute("DELETE FROM 選択候補");
  EXPECT_EQ(WriteCandidates(sql, {{"./", {"a.mp3"}}, {"/m/", {"b.mp3", "it's.mp3"}}}), 3);
  EXPECT_EQ(db.Column("SELECT フルパス || ファイル名 FROM 選択候補 ORDER BY rowid"),
            QStringList({"./a.mp3", "/m/b.mp3", "/m/it's.mp3"}));
}

}  // namespace
}  // namespace sorv::test
