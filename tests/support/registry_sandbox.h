#pragma once
// The pack's registry keys moved aside for the length of a test and put back afterwards, so that
// tests start from no titles and no package list and leave the machine's own state as it was.
//
// Each key is copied below "Software\PackTestsBackup" of its root before it is deleted, together
// with its path and whether it existed; a run that crashes leaves that record behind, and the
// next sandbox puts the recorded state back before it takes its own. Only one sandbox may exist
// at a time per registry: the suites that use one share the ctest lock "pack_keys".
#include <string>
#include <vector>

#include "platform/win32_api.h"

namespace testsupport {

struct SandboxedKey {
  HKEY root;
  std::u16string path;
};

// Every key the pack's titles and its package list live under.
std::vector<SandboxedKey> PackKeys();

class RegistrySandbox {
 public:
  explicit RegistrySandbox(std::vector<SandboxedKey> keys = PackKeys());
  RegistrySandbox(const RegistrySandbox&) = delete;
  RegistrySandbox& operator=(const RegistrySandbox&) = delete;
  ~RegistrySandbox();

 private:
  std::vector<SandboxedKey> keys_;
};

// The backup keys of a run that did not end its sandbox: each put back, then removed.
void RecoverAbandonedBackups();

}  // namespace testsupport
