// Laying an image's pixels over the button face, for bitmap buttons that would show transparent
// pixels black.
#include "platform/alpha_blend.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace {

using Bgra = std::array<uint8_t, 4>;

struct Face {
  uint8_t red, green, blue;
};

TEST(ComposeOverOpaqueColour, AddsTheUncoveredShareOfTheFaceAndMakesPixelsOpaque) {
  struct Case {
    const char* what;
    Bgra pixel;
    Face face;
    Bgra shown;
  };
  const Case cases[] = {
      {"transparent shows the face", {0, 0, 0, 0}, {240, 230, 220}, {220, 230, 240, 255}},
      {"opaque stays as it is", {10, 20, 30, 255}, {240, 230, 220}, {10, 20, 30, 255}},
      {"half covered", {50, 0, 100, 128}, {200, 100, 0}, {50, 50, 200, 255}},
      {"a share rounds to nearest, up", {0, 0, 0, 127}, {1, 1, 1}, {1, 1, 1, 255}},
      {"a share rounds to nearest, down", {0, 0, 0, 128}, {1, 1, 1}, {0, 0, 0, 255}},
      {"nearly opaque keeps most of the face out", {0, 0, 0, 254}, {255, 255, 255}, {1, 1, 1, 255}},
      {"colour beyond its alpha is capped",
       {255, 200, 255, 0},
       {255, 100, 1},
       {255, 255, 255, 255}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bgra pixel = c.pixel;
    winui::ComposeOverOpaqueColour(pixel.data(), 1, c.face.red, c.face.green, c.face.blue);
    EXPECT_EQ(pixel, c.shown);
  }
}

// Every pixel of the count is composed, and nothing after them.
TEST(ComposeOverOpaqueColour, TouchesExactlyTheGivenPixels) {
  std::vector<uint8_t> pixels = {0, 0, 0, 0, 9, 9, 9, 255, 0, 0, 0, 0, 7, 7, 7, 0};
  winui::ComposeOverOpaqueColour(pixels.data(), 3, 30, 20, 10);
  EXPECT_EQ(pixels,
            (std::vector<uint8_t>{10, 20, 30, 255, 9, 9, 9, 255, 10, 20, 30, 255, 7, 7, 7, 0}));
}

using Rgba = std::array<uint8_t, 4>;

// Straight alpha in, red first; opaque BGRA out, each channel rounded once.
TEST(ComposeRgbaOverOpaqueColour, WeighsColourAgainstTheFaceByAlphaAndSwapsToBgra) {
  struct Case {
    const char* what;
    Rgba pixel;
    Face face;
    Bgra shown;
  };
  const Case cases[] = {
      {"transparent shows the face, whatever colour it carries",
       {255, 0, 77, 0},
       {240, 230, 220},
       {220, 230, 240, 255}},
      {"opaque keeps its colour, blue first",
       {10, 20, 30, 255},
       {240, 230, 220},
       {30, 20, 10, 255}},
      {"half covered", {100, 0, 50, 128}, {0, 100, 200}, {125, 50, 50, 255}},
      {"a blend rounds to nearest, up", {0, 0, 0, 127}, {1, 1, 1}, {1, 1, 1, 255}},
      {"a blend rounds to nearest, down", {0, 0, 0, 128}, {1, 1, 1}, {0, 0, 0, 255}},
      {"white over white stays white", {255, 255, 255, 100}, {255, 255, 255}, {255, 255, 255, 255}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bgra shown = {};
    winui::ComposeRgbaOverOpaqueColour(c.pixel.data(), shown.data(), 1, c.face.red, c.face.green,
                                       c.face.blue);
    EXPECT_EQ(shown, c.shown);
  }
}

// In place, every pixel of the count and nothing after them.
TEST(ComposeRgbaOverOpaqueColour, ComposesInPlaceExactlyTheGivenPixels) {
  std::vector<uint8_t> pixels = {0, 0, 0, 0, 1, 2, 3, 255, 4, 5, 6, 255, 7, 7, 7, 0};
  winui::ComposeRgbaOverOpaqueColour(pixels.data(), pixels.data(), 3, 30, 20, 10);
  EXPECT_EQ(pixels,
            (std::vector<uint8_t>{10, 20, 30, 255, 3, 2, 1, 255, 6, 5, 4, 255, 7, 7, 7, 0}));
}

}  // namespace
