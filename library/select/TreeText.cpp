#include "library/select/TreeText.h"

#include <string>

#include "library/db/KanaFold.h"

namespace sorv {

int16_t songTypeIcon(const QString& typeChar, const QVariant& karaoke) {
  bool isNumber = false;
  const double karaokeValue = karaoke.toString().trimmed().toDouble(&isNumber);
  if (isNumber && karaokeValue == 1.0) return kImageKaraoke;
  if (typeChar.size() == 1 && typeChar[0] >= u'1' && typeChar[0] <= u'4') {
    return static_cast<int16_t>(typeChar[0].unicode() - u'0');
  }
  return 5;
}

QString indexLetter(const QString& reading) {
  static const QString voiced =
      QStringLiteral("がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ");
  static const QString base = QStringLiteral("かきくけこさしすせそたちつてとはひふへほはひふへほ");
  // A half-width mark after the first character joins it; nothing further on changes it.
  thread_local std::u32string folded;
  foldKanaText(reading.left(2).toStdString(), folded);
  if (folded.empty()) return QString();
  const QString letter = QString::fromUcs4(folded.data(), 1);
  const qsizetype at = voiced.indexOf(letter);
  return at >= 0 ? QString(base[at]) : letter;
}

}  // namespace sorv
