#pragma once
// The pack's registry keys moved aside while the object lives and put back afterwards, so that a
// test or a benchmark starts from no titles and no package list and leaves the machine's own
// state as it was.
//
// Each key is copied below "Software\PackTestsBackup" of its root before it is deleted, together
// with its path and whether it existed; a run that crashes leaves that record behind, and the
// next object puts the recorded state back before it takes its own. Only one may exist at a time
// per registry: the test suites that use one share the ctest lock "pack_keys".
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

class PackKeysAside {
 public:
  explicit PackKeysAside(std::vector<SandboxedKey> keys = PackKeys());
  PackKeysAside(const PackKeysAside&) = delete;
  PackKeysAside& operator=(const PackKeysAside&) = delete;
  // Puts the keys back unless PutBack() already has.
  ~PackKeysAside();

  // Whether a crashed run's keys were put back and every key was moved aside.
  bool MovedAside() const { return moved_aside_; }
  // Puts every key back as it was; false when one could not be.
  bool PutBack();

 private:
  std::vector<SandboxedKey> keys_;
  bool moved_aside_ = true;
  bool put_back_ = false;
};

// The backup keys of a run that did not put its keys back: each put back, then removed. False
// when one could not be read and stays behind.
bool RecoverAbandonedBackups();

}  // namespace testsupport
