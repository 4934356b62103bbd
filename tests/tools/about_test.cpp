#include <QFile>
#include <QRegularExpression>
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

TEST_F(AboutTest, NamesTheProgramAndTheLibrariesItIsBuiltOnWithNothingClipped) {
  AboutBox about(s);
  EXPECT_EQ(about.windowTitle(), "そるばねのﾊﾞｰｼﾞｮﾝ情報");
  EXPECT_EQ(about.lblVersion()->text(), "そるばね    Version 1.14");
  EXPECT_TRUE(about.lblDescription()->text().startsWith("　このプログラムは、多くのＭＰ３"));
  // Every library once, with a version that looks like one.
  const QString libraries =
      about.lblLibraries(0)->text() + QLatin1Char('\n') + about.lblLibraries(1)->text();
  const QStringList lines = libraries.split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 8);
  const char* names[] = {"libmpg123", "FFmpeg", "SDL",        "Qt",
                         "TagLib",    "SQLite", "libebur128", "kissfft"};
  for (int i = 0; i < 8; ++i)
    EXPECT_TRUE(
        QRegularExpression(QString("^%1 \\d+\\.\\d+").arg(names[i])).match(lines[i]).hasMatch())
        << lines[i].toStdString();
  EXPECT_TRUE(lines.contains("Qt " + QString::fromLatin1(qVersion())));
  // Nothing says the program is built on what it is not.
  for (QLabel* label : about.findChildren<QLabel*>()) EXPECT_FALSE(label->text().contains("VBMP3"));
  // Each text shows whole inside the dialog, clear of the buttons; the description stays above
  // everything that follows it.
  const QRect description = about.lblDescription()->geometry();
  EXPECT_GE(description.height(), about.lblDescription()->heightForWidth(description.width()));
  for (QLabel* label : about.findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
    const QRect frame = label->geometry();
    if (frame.top() > description.top()) EXPECT_GE(frame.top(), description.bottom());
    if (label->wordWrap()) continue;
    EXPECT_GE(frame.width(), label->sizeHint().width()) << label->text().toStdString();
    EXPECT_GE(frame.height(), label->sizeHint().height()) << label->text().toStdString();
    EXPECT_TRUE(about.rect().contains(frame)) << label->text().toStdString();
    EXPECT_FALSE(frame.intersects(about.cmdOK()->geometry())) << label->text().toStdString();
    EXPECT_FALSE(frame.intersects(about.cmdSysInfo()->geometry())) << label->text().toStdString();
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
    AboutBox about(s);
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
