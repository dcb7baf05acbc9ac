// Window layouts are given in twips (1/1440 inch); 15 twips make one pixel.
#pragma once

#include <QFont>
#include <QRect>

#include "restore/window_state.h"

namespace tavrix::ui {

constexpr int Px(int twips) {
  return twips / kTwipsPerPixel;
}
inline QRect TwipRect(int left, int top, int width, int height) {
  return QRect(Px(left), Px(top), Px(width), Px(height));
}

// The font of the program's own windows: the size the layout was drawn for
// (8 points, 11 pixels), narrowed as far as needed for the longest texts to
// fit their labels (the floppy estimate in its 225-pixel box).
QFont DesignFont();

}  // namespace tavrix::ui
