// Window designs are given in twips: 1440 to the inch, 15 to a logical pixel
// at 96 dpi. Qt's device-independent pixels take care of higher densities.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cmath>

namespace platform {

inline constexpr int kTwipsPerPixel = 15;

constexpr int twips(int value) {
  // Round half away from zero so that negative design positions (a few
  // controls start above their container) keep their sign symmetrically.
  return value >= 0 ? (value + kTwipsPerPixel / 2) / kTwipsPerPixel
                    : -((-value + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

constexpr int toTwips(int pixels) { return pixels * kTwipsPerPixel; }

inline QRect twipsRect(int left, int top, int width, int height) {
  return QRect(twips(left), twips(top), twips(width), twips(height));
}

inline QSize twipsSize(int width, int height) { return QSize(twips(width), twips(height)); }

}  // namespace platform
