// The launcher's window moved to a display of another DPI, in this process: Windows sends it
// WM_DPICHANGED with the DPI and a suggested rectangle, which the test sends itself (the displays
// under test all have one DPI). The window must take the rectangle and redraw its title images
// and icons at the new size.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/setup_dlg.h"
#include "resources/resource.h"
#include "tests/support/bitmap_pixels.h"
#include "titles/app_list.h"

namespace {

struct Move {
  UINT dpi;
  LONG image_width;
  LONG image_height;
  LONG icon;        // the caption's large icon, as the system's icon metric at this DPI
  LONG small_icon;  // and its small one
};

SIZE ImageSize(HWND button) {
  const auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(button, BM_GETIMAGE, IMAGE_BITMAP, 0));
  const testsupport::BitmapPixels pixels = testsupport::ReadBitmapPixels(bitmap);
  return {pixels.width, pixels.height};
}

LONG IconWidth(HWND window, WPARAM which) {
  const auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
  ICONINFO info = {};
  if (icon == nullptr || !GetIconInfo(icon, &info))
    return 0;
  const LONG width = testsupport::ReadBitmapPixels(info.hbmColor).width;
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return width;
}

// Moves itself through the given DPIs before it is ever shown, to a rectangle off the screen, so
// that it never covers another test's window; then closes.
class MovedSetupDlg : public SetupDlg {
 public:
  explicit MovedSetupDlg(std::vector<Move> moves)
      : SetupDlg(IDD_SETUP_TRELL, nullptr), moves_(std::move(moves)) {}

 protected:
  BOOL OnInitDialog() override {
    SetupDlg::OnInitDialog();
    EXPECT_EQ(GetAppList()->Count(), 7u) << "the default edition's seven titles";
    LONG offset = 0;
    for (const Move& move : moves_) {
      SCOPED_TRACE(std::to_string(move.dpi) + " DPI");
      offset += 40;
      RECT suggested = {-5000 + offset, -4000, -5000 + offset + 300 + offset, -4000 + 200};
      SendMessageW(Window(), WM_DPICHANGED, MAKEWPARAM(move.dpi, move.dpi),
                   reinterpret_cast<LPARAM>(&suggested));
      RECT now = {};
      GetWindowRect(Window(), &now);
      EXPECT_EQ(now.left, suggested.left);
      EXPECT_EQ(now.top, suggested.top);
      EXPECT_EQ(now.right - now.left, suggested.right - suggested.left);
      EXPECT_EQ(now.bottom - now.top, suggested.bottom - suggested.top);
      for (uint32_t i = 0; i < GetAppList()->Count(); ++i) {
        const int id = GetAppList()->GetAt(i)->ButtonId;
        const SIZE image = ImageSize(GetDlgItem(Window(), id));
        EXPECT_EQ(image.cx, move.image_width) << id;
        EXPECT_EQ(image.cy, move.image_height) << id;
      }
      EXPECT_EQ(IconWidth(Window(), ICON_BIG), move.icon);
      EXPECT_EQ(IconWidth(Window(), ICON_SMALL), move.small_icon);
    }
    EndDialog(IDOK);
    return TRUE;
  }

 private:
  std::vector<Move> moves_;
};

TEST(SetupDlgDpiChange, TakesTheSuggestedRectangleAndRedrawsItsImagesAndIcons) {
  MovedSetupDlg dialog(
      {{192, 88, 128, 64, 32}, {144, 66, 96, 48, 24}, {120, 55, 80, 40, 20}, {96, 44, 64, 32, 16}});
  EXPECT_EQ(dialog.RunModal(), IDOK);
}

}  // namespace
