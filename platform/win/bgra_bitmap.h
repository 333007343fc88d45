#pragma once
// A 32-bit bitmap whose pixels the caller writes, top row first, as image decoders deliver them.
#include <cstdint>

#include "platform/win32_api.h"

namespace winui {

// Null when it cannot be made, a dimension too large included; otherwise `bits` receives its
// width x height BGRA pixels.
HBITMAP NewTopDownBgraBitmap(UINT width, UINT height, uint8_t** bits);

}  // namespace winui
