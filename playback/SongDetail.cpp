// The song details on aPanel and the play-list view on mPanel.
#include "core/Fonts.h"
#include "core/Paths.h"
#include "playback/SongInfo.h"
#include "playback/SongText.h"

namespace sorv {

namespace {

const QColor kSongLineColor{190, 190, 255};
const QColor kFileDataColor{70, 250, 70};
constexpr double kValueX = 1000;
constexpr double kLineStepUp = 20;

void printSongLine(PictureArea& area, const QString& text, int x, int y, int offset) {
  shadowPrint(area, text, kSongLineColor.red(), kSongLineColor.green(), kSongLineColor.blue(), x, y,
              offset);
}

// The type digit is the first character of the song kind, or the second after a karaoke "9".
QChar songTypeDigit(const QString& kind) {
  if (kind.startsWith(QLatin1Char('9'))) return kind.size() > 1 ? kind[1] : QChar();
  return kind.isEmpty() ? QChar() : kind[0];
}

// "＃" and the sequence number with the blank that a sign would take; empty for number 0.
QString sequenceSuffix(const QString& kind) {
  const int number = kind.right(2).toInt();
  return number > 0 ? QStringLiteral("＃ ") + QString::number(number) : QString();
}

QString songTypeText(const QString& kind) {
  switch (songTypeDigit(kind).unicode()) {
    case '1':
      return QStringLiteral("　オープニングテーマ") + sequenceSuffix(kind);
    case '3':
      return QStringLiteral("　エンディングテーマ") + sequenceSuffix(kind);
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

void showSongLines(const State& s, PictureArea& area) {
  area.setFontName(QString::fromUtf8(kGothic));
  area.setFontSize(8);
  area.setFontBold(false);
  printSongLine(
      area, programmeLabel(s) + QStringLiteral(" 『 ") + s.songProgram + QStringLiteral(" 』 より"),
      60, 60, 1);
  const QString type = songTypeText(s.songKind);
  if (!type.isEmpty()) printSongLine(area, type, 50, 280, 2);
  printSongLine(area, QStringLiteral("　") + s.songYear + QStringLiteral("年作品"), 50, 480, 1);
}

// One label and its value on the same line; the next line then starts 20 twips higher.
void printDataLine(PictureArea& area, const QString& label, const QString& value) {
  const double y = area.currentY();
  area.print(label);
  area.setCurrentX(kValueX);
  area.setCurrentY(y);
  area.print(value);
  area.setCurrentY(area.currentY() - kLineStepUp);
}

QString mpegVersion(int code) {
  return code == 3 ? QStringLiteral("2.5") : QString::number(code);
}

QString modeText(int mode) {
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

QString bitRateText(int bitrate) {
  return QStringLiteral(": ") + QString::number(bitrate) + "kbit/s";
}

// An extension read from a play list keeps its case; an upper-case MP3 is still an MP3.
bool isMpegExtension(const QString& ext) {
  return ext.compare(QLatin1String("mp3"), Qt::CaseInsensitive) == 0 ||
         ext.compare(QLatin1String("rmp"), Qt::CaseInsensitive) == 0;
}

// "FLAC 96kHz 24bit Stereo"; lossy streams leave out the depth.
QString streamFormatText(const StreamRecord& info) {
  QString text = QString::fromStdString(info.codec) + u' ' +
                 QString::number(info.sampleRate / 1000.0) + QStringLiteral("kHz ");
  if (info.bits > 0) text += QString::number(info.bits) + QStringLiteral("bit ");
  return text + (info.channels == 1 ? QStringLiteral("Mono") : QStringLiteral("Stereo"));
}

void showOtherStream(const State& s, const StreamRecord& info, PictureArea& area) {
  if (info.codec.empty()) {
    printDataLine(area, "  Data Format", ": Windows Media Audio");
    printDataLine(area, "  Bit Rate", bitRateText(info.bitrate));
    return;
  }
  if (!s.songTitle.isEmpty()) area.print(QString());
  printDataLine(area, "  Data Format ", ": " + streamFormatText(info));
  if (info.bits == 0) printDataLine(area, "  Bit Rate", bitRateText(info.bitrate));
}

void showFileData(const State& s, PictureArea& area) {
  const bool entry = s.hasEntry(s.listPos);
  const StreamRecord info = entry ? *s.entry(s.listPos).stream : StreamRecord{};
  const QString ext = entry ? s.entry(s.listPos).extension : QString();
  area.setForeColor(kFileDataColor);
  area.setFontName(QString::fromUtf8(kArial));
  area.setFontSize(7);
  if (!isMpegExtension(ext)) {
    showOtherStream(s, info, area);
  } else {
    if (!s.songTitle.isEmpty()) area.print(QString());
    printDataLine(
        area, "  Data Format ",
        ": MPEG-" + mpegVersion(info.version) + " Audio Layer " + QString::number(info.layer));
    printDataLine(area, "  Mode", modeText(info.mode));
    printDataLine(area, "  Bit Rate",
                  info.bitrate == 0 ? QStringLiteral(": VBR") : bitRateText(info.bitrate));
  }
  printDataLine(area, "  File Size", ": " + withThousands(info.fileSize) + " Bytes");
}

int firstListRow(const State& s) {
  if (s.listPos == 1 || (s.listPos == s.listCount && s.listPos < 4)) return 1;
  return s.listPos - 1;
}

QString listRowText(const State& s, int i) {
  const QString title = tagText(s.entry(i).tag->title);
  return leftTrimBlanks(title).isEmpty() ? fileNamePart(s.entry(i).file) : title;
}

}  // namespace

void showSongDetail(State& s, PictureArea& area) {
  area.cls();
  if (!s.songTitle.isEmpty()) showSongLines(s, area);
  if (s.hasLyrics == 0 || s.playState == 0 || s.lyricShow == 0) showFileData(s, area);
  area.setFontName(QString::fromUtf8(kGothic));
}

void showListView(State& s, AudioEngine& d, PictureArea& area) {
  area.setFontName(QString::fromUtf8(kGothic));
  area.filledBox(0, 0, area.scaleWidth(), area.scaleHeight(), kNavy);
  area.setCurrentX(30);
  area.setCurrentY(30);
  area.setFontSize(8);
  area.setFontBold(false);
  const int first = std::max(1, firstListRow(s));
  for (int i = first; i <= first + 5 && s.hasEntry(i); ++i) {
    if (s.entry(i).stream->fileSize == 0)
      d.fileInfo(s.entry(i).file.toStdString(), *s.entry(i).tag, *s.entry(i).stream);
    area.setCurrentX(30);
    const bool current = i == s.listPos;
    const int shade = current ? 250 : 128;
    shadowPrint(area, listRowText(s, i), 0, shade, shade, 30, static_cast<int>(area.currentY()),
                current ? 4 : 2);
  }
}

}  // namespace sorv
