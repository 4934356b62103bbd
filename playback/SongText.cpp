#include "playback/SongText.h"

#include "core/Paths.h"

namespace sorv {

QString tagText(const std::string& text) {
  const auto nul = text.find('\0');
  return QString::fromStdString(nul == std::string::npos ? text : text.substr(0, nul));
}

QString leftTrimBlanks(const QString& text) {
  int start = 0;
  while (start < text.size() && text[start] == QLatin1Char(' ')) ++start;
  return text.mid(start);
}

QString trimBlanks(const QString& text) {
  QString trimmed = leftTrimBlanks(text);
  int end = trimmed.size();
  while (end > 0 && trimmed[end - 1] == QLatin1Char(' ')) --end;
  return trimmed.left(end);
}

QString programmeLabel(const State& s) {
  if (s.songGenre != QLatin1String("255")) return {};
  if (s.songAnimeKind == QLatin1String("1")) return QStringLiteral("TV");
  if (s.songAnimeKind == QLatin1String("2")) return QStringLiteral("OVA");
  if (s.songAnimeKind == QLatin1String("3")) return QStringLiteral("映画");
  if (s.songAnimeKind == QLatin1String("4")) return QStringLiteral("TV特番");
  return {};
}

QString withThousands(qint64 value) {
  QString digits = QString::number(value < 0 ? -value : value);
  for (int at = digits.size() - 3; at > 0; at -= 3) digits.insert(at, QLatin1Char(','));
  return value < 0 ? QStringLiteral("-") + digits : digits;
}

bool hasEntry(const State& s, int pos) {
  return pos >= 1 && pos <= s.listCount && pos < s.listFile.size() && pos < s.listTag.size() &&
         pos < s.listInfo.size() && pos < s.listExt.size();
}

QString fallbackTitle(const State& s) {
  if (!hasEntry(s, s.listPos)) return {};
  const QString title = leftTrimBlanks(tagText(s.listTag[s.listPos].title));
  return title.isEmpty() ? fileNamePart(s.listFile[s.listPos]) : title;
}

QString fallbackArtist(const State& s) {
  if (!hasEntry(s, s.listPos)) return {};
  return trimBlanks(tagText(s.listTag[s.listPos].artist));
}

}  // namespace sorv
