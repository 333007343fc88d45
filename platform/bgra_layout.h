#pragma once
// The memory layout of a 32-bit image, checked before any buffer is sized from it.
#include <cstdint>
#include <optional>

namespace winui {

struct BgraLayout {
  uint32_t stride;  // bytes per row
  uint32_t size;    // bytes of all rows
};

// Nothing when a dimension does not fit a bitmap header's LONG, or the stride or the size does
// not fit the 32-bit byte counts that the imaging calls take: a wrapped size would let a copy run
// past a buffer sized from it.
inline std::optional<BgraLayout> BgraLayoutFor(uint32_t width, uint32_t height) {
  if (width > INT32_MAX || height > INT32_MAX)
    return std::nullopt;
  const uint64_t stride = uint64_t{width} * 4;
  const uint64_t size = stride * height;
  if (size > UINT32_MAX)
    return std::nullopt;
  return BgraLayout{static_cast<uint32_t>(stride), static_cast<uint32_t>(size)};
}

}  // namespace winui
