#pragma once
// The registry as the installer leaves it, for end-to-end tests: this build's seven titles' keys
// and the pack's package list, written with the plain registry calls. The object moves the pack's
// keys aside for the test and puts them back when it goes.
#include <string>
#include <vector>

#include "platform/win32_api.h"
#include "tests/support/registry_sandbox.h"

namespace e2e {

struct TrellTitle {
  const char16_t* key;         // below HKEY_CURRENT_USER
  const char16_t* executable;  // in the install folder
  const char16_t* id;          // in the package list
  int button;
  const char16_t* short_name;
};

// In button order, 1017 to 1023.
extern const TrellTitle kTrellTitles[7];

class TitleRegistry {
 public:
  // Marks the title installed in `folder` (which the registration writes with a trailing
  // backslash).
  bool Install(int title, const std::u16string& folder) const;
  bool Uninstall(int title) const;
  // The package list value, title ids joined by ",".
  bool SetPackageList(const std::u16string& list) const;
  // The title's marker value and the package list stored with any type and bytes, as a broken
  // installer or another program might leave them.
  bool SetMarker(int title, DWORD type, const std::vector<BYTE>& data) const;
  bool SetPackageListValue(DWORD type, const std::vector<BYTE>& data) const;

 private:
  testsupport::RegistrySandbox sandbox_;
};

}  // namespace e2e
