// The launcher's title buttons end to end: the real setup.exe against the real registry.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win/png_bitmap.h"
#include "resources/resource.h"
#include "tests/launcher/e2e/button_states.h"
#include "tests/launcher/e2e/harness.h"
#include "tests/launcher/e2e/title_registry.h"
#include "titles/app_list.h"

namespace {

using e2e::kTrellTitles;
using e2e::OpenLauncher;
using e2e::PackFolder;
using e2e::Process;

using e2e::ButtonStates;
using e2e::StatesOnceSettled;

class TitleButtons : public testing::Test {
 protected:
  e2e::TitleRegistry registry_;
  PackFolder pack_{u"pack"};
  e2e::ScratchFolder games_{u"games"};
};

TEST_F(TitleButtons, EnabledStatesFollowTheRegistry) {
  const struct {
    const char* situation;
    std::vector<int> installed;
    std::u16string listed;
    std::string expected;
  } rows[] = {
      {"nothing installed", {}, u"", "0000000 10"},
      {"some installed, none listed", {0, 3, 6}, u"", "1001001 10"},
      {"all installed, one listed", {0, 1, 2, 3, 4, 5, 6}, u"trell_dravel3", "1111111 01"},
      {"a listed title that is not installed", {0}, u"trell_dravel2", "1000000 10"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.situation);
    for (int title = 0; title < 7; ++title) ASSERT_TRUE(registry_.Uninstall(title));
    for (int title : row.installed) ASSERT_TRUE(registry_.Install(title, games_.Path()));
    ASSERT_TRUE(registry_.SetPackageList(row.listed));

    std::unique_ptr<Process> launcher;
    HWND window = OpenLauncher(pack_, launcher);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(StatesOnceSettled(window, row.expected), row.expected);
    e2e::PressEscape(window);
    EXPECT_EQ(launcher->WaitForExit(), std::optional<DWORD>(0));
  }
}

// What the installer and uninstaller do while the window is open shows within a few periods.
TEST_F(TitleButtons, FollowRegistrationWhileTheWindowIsOpen) {
  std::unique_ptr<Process> launcher;
  HWND window = OpenLauncher(pack_, launcher);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(StatesOnceSettled(window, "0000000 10"), "0000000 10");

  AppBase& title = *GetAppList()->GetAt(4);
  const std::u16string folder = games_.Path();
  ASSERT_TRUE(title.RegisterPackage(exlib::Tu_text(folder.c_str()), exlib::Tu_text(u"D:\\")));
  EXPECT_EQ(StatesOnceSettled(window, "0000100 11"), "0000100 11");

  ASSERT_TRUE(title.UnregisterPackage());
  EXPECT_EQ(StatesOnceSettled(window, "0000000 10"), "0000000 10");
  EXPECT_TRUE(launcher->Running());
}

TEST_F(TitleButtons, AClickStartsTheTitleInItsFolder) {
  ASSERT_TRUE(games_.CopyIn(e2e::RecorderPath(), kTrellTitles[2].executable));
  ASSERT_TRUE(registry_.Install(2, games_.Path()));
  std::unique_ptr<Process> launcher;
  HWND window = OpenLauncher(pack_, launcher);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(StatesOnceSettled(window, "0010000 10"), "0010000 10");

  e2e::Click(window, kTrellTitles[2].button);
  const auto started = e2e::WaitForRecording(games_.File(kTrellTitles[2].executable));
  ASSERT_TRUE(started.has_value()) << "the title did not start";
  EXPECT_NE(started->command_line.find(games_.File(kTrellTitles[2].executable)),
            std::u16string::npos);
  EXPECT_EQ(started->working_directory, games_.Path());
  EXPECT_TRUE(launcher->Running());
}

TEST_F(TitleButtons, ATitleWhoseExecutableIsMissingChangesNothingVisible) {
  ASSERT_TRUE(registry_.Install(1, games_.Path()));
  std::unique_ptr<Process> launcher;
  HWND window = OpenLauncher(pack_, launcher);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(StatesOnceSettled(window, "0100000 10"), "0100000 10");

  e2e::Click(window, kTrellTitles[1].button);
  EXPECT_TRUE(launcher->Running());
  EXPECT_EQ(e2e::WindowsOf(launcher->Id()), std::vector<HWND>{window});
  EXPECT_EQ(ButtonStates(window), "0100000 10");
}

// Pixels of `image` that differ from what the screen shows at `x`, `y` within `shown`, among
// those that fall inside it (its border excluded), as a fraction.
double Mismatch(const e2e::Capture& shown, const e2e::Capture& image, LONG x, LONG y) {
  constexpr LONG kBorder = 3;
  long compared = 0;
  long differing = 0;
  for (LONG row = 0; row < image.height; ++row) {
    for (LONG column = 0; column < image.width; ++column) {
      const LONG sx = x + column;
      const LONG sy = y + row;
      if (sx < kBorder || sy < kBorder || sx >= shown.width - kBorder ||
          sy >= shown.height - kBorder) {
        continue;
      }
      const RGBQUAD a = shown.At(sx, sy);
      const RGBQUAD b = image.At(column, row);
      ++compared;
      if (std::abs(a.rgbRed - b.rgbRed) + std::abs(a.rgbGreen - b.rgbGreen) +
              std::abs(a.rgbBlue - b.rgbBlue) >
          48) {
        ++differing;
      }
    }
  }
  return compared == 0 ? 1.0 : static_cast<double>(differing) / compared;
}

bool SamePixels(const e2e::Capture& a, const e2e::Capture& b) {
  return a.width == b.width && a.height == b.height &&
         std::memcmp(a.pixels.data(), b.pixels.data(), a.pixels.size() * sizeof(RGBQUAD)) == 0;
}

// The best fit of the image near the centre of the button, where a bitmap button draws it.
double BestMismatch(const e2e::Capture& button, const e2e::Capture& image) {
  const LONG centre_x = (button.width - image.width) / 2;
  const LONG centre_y = (button.height - image.height) / 2;
  double best = 1.0;
  for (LONG dy = -3; dy <= 3; ++dy) {
    for (LONG dx = -3; dx <= 3; ++dx) {
      best = std::min(best, Mismatch(button, image, centre_x + dx, centre_y + dy));
    }
  }
  return best;
}

// All titles installed: every button shows its own title's image, its transparent margin in the
// button's colour, carries the title's short name as its text, and has a tooltip. The capture is
// saved for people to look at.
TEST_F(TitleButtons, EachButtonShowsItsOwnTitle) {
  for (int title = 0; title < 7; ++title) ASSERT_TRUE(registry_.Install(title, games_.Path()));
  std::unique_ptr<Process> launcher;
  HWND window = OpenLauncher(pack_, launcher);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(StatesOnceSettled(window, "1111111 00"), "1111111 00");

  for (const auto& title : kTrellTitles) {
    EXPECT_EQ(e2e::TextOf(GetDlgItem(window, title.button)), title.short_name) << title.button;
  }
  // Made once the window has been drawn. Two tools a button: the button itself, and its area for
  // when it is disabled.
  std::vector<HWND> tooltips;
  EXPECT_TRUE(e2e::Eventually([&] {
    tooltips = e2e::WindowsOfClass(launcher->Id(), u"tooltips_class32");
    return tooltips.size() == 1 && SendMessageW(tooltips[0], TTM_GETTOOLCOUNT, 0, 0) == 2 * 7;
  }));
  ASSERT_EQ(tooltips.size(), 1u);
  EXPECT_EQ(SendMessageW(tooltips[0], TTM_GETTOOLCOUNT, 0, 0), 2 * 7);

  // Without the focus frame on a title. (Moved by another process, a window under Wine without a
  // window manager no longer shows, so it stays where it opened.)
  // The capture is taken once the focus has moved and the window's pixels have settled.
  const HWND website = GetDlgItem(window, IDC_README);
  PostMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(website), TRUE);
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  EXPECT_TRUE(e2e::Eventually([&] {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(thread, &info) && info.hwndFocus == website;
  }));
  RECT area = {};
  GetWindowRect(window, &area);
  e2e::Capture shot = e2e::CaptureScreen(area);
  EXPECT_TRUE(e2e::Eventually([&] {
    e2e::Capture again = e2e::CaptureScreen(area);
    const bool settled = SamePixels(again, shot);
    shot = std::move(again);
    return settled;
  }));
  EXPECT_TRUE(e2e::SaveAsBmp(shot, e2e::OutputFolderPath() + u"\\launcher_titles.bmp"));

  std::vector<e2e::Capture> images;
  for (int i = 0; i < 7; ++i) {
    winui::PngBitmap image;
    ASSERT_TRUE(image.Load(GetModuleHandleW(nullptr), IDB_TITLE_FIRST + 14 + i,
                           GetSysColor(COLOR_BTNFACE)));
    images.push_back(testsupport::ReadBitmapPixels(image.Handle()));
  }
  for (int i = 0; i < 7; ++i) {
    RECT button_area = {};
    GetWindowRect(GetDlgItem(window, kTrellTitles[i].button), &button_area);
    const e2e::Capture shown = e2e::CaptureScreen(button_area);
    const double own = BestMismatch(shown, images[i]);
    const double next = BestMismatch(shown, images[(i + 1) % 7]);
    // Drawn as decoded, its own image matches exactly; the next title's differs in its label.
    EXPECT_LT(own, 0.005) << "button " << kTrellTitles[i].button << ", next image " << next;
    EXPECT_GT(next, own + 0.01) << "button " << kTrellTitles[i].button;
  }
}

}  // namespace
