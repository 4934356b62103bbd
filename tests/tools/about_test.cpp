#include <QFile>
#include <QSettings>

#include "tests/common/WaitUntil.h"
#include "tests/tools/ToolsTest.h"
#include "tools/AboutBox.h"

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

TEST_F(AboutTest, ShowsBothVersionsAndTheCaption) {
  // The engine's version is its first digit, a dot and its last two.
  for (const auto& [number, text] : {std::pair{300, "3.00"}, {25, "2.25"}, {254, "2.54"}}) {
    d.versionNumber = number;
    AboutBox about(s, d);
    EXPECT_EQ(about.lblVersion()->text(),
              QString("そるばね    Version 1.14\nVBMP3.DLL   Version ") + text);
  }
  AboutBox about(s, d);
  EXPECT_EQ(about.windowTitle(), "そるばねのﾊﾞｰｼﾞｮﾝ情報");
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

// The system information button starts the tool of the PATH setting, else MSINFO32.EXE in the
// folder of the location setting; otherwise it says the information is unavailable.
TEST_F(AboutTest, SystemInformationStartsTheConfiguredToolOrSaysItIsUnavailable) {
  const QString kPath = "SOFTWARE/Microsoft/Shared Tools/MSINFO/PATH";
  const QString kLocation = "SOFTWARE/Microsoft/Shared Tools Location/MSINFO";
  makeDir("empty");
  makeDir("tools");
  makeTool("tools/MSINFO32.EXE");
  const QString script = makeTool("info.sh");
  const struct {
    const char* name;
    QString path, location;
    bool starts;
  } cases[] = {{"nothing configured", {}, {}, false},
               {"location without the program", {}, temp("empty"), false},
               {"unstartable path", temp("missing-tool"), {}, false},
               {"program in the location folder", {}, temp("tools"), true},
               {"path wins over location", script, temp("nowhere"), true}};
  for (const auto& c : cases) {
    QSettings(QSettings::SystemScope, "Sorvane", "Sorvane").clear();
    if (!c.path.isEmpty()) setSystem(kPath, c.path);
    if (!c.location.isEmpty()) setSystem(kLocation, c.location);
    QFile::remove(temp("ran"));
    messages.texts.clear();
    AboutBox about(s, d);
    about.cmdSysInfoClick();
    if (c.starts) {
      EXPECT_TRUE(messages.texts.isEmpty()) << c.name;
      EXPECT_TRUE(ran()) << c.name;
    } else {
      EXPECT_EQ(messages.texts, QStringList{kUnavailable}) << c.name;
    }
  }
}

}  // namespace
}  // namespace sorv::test
