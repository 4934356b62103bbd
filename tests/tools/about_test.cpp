#include <QDeadlineTimer>
#include <QFile>
#include <QSettings>
#include <QThread>

#include "tests/common/WaitUntil.h"
#include "tests/tools/ToolsTest.h"
#include "tools/SysInfo.h"
#include "tools/frmAPAbout.h"

namespace sorv::test {
namespace {

const QString kUnavailable = QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません");

class AboutTest : public ToolsTest {
 protected:
  void SetSystem(const QString& key, const QVariant& value) {
    QSettings system(QSettings::SystemScope, "Sorvane", "Sorvane");
    system.setValue(key, value);
    system.sync();
  }
  // An executable script that records that it ran.
  QString MakeTool(const QString& name) {
    const QString path = MakeFile(name, ("#!/bin/sh\ntouch " + Temp("ran") + "\n").toUtf8());
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    return path;
  }
  // Waits for the started script to leave its mark.
  bool Ran() {
    return test::WaitUntil([this] { return QFile::exists(Temp("ran")); });
  }
};

TEST(AboutVersionTest, FirstDigitDotLastTwo) {
  EXPECT_EQ(frmAPAbout::VersionText(300), "3.00");
  EXPECT_EQ(frmAPAbout::VersionText(25), "2.25");
  EXPECT_EQ(frmAPAbout::VersionText(254), "2.54");
}

TEST_F(AboutTest, ShowsBothVersionsAndTheCaption) {
  d.version = 300;
  frmAPAbout about(s, d);
  EXPECT_EQ(about.windowTitle(), "そるばねのﾊﾞｰｼﾞｮﾝ情報");
  EXPECT_EQ(about.lblVersion()->text(), "そるばね    Version 1.14\nVBMP3.DLL   Version 3.00");
  EXPECT_TRUE(about.lblDescription()->text().startsWith("　このプログラムは、多くのＭＰ３"));
  EXPECT_EQ(about.cmdSysInfo()->text(), "ｼｽﾃﾑ情報(&S)...");
}

TEST_F(AboutTest, NothingConfiguredSaysSystemInformationIsUnavailable) {
  frmAPAbout about(s, d);
  about.cmdSysInfo_Click();
  EXPECT_EQ(messages.texts, QStringList{kUnavailable});
}

TEST_F(AboutTest, LocationWithoutTheProgramSaysUnavailable) {
  SetSystem("SOFTWARE/Microsoft/Shared Tools Location/MSINFO", MakeDir("tools"));
  StartSysInfo();
  EXPECT_EQ(messages.texts, QStringList{kUnavailable});
}

TEST_F(AboutTest, UnstartablePathSaysUnavailable) {
  SetSystem("SOFTWARE/Microsoft/Shared Tools/MSINFO/PATH", Temp("missing-tool"));
  StartSysInfo();
  EXPECT_EQ(messages.texts, QStringList{kUnavailable});
}

TEST_F(AboutTest, ProgramInTheLocationFolderStarts) {
  MakeDir("tools");
  MakeTool("tools/MSINFO32.EXE");
  SetSystem("SOFTWARE/Microsoft/Shared Tools Location/MSINFO", Temp("tools"));
  StartSysInfo();
  EXPECT_TRUE(messages.texts.isEmpty());
  EXPECT_TRUE(Ran());
}

TEST_F(AboutTest, PathSettingWinsAndStarts) {
  SetSystem("SOFTWARE/Microsoft/Shared Tools/MSINFO/PATH", MakeTool("info.sh"));
  SetSystem("SOFTWARE/Microsoft/Shared Tools Location/MSINFO", Temp("nowhere"));
  StartSysInfo();
  EXPECT_TRUE(messages.texts.isEmpty());
  EXPECT_TRUE(Ran());
}

TEST_F(AboutTest, GetKeyValueReadsTextAndNumbers) {
  SetSystem("SOFTWARE/Test/Name", "text value");
  SetSystem("SOFTWARE/Test/Count", 255);
  QString value = "stale";
  EXPECT_TRUE(GetKeyValue(QSettings::SystemScope, "SOFTWARE\\Test", "Name", value));
  EXPECT_EQ(value, "text value");
  EXPECT_TRUE(GetKeyValue(QSettings::SystemScope, "SOFTWARE\\Test", "Count", value));
  EXPECT_EQ(value, "255");
  EXPECT_FALSE(GetKeyValue(QSettings::SystemScope, "SOFTWARE\\Test", "Missing", value));
  EXPECT_TRUE(value.isEmpty());
}

}  // namespace
}  // namespace sorv::test
