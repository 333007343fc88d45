// The thin Windows layer in this process: message maps, PNG bitmaps, tooltips. The launcher's
// resources are linked in, for their templates and images.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "harness/wic_png_bitmap.h"
#include "platform/com_apartment.h"
#include "platform/main_window.h"
#include "platform/win/dpi.h"
#include "platform/win/modal_dialog.h"
#include "platform/win/png_bitmap.h"
#include "platform/win/tooltips.h"
#include "resources/resource.h"
#include "tests/support/bitmap_pixels.h"

#include <commctrl.h>
// The scaler's declarations; its code is the one the bitmap links.
#include <stb/stb_image_resize.h>

namespace {

constexpr UINT kSafetyTimer = 99;  // ends a dialog that a failing test would leave open
constexpr INT_PTR kTimedOut = -2;
constexpr UINT kMappedCommand = 40001;
constexpr UINT kUnmappedCommand = 40002;

// The related-program template, driven by messages it posts to itself once it is up.
class ProbeDialog : public winui::ModalDialog {
 public:
  ProbeDialog() : winui::ModalDialog(IDD_RELATED_RUNNING, nullptr) {}

  std::vector<std::string> log;
  std::vector<UINT> to_post;
  HWND main_window_during_run = nullptr;
  LRESULT drag_icon = 0;

 protected:
  const winui::MessageMap& GetMessageMap() const override { return kMessageMap; }

  BOOL OnInitDialog() override {
    main_window_during_run = MainWindow();
    SetTimer(Window(), kSafetyTimer, 5000, nullptr);
    drag_icon = SendMessageW(Window(), WM_QUERYDRAGICON, 0, 0);
    for (UINT command : to_post) PostMessageW(Window(), WM_COMMAND, command, 0);
    return TRUE;
  }
  BOOL OnCommand(UINT notification, UINT id, LPARAM control) override {
    const BOOL handled = winui::ModalDialog::OnCommand(notification, id, control);
    log.push_back("command " + std::to_string(id) + (handled ? " handled" : " not"));
    return handled;
  }
  void OnOK() override {
    log.push_back("ok");
    winui::ModalDialog::OnOK();
  }

 private:
  void OnMapped() {
    log.push_back("mapped");
    PostMessageW(Window(), WM_TIMER, 7, 0);
  }
  void OnTimer(UINT_PTR id) {
    if (id == kSafetyTimer) {
      EndDialog(kTimedOut);
      return;
    }
    log.push_back("timer " + std::to_string(id));
  }
  HICON OnQueryDragIcon() { return reinterpret_cast<HICON>(static_cast<LONG_PTR>(0x4242)); }

