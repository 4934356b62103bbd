#include "panel/sound/LyricRows.h"

#include "playback/SongInfo.h"

namespace sorv {

namespace {

// Row by row from the top: the slot shown (1-based), y in twips, font size, colour, shadow.
struct LyricRow {
  int slot;
  int y;
  double fontSize;
  int red, green, blue;
  int offset;
};

constexpr LyricRow kRows[5] = {
    {5, 700, 8, 60, 170, 60, 1},  {4, 870, 8, 60, 170, 60, 1},  {3, 1040, 9, 80, 255, 160, 3},
    {2, 1230, 8, 60, 170, 60, 1}, {1, 1400, 8, 60, 170, 60, 1},
};

constexpr int kRowX = 50;
constexpr int kLyricAreaTop = 650;
const QColor kLyricAreaColour(0, 70, 0);

void paintRows(PictureArea& area, const std::array<QString, 5>& texts) {
  area.setFontSize(8);
  area.filledBox(0, kLyricAreaTop, area.scaleWidth(), area.scaleHeight(), kLyricAreaColour);
  for (int row = 0; row < 5; ++row) {
    const LyricRow& r = kRows[row];
    area.setFontSize(r.fontSize);
    shadowPrint(area, texts[row], r.red, r.green, r.blue, kRowX, r.y, r.offset);
  }
  area.setFontSize(8);
}

}  // namespace

QString trimNull(const QString& field) {
  const qsizetype nul = field.indexOf(QChar(u'\0'));
  return nul < 0 ? field : field.left(nul);
}

void refreshLyricLines(State& s, AudioEngine& d, PlayerView& v, LyricsRecord& record) {
  d.lyrics(record);
  std::array<QString, 5> fields;
  bool changed = false;
  for (int row = 0; row < 5; ++row) {
    const std::string& slot = record.slot[kRows[row].slot - 1];
    fields[row] = QString::fromUtf8(slot.data(), qsizetype(slot.size()));
    if (fields[row] != s.lyricLines[row]) changed = true;
  }
  if (changed) {
    std::array<QString, 5> texts;
    for (int row = 0; row < 5; ++row) texts[row] = trimNull(fields[row]);
    paintRows(v.aPanel(), texts);
    if (s.lyricShow == 1) v.setLyricLabels(texts);
  }
  s.lyricLines = std::move(fields);
}

}  // namespace sorv
