#include "tests/launcher/e2e/button_states.h"

#include "tests/launcher/e2e/harness.h"
#include "tests/launcher/e2e/title_registry.h"

namespace e2e {

std::string ButtonStates(HWND window) {
  std::string states;
  for (const auto& title : kTrellTitles) {
    states += IsWindowEnabled(GetDlgItem(window, title.button)) ? '1' : '0';
  }
  states += ' ';
  states += IsWindowEnabled(GetDlgItem(window, kInstallButton)) ? '1' : '0';
  states += IsWindowEnabled(GetDlgItem(window, kUninstallButton)) ? '1' : '0';
  return states;
}

std::string StatesOnceSettled(HWND window, const std::string& expected, DWORD timeout_ms) {
  Eventually([&] { return ButtonStates(window) == expected; }, timeout_ms);
  return ButtonStates(window);
}

}  // namespace e2e
