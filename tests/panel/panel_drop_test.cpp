// File drops on the panel's controls.
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include "panel/sound/EqualizerPanel.h"
#include "panel/sound/ScopeDisplay.h"
#include "tests/panel/PanelFixture.h"

namespace sorv::test {

using PanelDrops = PanelFixture;

namespace {

bool dragOverAccepted(QWidget& control, const QMimeData& data,
                      Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction) {
  QDragEnterEvent enter(QPoint(2, 2), actions, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&control, &enter);
  return enter.isAccepted() && enter.dropAction() == Qt::CopyAction;
}

// A drag that enters the control, then drops there.
void drop(QWidget& control, const QMimeData& data) {
  ASSERT_TRUE(dragOverAccepted(control, data));
  QDropEvent drop(QPointF(2, 2), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                  Qt::NoModifier);
  QCoreApplication::sendEvent(&control, &drop);
}

}  // namespace

TEST_F(PanelDrops, EveryControlTakesFileListsAndRefusesTheRest) {
  QMimeData files;
  files.setUrls({QUrl::fromLocalFile(QStringLiteral("/music/a.mp3"))});
  QMimeData text;
  text.setText(QStringLiteral("/music/a.mp3"));
  QMimeData remote;
  remote.setUrls({QUrl(QStringLiteral("https://example.org/a.mp3"))});

  QList<QWidget*> controls{&panel->titleBar(),     &panel->mPanelWidget(), &panel->aPanelWidget(),
                           &panel->tdisp(),        &panel->cdisp(),        panel->scope().spe(),
                           panel->scope().wPanel()};
  for (int band = 0; band < 10; ++band) controls << panel->equalizer().equ(band);
  for (int preset = 0; preset < 6; ++preset) controls << panel->equalizer().equPre(preset);
  for (int channel = 0; channel < 2; ++channel)
    controls << panel->equalizer().volumeSlider(channel);
  for (QWidget* control : controls) {
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(dragOverAccepted(*control, files)) << control->metaObject()->className();
    EXPECT_FALSE(dragOverAccepted(*control, text));
    EXPECT_FALSE(dragOverAccepted(*control, remote));
    EXPECT_FALSE(dragOverAccepted(*control, files, Qt::MoveAction));
  }
}

TEST_F(PanelDrops, ADroppedFolderBecomesTheListAndStarts) {
  QTemporaryDir dir;
  for (const char* name : {"b.mp3", "a.mp3", "notes.txt"}) {
    QFile file(dir.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  makeList(5, 3);
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(dir.path())});
  drop(panel->aPanelWidget(), data);
  ASSERT_EQ(s.listCount, 2);
  EXPECT_EQ(s.entry(1).file, dir.filePath("a.mp3"));
  EXPECT_EQ(s.listPos, 1);
  EXPECT_EQ(d.openPath, dir.filePath("a.mp3").toStdString());
  EXPECT_EQ(s.playState, 1);
  EXPECT_EQ(panel->windowTitle(), QStringLiteral("♪") + s.titleText);
  EXPECT_EQ(panel->counter(), "0001 / 0002");
}

}  // namespace sorv::test
