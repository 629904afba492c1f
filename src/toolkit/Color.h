#pragma once
// Colours as the toolkit stores them: 8-bit channels plus an alpha byte where
// 0 means fully opaque (255 fully transparent). In a property record a colour
// is the little-endian 32-bit value 0xAARRGGBB, so its bytes read B, G, R, A.
#include <cstdint>

struct Color {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  uint8_t alpha = 0;  // 0 = opaque

  friend bool operator==(const Color&, const Color&) = default;

  // 0xAARRGGBB, the form stored in property records.
  uint32_t ToUInt32() const {
    return (uint32_t(alpha) << 24) | (uint32_t(red) << 16) | (uint32_t(green) << 8) | uint32_t(blue);
  }
  static Color FromUInt32(uint32_t v) {
    return Color{uint8_t((v >> 16) & 0xFF), uint8_t((v >> 8) & 0xFF), uint8_t(v & 0xFF), uint8_t((v >> 24) & 0xFF)};
  }
};

// Channels outside 0..255 are clamped into it.
Color MakeColorRGBA(int32_t red, int32_t green, int32_t blue, int32_t alpha);
