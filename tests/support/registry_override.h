#pragma once
// HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE pointed, for this process only, at empty scratch keys
// of the object's own for its length, so that a test starts from an empty registry, never touches
// the machine's keys and runs beside any other test. Child processes still see the real keys: a
// suite whose children read the pack's keys takes a RegistrySandbox instead.
//
// The scratch keys live below HKEY_CURRENT_USER "Software\PackTests\Overrides\<time>.<random>"
// and are removed afterwards; those that a crashed run left behind are removed once an hour old.
#include <string>

namespace testsupport {

class RegistryOverride {
 public:
  RegistryOverride();
  RegistryOverride(const RegistryOverride&) = delete;
  RegistryOverride& operator=(const RegistryOverride&) = delete;
  ~RegistryOverride();

  // The scratch key's path below the real HKEY_CURRENT_USER.
  const std::u16string& ScratchPath() const { return scratch_; }

 private:
  std::u16string scratch_;
};

}  // namespace testsupport