  static const winui::MessageMapEntry kEntries[];
  static const winui::MessageMap kMessageMap;
};

const winui::MessageMapEntry ProbeDialog::kEntries[] = {
    winui::CommandEntry<ProbeDialog, &ProbeDialog::OnMapped>(kMappedCommand),
    winui::TimerEntry<ProbeDialog, &ProbeDialog::OnTimer>(),
    winui::QueryDragIconEntry<ProbeDialog, &ProbeDialog::OnQueryDragIcon>(),
};
const winui::MessageMap ProbeDialog::kMessageMap =
    winui::MakeMessageMap(&winui::ModalDialog::kMessageMap, kEntries);

TEST(ModalDialog, MessagesReachTheirHandlersThroughTheMaps) {
  ProbeDialog dialog;
  dialog.to_post = {kUnmappedCommand, kMappedCommand, IDOK};
  const INT_PTR result = dialog.RunModal();
  ASSERT_NE(result, kTimedOut);
  EXPECT_EQ(result, IDOK);
  // The timer was posted by the mapped handler, so it arrives after the OK command.
  EXPECT_EQ(dialog.log,
            (std::vector<std::string>{"command 40002 not", "mapped", "command 40001 handled", "ok",
                                      "command 1 handled"}));
  EXPECT_EQ(dialog.drag_icon, 0x4242);
}

TEST(ModalDialog, CancelEndsTheRunAndTheMainWindowIsSetOnlyWhileRunning) {
  ProbeDialog dialog;
  dialog.BecomeMainWindowWhileRunning();
  dialog.to_post = {IDCANCEL};
  EXPECT_EQ(dialog.RunModal(), IDCANCEL);
  EXPECT_NE(dialog.main_window_during_run, nullptr);
  EXPECT_EQ(MainWindow(), nullptr);
  EXPECT_EQ(dialog.Window(), nullptr);
}

bool Same(RGBQUAD pixel, COLORREF colour) {
  return pixel.rgbRed == GetRValue(colour) && pixel.rgbGreen == GetGValue(colour) &&
         pixel.rgbBlue == GetBValue(colour);
}

// Transparent pixels take the background given; opaque ones keep their own colour. No COM needed.
TEST(PngBitmap, LoadsTitleImagesOntoTheBackground) {
  const COLORREF green = RGB(10, 200, 30);
  const COLORREF grey = RGB(240, 240, 240);
  winui::PngBitmap on_green;
  winui::PngBitmap on_grey;
  ASSERT_TRUE(on_green.Load(GetModuleHandleW(nullptr), IDB_TITLE_FIRST + 14, green));
  ASSERT_TRUE(on_grey.Load(GetModuleHandleW(nullptr), IDB_TITLE_FIRST + 14, grey));
  const testsupport::BitmapPixels a = testsupport::ReadBitmapPixels(on_green.Handle());
  const testsupport::BitmapPixels b = testsupport::ReadBitmapPixels(on_grey.Handle());
  ASSERT_EQ(a.width, 44);
  ASSERT_EQ(a.height, 64);
  EXPECT_TRUE(Same(a.At(0, 0), green));  // a fully transparent corner
  EXPECT_TRUE(Same(b.At(0, 0), grey));
  const RGBQUAD centre_a = a.At(22, 32);
  const RGBQUAD centre_b = b.At(22, 32);
  EXPECT_EQ(centre_a.rgbRed, centre_b.rgbRed);
  EXPECT_EQ(centre_a.rgbGreen, centre_b.rgbGreen);
  EXPECT_EQ(centre_a.rgbBlue, centre_b.rgbBlue);
  EXPECT_FALSE(Same(centre_a, green));
}

// Up from 1x, down from 3x or at its own size: the size asked for, transparency still laid over
// the background.
TEST(PngBitmap, ScalesToTheSizeAskedFor) {
  const COLORREF green = RGB(10, 200, 30);
  const struct {
    UINT resource_id;
    UINT width;
    UINT height;
  } rows[] = {
      {IDB_TITLE_FIRST + 14, 88, 128},
      {IDB_TITLE_FIRST + 14 + 2 * IDB_TITLE_SCALE_STEP, 66, 96},
      {IDB_TITLE_FIRST + 14 + IDB_TITLE_SCALE_STEP, 88, 128},
      {IDB_TITLE_FIRST + 14 + IDB_TITLE_SCALE_STEP, 45, 65},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.resource_id) + " at " + std::to_string(row.width) + " x " +
                 std::to_string(row.height));
    winui::PngBitmap image;
    ASSERT_TRUE(
        image.Load(GetModuleHandleW(nullptr), row.resource_id, green, row.width, row.height));
    const testsupport::BitmapPixels read = testsupport::ReadBitmapPixels(image.Handle());
    ASSERT_EQ(read.width, static_cast<LONG>(row.width));
    ASSERT_EQ(read.height, static_cast<LONG>(row.height));
    EXPECT_TRUE(Same(read.At(0, 0), green));
    EXPECT_TRUE(Same(read.At(read.width - 1, read.height - 1), green));
    EXPECT_FALSE(Same(read.At(read.width / 2, read.height / 2), green));
  }
}

// The largest difference of any channel of any pixel; 255 when the sizes differ.
int LargestDifference(const testsupport::BitmapPixels& a, const testsupport::BitmapPixels& b) {
  if (a.width != b.width || a.height != b.height || a.pixels.empty())
    return 255;
  int largest = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    const RGBQUAD p = a.pixels[i];
    const RGBQUAD q = b.pixels[i];
    for (int d : {p.rgbRed - q.rgbRed, p.rgbGreen - q.rgbGreen, p.rgbBlue - q.rgbBlue})
      largest = std::max(largest, std::abs(d));
  }
  return largest;
}

