#include "tests/support/registry_override.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32_api.h"
#include "registry/scoped_key.h"
#include "harness/registry_values.h"

namespace testsupport {
namespace {

// The parent stays: under Wine, a process deleting it races another's create through it.
constexpr char16_t kOverridesKey[] = u"Software\\PackTests\\Overrides";
constexpr long long kStaleSeconds = 60 * 60;

long long SecondsNow() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

std::u16string Widen(const std::string& ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

std::u16string FreshName() {
  std::random_device random;
  const unsigned long long tag = (static_cast<unsigned long long>(random()) << 32) | random();
  return Widen(std::to_string(SecondsNow()) + "." + std::to_string(tag));
}

// The scratch keys of runs that ended without removing theirs; the time leads each name.
void RemoveStaleScratchKeys() {
  std::vector<std::u16string> names;
  {
    ScopedKey parent;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, ToWin(kOverridesKey), 0, KEY_READ, parent.Receive()) !=
        ERROR_SUCCESS) {
      return;
    }
    names = SubkeyNames(parent.Get());
  }
  const long long now = SecondsNow();
  for (const std::u16string& name : names) {
    const size_t dot = name.find(u'.');
    if (dot == std::u16string::npos)
      continue;
    const long long made = std::atoll(std::string(name.begin(), name.begin() + dot).c_str());
    if (made > 0 && now - made > kStaleSeconds)
      DeleteKeyTree(HKEY_CURRENT_USER, std::u16string(kOverridesKey) + u"\\" + name);
  }
}

LSTATUS PointAt(HKEY predefined, const std::u16string& path) {
  ScopedKey key;
  if (LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, ToWin(path.c_str()), 0, nullptr, 0,
                                       KEY_ALL_ACCESS, nullptr, key.Receive(), nullptr)) {
    return status;
  }
  // The registry keeps a reference of its own: the handle is closed on the way out.
  return RegOverridePredefKey(predefined, key.Get());
}

void RestoreBoth() {
  EXPECT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr), ERROR_SUCCESS);
}

}  // namespace

RegistryOverride::RegistryOverride()
    : scratch_(std::u16string(kOverridesKey) + u"\\" + FreshName()) {
  RemoveStaleScratchKeys();
  // HKEY_CURRENT_USER last: the scratch keys are created through the real one. A test must not
  // run half redirected, where it would write the machine's keys.
  if (PointAt(HKEY_LOCAL_MACHINE, scratch_ + u"\\HKLM") != ERROR_SUCCESS ||
      PointAt(HKEY_CURRENT_USER, scratch_ + u"\\HKCU") != ERROR_SUCCESS) {
    RestoreBoth();
    DeleteKeyTree(HKEY_CURRENT_USER, scratch_);
    throw std::runtime_error("could not point the predefined keys at scratch keys");
  }
}

RegistryOverride::~RegistryOverride() {
  RestoreBoth();
  EXPECT_TRUE(DeleteKeyTree(HKEY_CURRENT_USER, scratch_)) << "the scratch key stays behind";
}

}  // namespace testsupport
