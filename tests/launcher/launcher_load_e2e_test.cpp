// The launcher under load: many launchers started together, registration churning while a
// window is open, and a huge package list among values of every wrong type.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/launcher/e2e/button_states.h"
#include "tests/launcher/e2e/harness.h"
#include "tests/launcher/e2e/title_registry.h"
#include "harness/registry_values.h"
#include "titles/app_list.h"

namespace {

using e2e::kTrellTitles;
using e2e::PackFolder;
using e2e::Process;

// Longer than this without answering a message and a window looks hung to its user.
const DWORD kAnswerBound = e2e::Stretched(1000);

bool Answers(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerBound, &result) != 0;
}

// Messages sent over many refresh periods that went unanswered.
int UnansweredOver(HWND window, DWORD duration_ms) {
  int unanswered = 0;
  const ULONGLONG end = GetTickCount64() + duration_ms;
  while (GetTickCount64() < end) {
    unanswered += Answers(window) ? 0 : 1;
    Sleep(20);
  }
  return unanswered;
}

// The states the window must show for what the registry holds now, asked of the title records.
std::string StatesOfTheRegistry() {
  std::string titles;
  bool any_missing = false;
  bool any_listed = false;
  for (uint32_t i = 0; i < GetAppList()->Count(); ++i) {
    const AppBase& title = *GetAppList()->GetAt(i);
    titles += title.IsInstalled() ? '1' : '0';
    any_missing = any_missing || !title.IsInstalled();
    any_listed = any_listed || title.IsInPackageList();
  }
  return titles + ' ' + (any_missing ? '1' : '0') + (any_listed ? '1' : '0');
}

class LauncherUnderLoad : public testing::Test {
 protected:
  e2e::TitleRegistry registry_;
  PackFolder pack_{u"pack"};
  e2e::ScratchFolder games_{u"games"};
};

struct OpenWindow {
  size_t launcher;
  HWND window;
};

std::vector<OpenWindow> LauncherWindows(const std::vector<std::unique_ptr<Process>>& launchers) {
  std::vector<OpenWindow> open;
  for (size_t i = 0; i < launchers.size(); ++i) {
    for (HWND window : e2e::WindowsOf(launchers[i]->Id())) {
      if (e2e::ClassOf(window) == u"#32770" && e2e::TextOf(window) == e2e::kLauncherCaption)
        open.push_back({i, window});
    }
  }
  return open;
}

// Started together, the launchers that find one running leave at once; those that got past that
// check wait for the running one to end and then show their window, one after the other.
TEST_F(LauncherUnderLoad, TwentyStartedAtOnceShowOneWindowAtATime) {
  std::vector<std::unique_ptr<Process>> launchers;
  for (int i = 0; i < 20; ++i) {
    launchers.push_back(e2e::StartLauncher(pack_));
    ASSERT_NE(launchers.back(), nullptr) << "setup.exe did not start";
  }
  std::vector<int> windows_shown(launchers.size(), 0);
  size_t most_at_once = 0;
  const auto running = [&] {
    return std::any_of(launchers.begin(), launchers.end(),
                       [](const std::unique_ptr<Process>& p) { return p->Running(); });
  };
  const ULONGLONG deadline = GetTickCount64() + 12 * e2e::Patience();
  while (running() && GetTickCount64() < deadline) {
    const std::vector<OpenWindow> open = LauncherWindows(launchers);
    most_at_once = std::max(most_at_once, open.size());
    if (open.size() != 1) {
      ASSERT_EQ(open.size(), 0u) << "two launcher windows at once";
      Sleep(10);
      continue;
    }
    const OpenWindow shown = open.front();
    ++windows_shown[shown.launcher];
    e2e::PressEscape(shown.window);
    // Until this launcher has gone, no other may show its window.
    e2e::Eventually([&] {
      most_at_once = std::max(most_at_once, LauncherWindows(launchers).size());
      return !launchers[shown.launcher]->Running();
    });
    ASSERT_EQ(most_at_once, 1u) << "a launcher showed its window before the one before closed";
  }
  EXPECT_FALSE(running()) << "launchers still running after " << 12 * e2e::Patience() << " ms";
  EXPECT_EQ(most_at_once, 1u);
  for (size_t i = 0; i < launchers.size(); ++i) {
    SCOPED_TRACE("launcher " + std::to_string(i));
    EXPECT_LE(windows_shown[i], 1);
    EXPECT_EQ(launchers[i]->WaitForExit(0), std::optional<DWORD>(0));
  }
}

