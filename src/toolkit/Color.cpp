#include "toolkit/Color.h"

namespace {
uint8_t Channel(int32_t v) { return uint8_t(v < 0 ? 0 : (v > 255 ? 255 : v)); }
}  // namespace

Color MakeColorRGBA(int32_t red, int32_t green, int32_t blue, int32_t alpha) {
  return Color{Channel(red), Channel(green), Channel(blue), Channel(alpha)};
}
