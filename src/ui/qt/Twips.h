// Design positions are in twips; Qt lays out in device-independent pixels
// and maps those to device pixels itself on high-resolution screens.
#pragma once

#include <QRect>
#include <cmath>

#include "ui/Controls.h"
#include "ui/WindowLayout.h"

namespace pressmoor::ui::qt {

inline int Pixels(int twips) {
  return static_cast<int>(std::lround(static_cast<double>(twips) / layout::kTwipsPerPixel));
}

// Edges are converted, not sizes, so controls that touch in twips touch in pixels.
inline QRect PixelRect(const ControlDesign& design) {
  const int x = Pixels(design.left);
  const int y = Pixels(design.top);
  return QRect(x, y, Pixels(design.left + design.width) - x, Pixels(design.top + design.height) - y);
}

}  // namespace pressmoor::ui::qt
