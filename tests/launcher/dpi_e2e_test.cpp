// The launcher's title images at the display's DPI, end to end: the real setup.exe, read back
// from the screen. cmake/wine-at-dpi.sh runs this at 96, 144 and 192 DPI and names the DPI in
// PACK_DPI; without it the test takes the display's DPI as it is.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "resources/resource.h"
#include "tests/launcher/e2e/harness.h"
#include "tests/launcher/e2e/title_registry.h"

namespace {

using e2e::kTrellTitles;

// Physical pixels throughout: screen captures are in them, and so must be window rectangles.
const bool kDpiAware = SetProcessDPIAware() != FALSE;

UINT ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return static_cast<UINT>(dpi);
}

UINT ExpectedDpi() {
  const char* named = std::getenv("PACK_DPI");
  return named != nullptr ? static_cast<UINT>(std::atoi(named)) : ScreenDpi();
}

// Far enough from the button face not to be its shade or a rounding of it.
bool IsFace(RGBQUAD pixel, COLORREF face) {
  return std::abs(pixel.rgbRed - GetRValue(face)) + std::abs(pixel.rgbGreen - GetGValue(face)) +
             std::abs(pixel.rgbBlue - GetBValue(face)) <=
         24;
}

// The button's own frame is drawn in greys and white; the cards are coloured.
bool IsCard(RGBQUAD pixel) {
  const int high = std::max({pixel.rgbRed, pixel.rgbGreen, pixel.rgbBlue});
  const int low = std::min({pixel.rgbRed, pixel.rgbGreen, pixel.rgbBlue});
  return high - low > 12;
}

struct Extent {
  LONG left = -1, top = -1, right = -1, bottom = -1;  // inclusive; -1 when nothing shows
  LONG Width() const { return left < 0 ? 0 : right - left + 1; }
  LONG Height() const { return top < 0 ? 0 : bottom - top + 1; }
};

// Where the button shows its title's card.
Extent CardExtent(const e2e::Capture& button) {
  Extent extent;
  for (LONG y = 0; y < button.height; ++y) {
    for (LONG x = 0; x < button.width; ++x) {
      if (!IsCard(button.At(x, y)))
        continue;
      if (extent.left < 0 || x < extent.left)
        extent.left = x;
      if (extent.right < 0 || x > extent.right)
        extent.right = x;
      if (extent.top < 0)
        extent.top = y;
      extent.bottom = y;
    }
  }
  return extent;
}

double Difference(const e2e::Capture& a, const e2e::Capture& b) {
  if (a.width != b.width || a.height != b.height)
    return 1.0;
  long differing = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    const RGBQUAD p = a.pixels[i];
    const RGBQUAD q = b.pixels[i];
    if (std::abs(p.rgbRed - q.rgbRed) + std::abs(p.rgbGreen - q.rgbGreen) +
            std::abs(p.rgbBlue - q.rgbBlue) >
        48) {
      ++differing;
    }
  }
  return static_cast<double>(differing) / static_cast<double>(a.pixels.size());
}

TEST(TitleImagesAtDpi, EachImageIsDrawnAtItsScaledSizeOverTheButtonFace) {
  ASSERT_TRUE(kDpiAware);
  const UINT dpi = ExpectedDpi();
  ASSERT_EQ(ScreenDpi(), dpi) << "the display is not at the DPI this run is for";

  e2e::TitleRegistry registry;
  e2e::PackFolder pack(u"dpi pack");
  e2e::ScratchFolder games(u"dpi games");
  for (int title = 0; title < 7; ++title) ASSERT_TRUE(registry.Install(title, games.Path()));
  std::unique_ptr<e2e::Process> launcher;
  HWND window = e2e::OpenLauncher(pack, launcher);
  ASSERT_NE(window, nullptr);
  // Enabled buttons: under Wine a disabled bitmap button shows a plain face.
  ASSERT_TRUE(e2e::Eventually([&] {
    for (const auto& title : kTrellTitles) {
      if (!IsWindowEnabled(GetDlgItem(window, title.button)))
        return false;
    }
    return true;
  }));
  // Without the focus frame on a title: sent, so that the focus has moved when it returns, and
  // every repaint it caused done before the capture.
  SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(window, IDC_README)),
               TRUE);
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);

  RECT area = {};
  GetWindowRect(window, &area);
  const std::string name = "\\launcher_dpi_" + std::to_string(dpi) + ".bmp";
  EXPECT_TRUE(e2e::SaveAsBmp(e2e::CaptureScreen(area),
                             e2e::OutputFolderPath() + std::u16string(name.begin(), name.end())));

  // Each image is a rounded card with a transparent margin: 40 x 60 of its 44 x 64 pixels. The
  // button may be narrower than the image, which then loses part of its margin, never the card.
  const double scale = dpi / 96.0;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  std::vector<e2e::Capture> shown;
  for (const auto& title : kTrellTitles) {
    RECT button_area = {};
    GetWindowRect(GetDlgItem(window, title.button), &button_area);
    shown.push_back(e2e::CaptureScreen(button_area));
    const e2e::Capture& button = shown.back();
    const Extent card = CardExtent(button);
    SCOPED_TRACE("button " + std::to_string(title.button) + " at " + std::to_string(dpi) +
                 " DPI: card " + std::to_string(card.Width()) + " x " +
                 std::to_string(card.Height()) + " at " + std::to_string(card.left) + ", " +
                 std::to_string(card.top) + " in a button of " + std::to_string(button.width) +
                 " x " + std::to_string(button.height));
    ASSERT_GT(card.Width(), 0);
    EXPECT_NEAR(card.Width(), 40 * scale, 1.0);
    EXPECT_NEAR(card.Height(), 60 * scale, 1.0);
    EXPECT_NEAR(card.left + card.right, button.width - 1, 3.0) << "not centred";
    EXPECT_NEAR(card.top + card.bottom, button.height - 1, 3.0) << "not centred";
    // Outside the card's rounded corner the image is transparent: the face shows, not black.
    EXPECT_TRUE(IsFace(button.At(card.left, card.top), face));
    EXPECT_TRUE(IsFace(button.At(card.right, card.bottom), face));
  }
  for (size_t i = 0; i + 1 < shown.size(); ++i) {
    EXPECT_GT(Difference(shown[i], shown[i + 1]), 0.002)
        << "buttons " << kTrellTitles[i].button << " and " << kTrellTitles[i + 1].button;
  }
}

}  // namespace
