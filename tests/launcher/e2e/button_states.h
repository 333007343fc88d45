#pragma once
// The launcher window's enabled states as one short string, for comparing with what is expected.
#include <string>

#include "platform/win32_api.h"
#include "resources/resource.h"
#include "tests/launcher/e2e/harness.h"

namespace e2e {

// The launcher's install and uninstall buttons.
constexpr int kInstallButton = IDC_INSTALL;
constexpr int kUninstallButton = IDC_UNINSTALL;

// "1" for each enabled button, "0" for each disabled one: the seven titles, a blank, install,
// uninstall; for example "1001001 10".
std::string ButtonStates(HWND window);
// The states once they settle on `expected`, or what the window shows at the deadline.
std::string StatesOnceSettled(HWND window, const std::string& expected,
                              DWORD timeout_ms = Patience());

}  // namespace e2e
