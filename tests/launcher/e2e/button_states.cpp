#include "tests/launcher/e2e/button_states.h"

#include "tests/launcher/e2e/harness.h"
#include "tests/launcher/e2e/title_registry.h"

namespace e2e {
namespace {

constexpr int kInstall = 1024;
constexpr int kUninstall = 1025;

}  // namespace

std::string ButtonStates(HWND window) {
  std::string states;
  for (const auto& title : kTrellTitles) {
    states += IsWindowEnabled(GetDlgItem(window, title.button)) ? '1' : '0';
  }
  states += ' ';
  states += IsWindowEnabled(GetDlgItem(window, kInstall)) ? '1' : '0';
  states += IsWindowEnabled(GetDlgItem(window, kUninstall)) ? '1' : '0';
  return states;
}

std::string StatesOnceSettled(HWND window, const std::string& expected, DWORD timeout_ms) {
  Eventually([&] { return ButtonStates(window) == expected; }, timeout_ms);
  return ButtonStates(window);
}

}  // namespace e2e
