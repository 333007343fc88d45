#pragma once
// For a test's length: the pack's registry keys moved aside and put back afterwards
// (harness/pack_keys_aside.h), a failure either way reported as the test's own. One at a time:
// the suites that hold one share the ctest lock "pack_keys". For suites whose child processes read
// the pack's keys; a suite that calls the registry only in its own process takes a
// RegistryOverride (registry_override.h) instead.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "harness/pack_keys_aside.h"

namespace testsupport {

class RegistrySandbox {
 public:
  explicit RegistrySandbox(std::vector<SandboxedKey> keys = PackKeys()) : aside_(std::move(keys)) {
    EXPECT_TRUE(aside_.MovedAside()) << "could not move a key of the pack aside";
  }
  RegistrySandbox(const RegistrySandbox&) = delete;
  RegistrySandbox& operator=(const RegistrySandbox&) = delete;
  ~RegistrySandbox() { EXPECT_TRUE(aside_.PutBack()) << "could not put a key of the pack back"; }

 private:
  PackKeysAside aside_;
};

}  // namespace testsupport
