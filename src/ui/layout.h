// Window layouts are given in twips (1/1440 inch); 15 twips make one pixel.
#pragma once

#include <QRect>

#include "restore/window_state.h"

namespace tavrix::ui {

constexpr int Px(int twips) { return twips / kTwipsPerPixel; }
inline QRect TwipRect(int left, int top, int width, int height) {
  return QRect(Px(left), Px(top), Px(width), Px(height));
}

}  // namespace tavrix::ui
