#pragma once
// Pixel composition for images shown on controls that ignore transparency.
#include <cstddef>
#include <cstdint>

namespace winui {

// Lays premultiplied 32-bit BGRA pixels over an opaque colour and makes them opaque.
inline void ComposeOverOpaqueColour(uint8_t* bgra, size_t pixel_count, uint8_t red, uint8_t green,
                                    uint8_t blue) {
  const uint8_t background[3] = {blue, green, red};
  for (size_t i = 0; i < pixel_count; ++i) {
    uint8_t* pixel = bgra + 4 * i;
    const unsigned uncovered = 255u - pixel[3];
    for (int channel = 0; channel < 3; ++channel) {
      const unsigned shown = pixel[channel] + (background[channel] * uncovered + 127u) / 255u;
      pixel[channel] = static_cast<uint8_t>(shown > 255u ? 255u : shown);
    }
    pixel[3] = 255;
  }
}

// Lays straight (not premultiplied) RGBA pixels over an opaque colour into opaque BGRA pixels;
// `bgra` may be `rgba` itself.
inline void ComposeRgbaOverOpaqueColour(const uint8_t* rgba, uint8_t* bgra, size_t pixel_count,
                                        uint8_t red, uint8_t green, uint8_t blue) {
  for (size_t i = 0; i < pixel_count; ++i) {
    const uint8_t* from = rgba + 4 * i;
    const unsigned colour[3] = {from[0], from[1], from[2]};
    const unsigned covered = from[3];
    const unsigned uncovered = 255u - covered;
    const unsigned background[3] = {red, green, blue};
    uint8_t* to = bgra + 4 * i;
    for (int channel = 0; channel < 3; ++channel) {
      // At most 255 x 255 + 127 before the division: never above 255 after it.
      to[2 - channel] = static_cast<uint8_t>(
          (colour[channel] * covered + background[channel] * uncovered + 127u) / 255u);
    }
    to[3] = 255;
  }
}

}  // namespace winui
