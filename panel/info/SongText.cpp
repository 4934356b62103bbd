#include "panel/info/SongText.h"

#include "core/Paths.h"

namespace sorv {

QString TagText(const std::string& text) {
  const auto nul = text.find('\0');
  return QString::fromStdString(nul == std::string::npos ? text : text.substr(0, nul));
}

QString LeftTrimBlanks(const QString& text) {
  int start = 0;
  while (start < text.size() && text[start] == QLatin1Char(' ')) ++start;
  return text.mid(start);
}

QString TrimBlanks(const QString& text) {
  QString trimmed = LeftTrimBlanks(text);
  int end = trimmed.size();
  while (end > 0 && trimmed[end - 1] == QLatin1Char(' ')) --end;
  return trimmed.left(end);
}

QString ProgrammeLabel(const State& s) {
  if (s.SongGenre != QLatin1String("255")) return {};
  if (s.SongAnimeKind == QLatin1String("1")) return QStringLiteral("TV");
  if (s.SongAnimeKind == QLatin1String("2")) return QStringLiteral("OVA");
  if (s.SongAnimeKind == QLatin1String("3")) return QStringLiteral("映画");
  if (s.SongAnimeKind == QLatin1String("4")) return QStringLiteral("TV特番");
  return {};
}

QString WithThousands(qint64 value) {
  QString digits = QString::number(value < 0 ? -value : value);
  for (int at = digits.size() - 3; at > 0; at -= 3) digits.insert(at, QLatin1Char(','));
  return value < 0 ? QStringLiteral("-") + digits : digits;
}

bool HasEntry(const State& s, int pos) {
  return pos >= 1 && pos <= s.ListCount && pos < s.ListFile.size() && pos < s.ListTag.size() &&
         pos < s.ListInfo.size() && pos < s.ListExt.size();
}

QString FallbackTitle(const State& s) {
  if (!HasEntry(s, s.ListPos)) return {};
  const QString title = LeftTrimBlanks(TagText(s.ListTag[s.ListPos].title));
  return title.isEmpty() ? FileNamePart(s.ListFile[s.ListPos]) : title;
}

QString FallbackArtist(const State& s) {
  if (!HasEntry(s, s.ListPos)) return {};
  return TrimBlanks(TagText(s.ListTag[s.ListPos].artist));
}

}  // namespace sorv