// Every kind of image the art holds (1x in full colour, 2x and 3x with a palette and transparency)
// decodes to what the system's own decoder reads, laid over the same face: channels in their
// order, transparency taken. The two round the blend differently, by one at most.
TEST(PngBitmap, DecodesWhatTheSystemDecoderReads) {
  const COLORREF magenta = RGB(255, 0, 255);
  const ComApartment com;  // for the system's decoder
  const harness::WicPngDecoder system;
  for (UINT id : {IDB_TITLE_FIRST + 14, IDB_TITLE_FIRST + 16 + IDB_TITLE_SCALE_STEP,
                  IDB_TITLE_FIRST + 20 + 2 * IDB_TITLE_SCALE_STEP}) {
    SCOPED_TRACE(id);
    winui::PngBitmap ours;
    ASSERT_TRUE(ours.Load(GetModuleHandleW(nullptr), id, magenta));
    const harness::OwnedBitmap theirs = system.Load(GetModuleHandleW(nullptr), id, magenta);
    ASSERT_TRUE(theirs);
    EXPECT_LE(LargestDifference(testsupport::ReadBitmapPixels(ours.Handle()),
                                testsupport::ReadBitmapPixels(theirs.get())),
              1);
  }
}

// Laying pixels over an opaque face is linear in their premultiplied colour, so scaling then laying
// over (what the bitmap does, weighted by alpha) must match laying over then scaling an opaque
// image, where alpha plays no part, by the same filter: up to rounding, and the filter's overshoot
// clipped at another step (5 at most here). A transparent pixel's colour bleeding into its
// neighbours differs by 20 and more.
TEST(PngBitmap, ScalesAsIfLaidOverTheFaceFirst) {
  const COLORREF magenta = RGB(255, 0, 255);
  const struct {
    UINT resource_id;
    int width;
    int height;
  } rows[] = {
      {IDB_TITLE_FIRST + 14 + IDB_TITLE_SCALE_STEP, 44, 64},
      {IDB_TITLE_FIRST + 19 + 2 * IDB_TITLE_SCALE_STEP, 88, 128},
      {IDB_TITLE_FIRST + 20 + 2 * IDB_TITLE_SCALE_STEP, 55, 80},
      {IDB_TITLE_FIRST + 15, 66, 96},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.resource_id) + " to " + std::to_string(row.width));
    winui::PngBitmap natural;
    winui::PngBitmap scaled;
    ASSERT_TRUE(natural.Load(GetModuleHandleW(nullptr), row.resource_id, magenta));
    ASSERT_TRUE(scaled.Load(GetModuleHandleW(nullptr), row.resource_id, magenta,
                            static_cast<UINT>(row.width), static_cast<UINT>(row.height)));
    const testsupport::BitmapPixels opaque = testsupport::ReadBitmapPixels(natural.Handle());
    testsupport::BitmapPixels expected;
    expected.width = row.width;
    expected.height = row.height;
    expected.pixels.resize(static_cast<size_t>(row.width * row.height));
    ASSERT_TRUE(stbir_resize_uint8_generic(
        reinterpret_cast<const unsigned char*>(opaque.pixels.data()), opaque.width, opaque.height,
        0, reinterpret_cast<unsigned char*>(expected.pixels.data()), row.width, row.height, 0, 4,
        STBIR_ALPHA_CHANNEL_NONE, 0, STBIR_EDGE_CLAMP, STBIR_FILTER_MITCHELL,
        STBIR_COLORSPACE_LINEAR, nullptr));
    EXPECT_LE(LargestDifference(testsupport::ReadBitmapPixels(scaled.Handle()), expected), 8);
  }
}

