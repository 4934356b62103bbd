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

QString fallbackTitle(const State& s) {
  if (!s.hasEntry(s.listPos)) return {};
  const QString title = leftTrimBlanks(tagText(s.entry(s.listPos).tag->title));
  return title.isEmpty() ? fileNamePart(s.entry(s.listPos).file) : title;
}

QString fallbackArtist(const State& s) {
  if (!s.hasEntry(s.listPos)) return {};
  return trimBlanks(tagText(s.entry(s.listPos).tag->artist));
}

}  // namespace sorv
