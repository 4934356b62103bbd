// Not a test: takes the README's pictures of the windows reached from the selection window and
// the panel's buttons, from the running program driven as a user drives it.
//   run_screenshot_tour.sh BUILD_DIR [OUTDIR]
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <cstdio>

#include "tests/e2e/DesktopSession.h"

namespace {

using sorv::e2e::DesktopSession;

// Hot spots of the main panel, in pixels.
constexpr int kLowerX = 345, kOptionsY = 104, kSelectY = 124, kAboutY = 184;
// The first 参照 button of the selection window, in pixels from its top.
constexpr int kFirstBrowseY = 355;

class Tour {
 public:
  explicit Tour(QString folder) : folder_(std::move(folder)) {}

  bool run() {
    if (!session_.ok() || !session_.makeDemoDatabase() || !session_.writeDefaultState())
      return false;
    for (const char* name : {"hoshizora_opening.mp3", "kaze_no_ending.mp3", "quest_theme.mp3"})
      session_.copyIn(QStringLiteral("demo/songs/") + name, QStringLiteral("songs/") + name);
    session_.start({});
    panel_ = session_.waitForWindow("^そるばね Ver", 15000);
    if (panel_.isEmpty()) return false;
    shootFromPanel(kOptionsY, "^設定$", "options.png");
    shootFromPanel(kAboutY, "^そるばねのﾊﾞｰｼﾞｮﾝ情報$", "about.png");
    return shootFromSelection();
  }

 private:
  // Opens a window from a panel hot spot, takes its picture and closes it again.
  void shootFromPanel(int y, const QString& caption, const QString& file) {
    session_.click(panel_, kLowerX, y);
    shootAndClose(caption, file);
  }

  bool shootAndClose(const QString& caption, const QString& file) {
    const QString window = session_.waitForWindow(caption, 15000);
    if (window.isEmpty()) return false;
    settle();
    session_.grab(window).save(QDir(folder_).filePath(file));
    session_.xdotool({"windowfocus", window});
    session_.pressKeys({"Escape"});
    return DesktopSession::waitFor([&] { return !session_.isVisible(window); }, 15000);
  }

  // 全検索 and a tick on the first genre, then the windows of 参照, MP3コピー and WAV変換.
  bool shootFromSelection() {
    session_.click(panel_, kLowerX, kSelectY);
    const QString selection = session_.waitForWindow("^選曲", 15000);
    if (selection.isEmpty()) return false;
    const QRect frame = session_.geometry(selection);
    auto button = [&](int column, int row) {
      session_.click(selection, frame.width() - (column == 0 ? 235 : 84),
                     frame.height() - 79 + 28 * row);
    };
    button(1, 0);
    session_.waitForCaption(selection, "0000/0003", 15000);
    session_.click(selection, 41, 20);
    session_.waitForCaption(selection, "0002/0003", 15000);
    session_.click(selection, frame.width() - 64, kFirstBrowseY);  // 参照 of the first path
    shootAndClose("^フォルダ指定$", "folder-picker.png");
    button(0, 1);
    shootAndClose("^ＭＰ３ファイルコピー$", "copy.png");
    button(1, 1);
    const QString wav = session_.waitForWindow("^WAV変換$", 15000);
    if (wav.isEmpty()) return false;
    session_.click(wav, 244, 102);  // 変換開始: the picture shows the export under way
    settle();
    session_.grab(wav).save(QDir(folder_).filePath("export.png"));
    return true;
  }

  // Lets the folder lists fill in and the window paint.
  static void settle() {
    DesktopSession::waitFor([] { return false; }, 700);
  }

  QString folder_;
  DesktopSession session_;
  QString panel_;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
  if (Tour(folder).run()) return 0;
  std::fprintf(stderr, "screenshot_tour: a window did not appear\n");
  return 1;
}
