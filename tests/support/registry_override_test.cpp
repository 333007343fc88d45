// The registry override that in-process suites take: the machine's keys stay as they were, and
// what a crashed run left behind goes once it is old.
#include "tests/support/registry_override.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

#include "harness/registry_values.h"

namespace {

using testsupport::DeleteKeyTree;
using testsupport::KeyExists;
using testsupport::ReadText;
using testsupport::RegistryOverride;
using testsupport::WriteText;

const std::u16string kProbe = u"Software\\PackTests\\OverrideProbe";
const std::u16string kOverrides = u"Software\\PackTests\\Overrides";

class Override : public testing::Test {
 protected:
  void SetUp() override { RemoveProbes(); }
  void TearDown() override {
    RemoveProbes();
#ifndef _WIN32
    EXPECT_EQ(hostwin::OpenRegistryKeyCount(), 0u) << "a key handle was left open";
#endif
  }
  static void RemoveProbes() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
      EXPECT_TRUE(DeleteKeyTree(root, kProbe));
  }
};

// Both roots start empty under the override, take the test's writes, and show the machine's own
// values again afterwards; the scratch key is gone.
TEST_F(Override, TestSeesOnlyItsOwnKeysAndLeavesTheRealOnesAsTheyWere) {
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
    ASSERT_EQ(WriteText(root, kProbe, u"Value", u"real"), ERROR_SUCCESS);
  std::u16string scratch;
  {
    RegistryOverride registry;
    scratch = registry.ScratchPath();
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      EXPECT_FALSE(KeyExists(root, u"Software"));
      ASSERT_EQ(WriteText(root, kProbe, u"Value", u"test"), ERROR_SUCCESS);
    }
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kProbe, u"Value"), u"test");
    EXPECT_TRUE(DeleteKeyTree(HKEY_CURRENT_USER, kProbe));
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kProbe, u"Value"), u"test") << "the roots are apart";
  }
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
    EXPECT_EQ(ReadText(root, kProbe, u"Value"), u"real");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, scratch));
}

// Each override has a scratch key of its own, so that suites run beside each other.
TEST_F(Override, OverridesInTurnGetFreshKeys) {
  std::u16string first;
  {
    RegistryOverride registry;
    first = registry.ScratchPath();
    ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kProbe, u"Value", u"first"), ERROR_SUCCESS);
  }
  RegistryOverride registry;
  EXPECT_NE(registry.ScratchPath(), first);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kProbe));
}

// A scratch key named by a time over an hour ago belongs to a run that died; a recent one may
// belong to a suite running now.
TEST_F(Override, RemovesScratchKeysLeftByARunOverAnHourAgo) {
  const long long now = std::chrono::duration_cast<std::chrono::seconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
  auto named = [](long long seconds) {
    const std::string name = std::to_string(seconds) + ".7";
    return kOverrides + u"\\" + std::u16string(name.begin(), name.end());
  };
  const std::u16string stale = named(now - 2 * 60 * 60);
  const std::u16string recent = named(now - 60);
  for (const std::u16string& left : {stale, recent})
    ASSERT_EQ(WriteText(HKEY_CURRENT_USER, left + u"\\HKCU\\Software", u"Value", u"x"),
              ERROR_SUCCESS);
  { RegistryOverride registry; }
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, stale));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, recent));
  EXPECT_TRUE(DeleteKeyTree(HKEY_CURRENT_USER, recent));
}

}  // namespace
