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

bool DragOverAccepted(QWidget& control, const QMimeData& data,
                      Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction) {
  QDragEnterEvent enter(QPoint(2, 2), actions, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&control, &enter);
  return enter.isAccepted() && enter.dropAction() == Qt::CopyAction;
}

// A drag that enters the control, then drops there.
void Drop(QWidget& control, const QMimeData& data) {
  ASSERT_TRUE(DragOverAccepted(control, data));
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

  QList<QWidget*> controls{&panel->ttlbar(),       &panel->MPanelWidget(), &panel->APanelWidget(),
                           &panel->tdisp(),        &panel->cdisp(),        panel->Scope().Spe(),
                           panel->Scope().WPanel()};
  for (int band = 0; band < 10; ++band) controls << panel->Equalizer().Equ(band);
  for (int preset = 0; preset < 6; ++preset) controls << panel->Equalizer().EquPre(preset);
  for (int channel = 0; channel < 2; ++channel) controls << panel->Equalizer().Volume(channel);
  for (QWidget* control : controls) {
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(DragOverAccepted(*control, files)) << control->metaObject()->className();
    EXPECT_FALSE(DragOverAccepted(*control, text));
    EXPECT_FALSE(DragOverAccepted(*control, remote));
    EXPECT_FALSE(DragOverAccepted(*control, files, Qt::MoveAction));
  }
}

TEST_F(PanelDrops, ADroppedFolderBecomesTheListAndStarts) {
  QTemporaryDir dir;
  for (const char* name : {"b.mp3", "a.mp3", "notes.txt"}) {
    QFile file(dir.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  MakeList(5, 3);
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(dir.path())});
  Drop(panel->APanelWidget(), data);
  ASSERT_EQ(s.ListCount, 2);
  EXPECT_EQ(s.ListFile[1], dir.filePath("a.mp3"));
  EXPECT_EQ(s.ListPos, 1);
  EXPECT_EQ(d.openPath, dir.filePath("a.mp3").toStdString());
  EXPECT_EQ(s.PlayState, 1);
  EXPECT_EQ(panel->windowTitle(), QStringLiteral("♪") + s.TitleText);
  EXPECT_EQ(panel->Counter(), "0001 / 0002");
}

}  // namespace sorv::test
