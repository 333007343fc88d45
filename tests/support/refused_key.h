#pragma once
// A registry key that refuses the test's process for as long as the object lives: writes (the key
// stays readable), or every access. Under Windows the key's access control list says so, as for a
// key of HKEY_LOCAL_MACHINE that a user without rights meets. On the host the substitute's call
// hook refuses creating the key path (which every write of a value starts with) or, for
// everything, opening it too; a deletion there is not refused. The key is created if it does not
// exist; take a registry override (or sandbox) that outlives this object to drop it afterwards.
#include <string>

#include "platform/win32_api.h"

namespace testsupport {

enum class Refusal { kWrites, kEverything };

class RefusedKey {
 public:
  RefusedKey(HKEY root, std::u16string path, Refusal refusal);
  RefusedKey(const RefusedKey&) = delete;
  RefusedKey& operator=(const RefusedKey&) = delete;
  ~RefusedKey();

 private:
  HKEY root_;
  std::u16string path_;
};

}  // namespace testsupport
