// The launcher's template with a 50 ms timer, for comparison with the launcher itself:
// "bare" does nothing per tick, "floor" makes exactly the registry calls one refresh of this
// build's seven titles makes when all are installed and listed, with nothing else around them.
// "icon" added to either sets the launcher's icons as the launcher does, to see what they cost.
#include <string>

#include "contract/pack_contract.h"
#include "platform/win/dpi.h"
#include "platform/win/modal_dialog.h"
#include "platform/win32_api.h"
#include "resources/resource.h"

#include <commctrl.h>

namespace {

const std::u16string kTitleKeys[] = {std::u16string(kTrellKeys.key_prefix) + u"DRAVELB",
                                     std::u16string(kTrellKeys.key_prefix) + u"DRAVEL2B",
                                     std::u16string(kTrellKeys.key_prefix) + u"DRAVEL3B",
                                     std::u16string(kTrellKeys.key_prefix) + u"DRAVEL4B",
                                     std::u16string(kTrellKeys.key_prefix) + u"DRAVEL5B",
                                     std::u16string(kTrellKeys.key_prefix) + u"DravelBB1B",
                                     std::u16string(kTrellKeys.key_prefix) + u"DravelBB2B"};

bool HasTextValue(HKEY root, const char16_t* path, const char16_t* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, ToWin(path), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  DWORD type = REG_NONE;
  DWORD size = 0;
  const bool found =
      RegQueryValueExW(key, ToWin(name), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ);
  RegCloseKey(key);
  return found;
}

// Sized first, then read: two queries.
bool ListNames(const char16_t* id) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(PackageListRoot(), ToWin(kPackageListKey), 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return false;
  }
  char16_t list[4096] = {};
  DWORD type = REG_NONE;
  DWORD size = 0;
  bool named = false;
  if (RegQueryValueExW(key, ToWin(kPackageListValue), nullptr, &type, nullptr, &size) ==
          ERROR_SUCCESS &&
      size < sizeof(list) &&
      RegQueryValueExW(key, ToWin(kPackageListValue), nullptr, &type, reinterpret_cast<BYTE*>(list),
                       &size) == ERROR_SUCCESS) {
    named = std::u16string(list).find(id) != std::u16string::npos;
  }
  RegCloseKey(key);
  return named;
}

void FloorRefresh() {
  for (const std::u16string& key : kTitleKeys) {
    // The button's state, then the package list's own test of the installation.
    if (HasTextValue(kTrellKeys.Root(), key.c_str(), kTrellKeys.marker_value) &&
        HasTextValue(kTrellKeys.Root(), key.c_str(), kTrellKeys.marker_value)) {
      ListNames(u"trell_");
    }
  }
}

class PollDialog : public winui::ModalDialog {
 public:
  PollDialog(bool floor, bool icons)
      : winui::ModalDialog(IDD_SETUP_TRELL, nullptr), floor_(floor), icons_(icons) {}

 protected:
  const winui::MessageMap& GetMessageMap() const override { return kMessageMap; }
  BOOL OnInitDialog() override {
    if (icons_) {
      const UINT dpi = winui::WindowDpi(Window());
      HMODULE module = GetModuleHandleW(nullptr);
      big_icon_.Load(module, IDI_SETUP, winui::SystemMetricForDpi(SM_CXICON, dpi));
      small_icon_.Load(module, IDI_SETUP, winui::SystemMetricForDpi(SM_CXSMICON, dpi));
      SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_.Handle()));
      SendMessageW(Window(), WM_SETICON, ICON_SMALL,
                   reinterpret_cast<LPARAM>(small_icon_.Handle()));
    }
    SetTimer(Window(), 1, 50, nullptr);
    return TRUE;
  }

 private:
  void OnTimer(UINT_PTR) {
    if (floor_)
      FloorRefresh();
  }

  static const winui::MessageMapEntry kEntries[];
  static const winui::MessageMap kMessageMap;
  bool floor_;
  bool icons_;
  winui::ScaledIcon big_icon_;
  winui::ScaledIcon small_icon_;
};

const winui::MessageMapEntry PollDialog::kEntries[] = {
    winui::TimerEntry<PollDialog, &PollDialog::OnTimer>(),
};
const winui::MessageMap PollDialog::kMessageMap =
    winui::MakeMessageMap(&winui::ModalDialog::kMessageMap, kEntries);

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  const std::u16string mode = FromWin(command_line);
  PollDialog dialog(mode.find(u"floor") != std::u16string::npos,
                    mode.find(u"icon") != std::u16string::npos);
  dialog.RunModal();
  return 0;
}
