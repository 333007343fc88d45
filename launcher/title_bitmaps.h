#pragma once
// The title buttons' bitmaps, decoded for one DPI.
#include <memory>
#include <vector>

#include "platform/win/png_bitmap.h"

// One per title of the list, in list order; one whose image could not be decoded holds none.
using TitleBitmaps = std::vector<std::unique_ptr<winui::PngBitmap>>;

// Each title's image drawn at the size `dpi` needs, from the smallest image at or above that size
// (scaled down, never up, while the art has one), laid over `background`.
TitleBitmaps DecodeTitleBitmaps(HMODULE module, UINT dpi, COLORREF background);
