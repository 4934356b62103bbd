#include "core/Fonts.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace sorv {

void registerFontSubstitutions() {
  QFont::insertSubstitutions(QString::fromUtf8(kGothic), QStringList{QStringLiteral("IPAPGothic"),
                                                                     QStringLiteral("IPAGothic")});
  QFont::insertSubstitutions(
      QString::fromUtf8(kArial),
      QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

}  // namespace sorv
