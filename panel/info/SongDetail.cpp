// The song details on APanel and the play-list view on MPanel.
#include "core/Fonts.h"
#include "core/Paths.h"
#include "panel/info/SongInfo.h"
#include "panel/info/SongText.h"

namespace sorv {

namespace {

const QColor kSongLineColor{190, 190, 255};
const QColor kFileDataColor{70, 250, 70};
constexpr double kValueX = 1000;
constexpr double kLineStepUp = 20;

void PrintSongLine(PictureArea& area, const QString& text, int x, int y, int offset) {
  ShadowPrint(area, text, kSongLineColor.red(), kSongLineColor.green(), kSongLineColor.blue(), x, y,
              offset);
}

// The type digit is the first character of the song kind, or the second after a karaoke "9".
QChar SongTypeDigit(const QString& kind) {
  if (kind.startsWith(QLatin1Char('9'))) return kind.size() > 1 ? kind[1] : QChar();
  return kind.isEmpty() ? QChar() : kind[0];
}

// "＃" and the sequence number with the blank that a sign would take; empty for number 0.
QString SequenceSuffix(const QString& kind) {
  const int number = kind.right(2).toInt();
  return number > 0 ? QStringLiteral("＃ ") + QString::number(number) : QString();
}

QString SongTypeText(const QString& kind) {
  switch (SongTypeDigit(kind).unicode()) {
    case '1':
      return QStringLiteral("　オープニングテーマ") + SequenceSuffix(kind);
    case '3':
      return QStringLiteral("　エンディングテーマ") + SequenceSuffix(kind);
    case '4':
      return QStringLiteral("　挿入歌");
    case '2':
      return QStringLiteral("　テーマソング");
    case '5':
      return QStringLiteral("　イメージソング・その他");
    default:
      return {};
  }
}

void ShowSongLines(const State& s, PictureArea& area) {
  area.setFontName(QString::fromUtf8(kGothic));
  area.setFontSize(8);
  area.setFontBold(false);
  PrintSongLine(
      area, ProgrammeLabel(s) + QStringLiteral(" 『 ") + s.SongProgram + QStringLiteral(" 』 より"),
      60, 60, 1);
  const QString type = SongTypeText(s.SongKind);
  if (!type.isEmpty()) PrintSongLine(area, type, 50, 280, 2);
  PrintSongLine(area, QStringLiteral("　") + s.SongYear + QStringLiteral("年作品"), 50, 480, 1);
}

// One label and its value on the same line; the next line then starts 20 twips higher.
void PrintDataLine(PictureArea& area, const QString& label, const QString& value) {
  const double y = area.currentY();
  area.Print(label);
  area.setCurrentX(kValueX);
  area.setCurrentY(y);
  area.Print(value);
  area.setCurrentY(area.currentY() - kLineStepUp);
}

QString MpegVersion(int code) {
  return code == 3 ? QStringLiteral("2.5") : QString::number(code);
}

QString ModeText(int mode) {
  switch (mode) {
    case 0:
      return QStringLiteral(": Stereo");
    case 1:
      return QStringLiteral(": Joint stereo");
    case 2:
      return QStringLiteral(": Dual channel");
    default:
      return QStringLiteral(": Mono");
  }
}

QString BitRateText(int bitrate) {
  return QStringLiteral(": ") + QString::number(bitrate) + "kbit/s";
}

// An extension read from a play list keeps its case; an upper-case MP3 is still an MP3.
bool IsMpegExtension(const QString& ext) {
  return ext.compare(QLatin1String("mp3"), Qt::CaseInsensitive) == 0 ||
         ext.compare(QLatin1String("rmp"), Qt::CaseInsensitive) == 0;
}

void ShowFileData(const State& s, PictureArea& area) {
  const bool entry = HasEntry(s, s.ListPos);
  const StreamRecord info = entry ? s.ListInfo[s.ListPos] : StreamRecord{};
  const QString ext = entry ? s.ListExt[s.ListPos] : QString();
  area.setForeColor(kFileDataColor);
  area.setFontName(QString::fromUtf8(kArial));
  area.setFontSize(7);
  if (!IsMpegExtension(ext)) {
    PrintDataLine(area, "  Data Format", ": Windows Media Audio");
    PrintDataLine(area, "  Bit Rate", BitRateText(info.bitrate));
  } else {
    if (!s.SongTitle.isEmpty()) area.Print(QString());
    PrintDataLine(
        area, "  Data Format ",
        ": MPEG-" + MpegVersion(info.version) + " Audio Layer " + QString::number(info.layer));
    PrintDataLine(area, "  Mode", ModeText(info.mode));
    PrintDataLine(area, "  Bit Rate",
                  info.bitrate == 0 ? QStringLiteral(": VBR") : BitRateText(info.bitrate));
  }
  PrintDataLine(area, "  File Size", ": " + WithThousands(info.fileSize) + " Bytes");
}

int FirstListRow(const State& s) {
  if (s.ListPos == 1 || (s.ListPos == s.ListCount && s.ListPos < 4)) return 1;
  return s.ListPos - 1;
}

QString ListRowText(const State& s, int i) {
  const QString title = TagText(s.ListTag[i].title);
  return LeftTrimBlanks(title).isEmpty() ? FileNamePart(s.ListFile[i]) : title;
}

}  // namespace

void ShowSongDetail(State& s, PictureArea& area) {
  area.Cls();
  if (!s.SongTitle.isEmpty()) ShowSongLines(s, area);
  if (s.HasLyrics == 0 || s.PlayState == 0 || s.LyricShow == 0) ShowFileData(s, area);
  area.setFontName(QString::fromUtf8(kGothic));
}

void ShowListView(State& s, Decoder& d, PictureArea& area) {
  area.setFontName(QString::fromUtf8(kGothic));
  area.FilledBox(0, 0, area.scaleWidth(), area.scaleHeight(), kNavy);
  area.setCurrentX(30);
  area.setCurrentY(30);
  area.setFontSize(8);
  area.setFontBold(false);
  const int first = std::max(1, FirstListRow(s));
  for (int i = first; i <= first + 5 && HasEntry(s, i); ++i) {
    if (s.ListInfo[i].fileSize == 0)
      d.vbmp3_getFileInfo(s.ListFile[i].toStdString(), s.ListTag[i], s.ListInfo[i]);
    area.setCurrentX(30);
    const bool current = i == s.ListPos;
    const int shade = current ? 250 : 128;
    ShadowPrint(area, ListRowText(s, i), 0, shade, shade, 30, static_cast<int>(area.currentY()),
                current ? 4 : 2);
  }
}

}  // namespace sorv
