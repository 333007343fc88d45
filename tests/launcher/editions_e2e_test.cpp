// Every edition's setup.exe end to end: its window has its template's group boxes and title
// buttons, in order, and those buttons follow what the title model registers in the real registry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/launcher/e2e/button_states.h"
#include "tests/launcher/e2e/harness.h"
#include "tests/support/registry_sandbox.h"
#include "titles/brand.h"
#include "titles/editions.h"

namespace {

std::u16string Widen(const char* ascii) {
  return std::u16string(ascii, ascii + std::char_traits<char>::length(ascii));
}

struct Controls {
  std::vector<std::u16string> group_boxes;  // texts, in the window's order
  std::vector<int> title_buttons;           // ids, in the window's order
};

Controls ControlsOf(HWND window) {
  Controls controls;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    if (e2e::ClassOf(child) == u"Button" && (style & BS_TYPEMASK) == BS_GROUPBOX) {
      controls.group_boxes.push_back(e2e::TextOf(child));
    } else if (id >= IDC_TITLE_FIRST && id <= IDC_TITLE_LAST) {
      controls.title_buttons.push_back(id);
    }
  }
  return controls;
}

// "1" for each enabled button and "0" for each disabled one: the edition's titles, then install
// and uninstall.
std::string ButtonStates(HWND window, const Edition& edition) {
  std::string states;
  for (const AppBase* title : edition)
    states += IsWindowEnabled(GetDlgItem(window, title->ButtonId)) ? '1' : '0';
  states += ' ';
  states += IsWindowEnabled(GetDlgItem(window, e2e::kInstallButton)) ? '1' : '0';
  states += IsWindowEnabled(GetDlgItem(window, e2e::kUninstallButton)) ? '1' : '0';
  return states;
}

std::string StatesOnceSettled(HWND window, const Edition& edition, const std::string& expected) {
  e2e::Eventually([&] { return ButtonStates(window, edition) == expected; });
  return ButtonStates(window, edition);
}

class Editions : public testing::Test {
 protected:
  testsupport::RegistrySandbox sandbox_;
};

TEST_F(Editions, EachWindowHasItsTemplateAndFollowsTheRegistry) {
  for (const Edition& edition : ::Editions()) {
    SCOPED_TRACE(edition.name);
    const e2e::PackFolder pack(u"pack-" + Widen(edition.name), true,
                               e2e::BuiltLauncherPath(edition.name));
    std::unique_ptr<e2e::Process> launcher;
    HWND window = e2e::OpenLauncher(pack, launcher);
    ASSERT_NE(window, nullptr);

    Controls expected;
    for (const AppBase* title : edition) {
      expected.title_buttons.push_back(title->ButtonId);
      const std::u16string brand = Widen(BrandName(*title));
      if (expected.group_boxes.empty() || expected.group_boxes.back() != brand)
        expected.group_boxes.push_back(brand);
    }
    const Controls shown = ControlsOf(window);
    EXPECT_EQ(shown.title_buttons, expected.title_buttons);
    EXPECT_EQ(shown.group_boxes, expected.group_boxes);

    // The edition's first and last titles registered, then the first unregistered again.
    AppBase& first = *edition.titles[0];
    AppBase& last = *edition.titles[edition.title_count - 1];
    const std::string none(edition.title_count, '0');
    EXPECT_EQ(StatesOnceSettled(window, edition, none + " 10"), none + " 10");
    ASSERT_TRUE(first.RegisterPackage(u"C:\\Games\\First", u"E:\\"));
    ASSERT_TRUE(last.RegisterPackage(u"C:\\Games\\Last", u"E:\\"));
    std::string both = none;
    both.front() = '1';
    both.back() = '1';
    EXPECT_EQ(StatesOnceSettled(window, edition, both + " 11"), both + " 11");
    ASSERT_TRUE(first.UnregisterPackage());
    std::string only_last = none;
    only_last.back() = '1';
    EXPECT_EQ(StatesOnceSettled(window, edition, only_last + " 11"), only_last + " 11");
    ASSERT_TRUE(last.UnregisterPackage());

    e2e::PressEscape(window);
    EXPECT_EQ(launcher->WaitForExit(), std::optional<DWORD>(0));
  }
}

}  // namespace
