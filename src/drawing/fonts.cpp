#include "drawing/fonts.h"

#include <QStringList>

namespace kandelor::drawing {

QFont sansFont() {
  QFont font;
  font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Helvetica")});
  font.setStyleHint(QFont::SansSerif);
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

}  // namespace kandelor::drawing
