#pragma once
// The title images decoded by stb_image and scaled by stb_image_resize (Mitchell filter, alpha
// weighted), laid over an opaque colour as the launcher's own bitmaps are: the candidate that
// bench/image_decoders weighs against the imaging component.
#include "platform/win32_api.h"

namespace decoders {

// A bitmap of `width` x `height` pixels from the module's "PNG" resource, or null.
HBITMAP LoadStbPngBitmap(HMODULE module, UINT resource_id, COLORREF background, UINT width,
                         UINT height);

}  // namespace decoders