// A bitmap handed to a control before the old one is freed.
TEST(PngBitmap, SwapExchangesTheBitmapsHeld) {
  winui::PngBitmap held;
  winui::PngBitmap fresh;
  ASSERT_TRUE(held.Load(GetModuleHandleW(nullptr), IDB_TITLE_FIRST, RGB(0, 0, 0)));
  ASSERT_TRUE(
      fresh.Load(GetModuleHandleW(nullptr), IDB_TITLE_FIRST + IDB_TITLE_SCALE_STEP, RGB(0, 0, 0)));
  const HBITMAP old_bitmap = held.Handle();
  const HBITMAP new_bitmap = fresh.Handle();
  held.Swap(fresh);
  EXPECT_EQ(held.Handle(), new_bitmap);
  EXPECT_EQ(fresh.Handle(), old_bitmap);
  EXPECT_EQ(testsupport::ReadBitmapPixels(held.Handle()).width, 88);
}

TEST(PngBitmap, AMissingResourceLoadsNothing) {
  winui::PngBitmap image;
  ASSERT_TRUE(image.Load(GetModuleHandleW(nullptr), IDB_TITLE_FIRST, RGB(0, 0, 0)));
  EXPECT_FALSE(image.Load(GetModuleHandleW(nullptr), 999, RGB(0, 0, 0)));
  EXPECT_EQ(image.Handle(), nullptr);
  // An icon is a resource, but not of type "PNG".
  EXPECT_FALSE(image.Load(GetModuleHandleW(nullptr), IDI_SETUP, RGB(0, 0, 0)));
}

// Every image of the icon is PNG-compressed: each loads at its own size.
TEST(ScaledIcon, LoadsTheIconAtEachSizeAsked) {
  for (int size : {16, 24, 32, 48, 64, 96, 128, 256}) {
    SCOPED_TRACE(size);
    winui::ScaledIcon icon;
    ASSERT_TRUE(icon.Load(GetModuleHandleW(nullptr), IDI_SETUP, size));
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon.Handle(), &info));
    const testsupport::BitmapPixels colour = testsupport::ReadBitmapPixels(info.hbmColor);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_EQ(colour.width, size);
    EXPECT_EQ(colour.height, size);
    // The tile's middle column is the second brand's colour, whatever the size.
    const RGBQUAD middle = colour.At(size / 2, size / 8);
    EXPECT_GT(middle.rgbBlue, middle.rgbRed);
  }
}

std::u16string ToolText(HWND tooltips, const TOOLINFOW& tool) {
  char16_t text[256] = {};
  TOOLINFOW query = tool;
  query.lpszText = ToWin(text);
  SendMessageW(tooltips, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&query));
  return text;
}

// The tooltip is found over the control, enabled or disabled: over a disabled control the pointer
// is the dialog's.
class TooltipDialog : public winui::ModalDialog {
 public:
  TooltipDialog() : winui::ModalDialog(IDD_RELATED_RUNNING, nullptr) {}
  std::u16string over_control;
  std::u16string over_dialog_area;

 protected:
  BOOL OnInitDialog() override {
    HWND ok = GetDlgItem(Window(), IDOK);
    const winui::ToolTips tooltips(Window());
    tooltips.Add(ok, u"ドラヴェル ～ヴェスパリオ～");
    EnableWindow(ok, FALSE);

    TTHITTESTINFOW hit = {};
    hit.hwnd = ok;
    hit.pt = {2, 2};
    hit.ti.cbSize = sizeof(hit.ti);
    if (SendMessageW(tooltips.Handle(), TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit))) {
      over_control = ToolText(tooltips.Handle(), hit.ti);
    }
    RECT area = {};
    GetWindowRect(ok, &area);
    MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&area), 2);
    hit = {};
    hit.hwnd = Window();
    hit.pt = {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    hit.ti.cbSize = sizeof(hit.ti);
    if (SendMessageW(tooltips.Handle(), TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit))) {
      over_dialog_area = ToolText(tooltips.Handle(), hit.ti);
    }
    EndDialog(IDOK);
    return TRUE;
  }
};

TEST(ToolTips, ShowTheirTextOverTheControlEnabledOrNot) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  TooltipDialog dialog;
  ASSERT_EQ(dialog.RunModal(), IDOK);
  EXPECT_EQ(dialog.over_control, u"ドラヴェル ～ヴェスパリオ～");
  EXPECT_EQ(dialog.over_dialog_area, u"ドラヴェル ～ヴェスパリオ～");
}

}  // namespace
