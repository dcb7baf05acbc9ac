#include "ui/layout.h"

#include <QApplication>
#include <QFontMetrics>

namespace tavrix::ui {

QFont DesignFont() {
  // The estimate box is 3375 twips wide; its border and margins take 4 px.
  const int room = Px(3375) - 4;
  const QString longest = QStringLiteral("1.44MB Floppy = you will need 99.99 floppies.");
  QFont font = QApplication::font();
  font.setPixelSize(11);
  for (int stretch :
       {QFont::Unstretched, QFont::SemiCondensed, QFont::Condensed, QFont::ExtraCondensed}) {
    font.setStretch(stretch);
    if (QFontMetrics(font).horizontalAdvance(longest) <= room) break;
  }
  return font;
}

}  // namespace tavrix::ui