// The installer's writes arrive between the window's refreshes: it goes on answering, and once
// they stop it shows what they left.
TEST_F(LauncherUnderLoad, KeepsAnsweringWhileTitlesAreRegisteredAThousandTimes) {
  std::unique_ptr<Process> launcher;
  HWND window = e2e::OpenLauncher(pack_, launcher);
  ASSERT_NE(window, nullptr);
  const exlib::Tu_text folder(games_.Path().c_str());
  const exlib::Tu_text source(u"D:\\");

  std::atomic<bool> churning{true};
  std::atomic<int> failed_calls{0};
  std::thread installer([&] {
    for (int round = 0; round < 1000; ++round) {
      AppBase& title = *GetAppList()->GetAt(static_cast<uint32_t>(round % 7));
      if (!title.RegisterPackage(folder, source))
        ++failed_calls;
      if (!title.UnregisterPackage())
        ++failed_calls;
    }
    churning = false;
  });
  int messages = 0;
  int unanswered = 0;
  while (churning) {
    ++messages;
    if (!Answers(window))
      ++unanswered;
    Sleep(5);
  }
  installer.join();
  EXPECT_EQ(failed_calls, 0);
  EXPECT_GT(messages, 0);
  EXPECT_EQ(unanswered, 0) << "of " << messages << " messages";

  for (uint32_t i : {1u, 3u, 5u})
    ASSERT_TRUE(GetAppList()->GetAt(i)->RegisterPackage(folder, source));
  ASSERT_TRUE(registry_.Install(6, games_.Path()));
  const std::string expected = StatesOfTheRegistry();
  EXPECT_EQ(expected, "0101011 11");
  EXPECT_EQ(e2e::StatesOnceSettled(window, expected), expected);
  EXPECT_TRUE(launcher->Running()) << "exit code " << launcher->WaitForExit(0).value_or(0);
}

// Only text markers count as installed, and only a text list is read; a list of 100,000 ids is
// read whole, every refresh, without keeping the window from showing or answering.
TEST_F(LauncherUnderLoad, AHugeListAndValuesOfWrongTypesShowPromptlyAndRight) {
  const std::vector<BYTE> folder = testsupport::TextBytes(games_.Path() + u"\\");
  const std::vector<BYTE> number = {1, 0, 0, 0};
  const struct {
    DWORD type;
    std::vector<BYTE> data;
  } markers[7] = {
      {REG_SZ, folder},     {REG_EXPAND_SZ, folder}, {REG_DWORD, number},
      {REG_BINARY, folder}, {REG_MULTI_SZ, folder},  {REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}},
      {REG_NONE, folder},
  };
  for (int title = 0; title < 7; ++title)
    ASSERT_TRUE(registry_.SetMarker(title, markers[title].type, markers[title].data));

  std::u16string huge;
  for (int id = 0; id < 100000; ++id) {
    const std::string number = std::to_string(id);
    huge += u"trell_other" + std::u16string(number.begin(), number.end()) + u",";
  }
  // The listed titles at the very end: the whole list is read before they are found.
  const std::u16string listed = std::u16string(kTrellTitles[0].id) + u"," + kTrellTitles[2].id;
  const struct {
    const char* situation;
    DWORD type;
    std::vector<BYTE> data;
    std::string expected;
  } rows[] = {
      {"a text list of 100,000 ids", REG_SZ, testsupport::TextBytes(huge + listed), "1100000 11"},
      {"an expandable text list", REG_EXPAND_SZ, testsupport::TextBytes(listed), "1100000 11"},
      {"a list of several texts", REG_MULTI_SZ, testsupport::TextBytes(listed + u'\0'),
       "1100000 10"},
      {"a binary list", REG_BINARY, testsupport::TextBytes(listed), "1100000 10"},
      {"a list of no type", REG_NONE, testsupport::TextBytes(listed), "1100000 10"},
      {"a number for a list", REG_DWORD, number, "1100000 10"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.situation);
    ASSERT_TRUE(registry_.SetPackageListValue(row.type, row.data));
    std::unique_ptr<Process> launcher;
    HWND window = e2e::OpenLauncher(pack_, launcher);
    ASSERT_NE(window, nullptr) << "no window within " << e2e::Patience() << " ms";
    EXPECT_EQ(e2e::StatesOnceSettled(window, row.expected), row.expected);
    EXPECT_EQ(UnansweredOver(window, 1000), 0);
    e2e::PressEscape(window);
    EXPECT_EQ(launcher->WaitForExit(), std::optional<DWORD>(0));
  }
}

}  // namespace
