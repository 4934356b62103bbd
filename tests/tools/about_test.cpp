#include <QDeadlineTimer>
#include <QFile>
#include <QSettings>
#include <QThread>

#include "tests/common/WaitUntil.h"
#include "tests/tools/ToolsTest.h"
#include "tools/AboutBox.h"
#include "tools/SysInfo.h"

namespace sorv::test {
namespace {

const QString kUnavailable = QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません");

class AboutTest : public ToolsTest {
 protected:
  void setSystem(const QString& key, const QVariant& value) {
    QSettings system(QSettings::SystemScope, "Sorvane", "Sorvane");
    system.setValue(key, value);
    system.sync();
  }
  // An executable script that records that it ran.
  QString makeTool(const QString& name) {
    const QString path = makeFile(name, ("#!/bin/sh\ntouch " + temp("ran") + "\n").toUtf8());
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    return path;
  }
  // Waits for the started script to leave its mark.
  bool ran() {
    return test::waitUntil([this] { return QFile::exists(temp("ran")); });
  }
};

TEST(AboutVersionTest, FirstDigitDotLastTwo) {
  EXPECT_EQ(AboutBox::versionText(300), "3.00");
  EXPECT_EQ(AboutBox::versionText(25), "2.25");
  EXPECT_EQ(AboutBox::versionText(254), "2.54");
}

TEST_F(AboutTest, ShowsBothVersionsAndTheCaption) {
  d.versionNumber = 300;
  AboutBox about(s, d);
  EXPECT_EQ(about.windowTitle(), "そるばねのﾊﾞｰｼﾞｮﾝ情報");
  EXPECT_EQ(about.lblVersion()->text(), "そるばね    Version 1.14\nVBMP3.DLL   Version 3.00");
  EXPECT_TRUE(about.lblDescription()->text().startsWith("　このプログラムは、多くのＭＰ３"));
  // The description shows whole, above everything that follows it.
  const QRect description = about.lblDescription()->geometry();
  EXPECT_GE(description.height(), about.lblDescription()->heightForWidth(description.width()));
  for (QWidget* child : about.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (child->y() > description.top()) {
      EXPECT_GE(child->y(), description.bottom());
    }
  }
  EXPECT_LE(about.cmdSysInfo()->geometry().bottom(), about.height());
  EXPECT_EQ(about.cmdSysInfo()->text(), "ｼｽﾃﾑ情報(&S)...");
}

TEST_F(AboutTest, NothingConfiguredSaysSystemInformationIsUnavailable) {
  AboutBox about(s, d);
  about.cmdSysInfoClick();
  EXPECT_EQ(messages.texts, QStringList{kUnavailable});
}

TEST_F(AboutTest, LocationWithoutTheProgramSaysUnavailable) {
  setSystem("SOFTWARE/Microsoft/Shared Tools Location/MSINFO", makeDir("tools"));
  startSysInfo();
  EXPECT_EQ(messages.texts, QStringList{kUnavailable});
}

TEST_F(AboutTest, UnstartablePathSaysUnavailable) {
  setSystem("SOFTWARE/Microsoft/Shared Tools/MSINFO/PATH", temp("missing-tool"));
  startSysInfo();
  EXPECT_EQ(messages.texts, QStringList{kUnavailable});
}

TEST_F(AboutTest, ProgramInTheLocationFolderStarts) {
  makeDir("tools");
  makeTool("tools/MSINFO32.EXE");
  setSystem("SOFTWARE/Microsoft/Shared Tools Location/MSINFO", temp("tools"));
  startSysInfo();
  EXPECT_TRUE(messages.texts.isEmpty());
  EXPECT_TRUE(ran());
}

TEST_F(AboutTest, PathSettingWinsAndStarts) {
  setSystem("SOFTWARE/Microsoft/Shared Tools/MSINFO/PATH", makeTool("info.sh"));
  setSystem("SOFTWARE/Microsoft/Shared Tools Location/MSINFO", temp("nowhere"));
  startSysInfo();
  EXPECT_TRUE(messages.texts.isEmpty());
  EXPECT_TRUE(ran());
}

TEST_F(AboutTest, GetKeyValueReadsTextAndNumbers) {
  setSystem("SOFTWARE/Test/Name", "text value");
  setSystem("SOFTWARE/Test/Count", 255);
  QString value = "stale";
  EXPECT_TRUE(getKeyValue(QSettings::SystemScope, "SOFTWARE\\Test", "Name", value));
  EXPECT_EQ(value, "text value");
  EXPECT_TRUE(getKeyValue(QSettings::SystemScope, "SOFTWARE\\Test", "Count", value));
  EXPECT_EQ(value, "255");
  EXPECT_FALSE(getKeyValue(QSettings::SystemScope, "SOFTWARE\\Test", "Missing", value));
  EXPECT_TRUE(value.isEmpty());
}

}  // namespace
}  // namespace sorv::test
