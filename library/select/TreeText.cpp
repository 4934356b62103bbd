#include "library/select/TreeText.h"

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

void unvoicedKana(QString& text) {
  static const QString voiced =
      QStringLiteral("がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ");
  static const QString base = QStringLiteral("かきくけこさしすせそたちつてとはひふへほはひふへほ");
  if (text.size() != 1) return;
  const int at = voiced.indexOf(text[0]);
  if (at >= 0) text = base[at];
}

}  // namespace sorv
