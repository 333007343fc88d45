#include "platform/bgra_layout.h"

#include <gtest/gtest.h>

namespace {

// Sizes that wrap in 32 bits are refused rather than handed to a copy as a small buffer.
TEST(BgraLayout, RefusesSizesThatDoNotFit) {
  struct Case {
    uint32_t width, height;
    bool fits;
    uint32_t stride, size;
  };
  const Case cases[] = {
      {44, 64, true, 176, 11264},
      {1, 1, true, 4, 4},
      {32768, 32767, true, 131072, 4294836224u},
      {32768, 32768, false, 0, 0},   // 2^32: wraps to 0
      {65536, 65537, false, 0, 0},   // wraps to a small size
      {0x40000000, 1, false, 0, 0},  // the stride alone wraps
      {0x3FFFFFFF, 1, true, 0xFFFFFFFC, 0xFFFFFFFC},
      {1, 0x80000000u, false, 0, 0},  // no LONG height
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    const auto layout = winui::BgraLayoutFor(c.width, c.height);
    ASSERT_EQ(layout.has_value(), c.fits);
    if (layout) {
      EXPECT_EQ(layout->stride, c.stride);
      EXPECT_EQ(layout->size, c.size);
    }
  }
}

}  // namespace
