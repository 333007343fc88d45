// The registry sandbox the suites rely on to start from no pack keys and to leave the machine's
// keys as they were, also after a run that crashed inside its sandbox.
#include "tests/support/registry_sandbox.h"

#include <gtest/gtest.h>

#include <new>
#include <optional>
#include <string>
#include <vector>

#include "contract/pack_contract.h"
#include "harness/registry_values.h"

namespace {

using testsupport::KeyExists;
using testsupport::RawValue;
using testsupport::ReadRaw;
using testsupport::ReadText;
using testsupport::RegistrySandbox;
using testsupport::WriteRaw;
using testsupport::WriteText;

const std::u16string kScratch = u"Software\\PackTests\\Sandbox";

class Sandbox : public testing::Test {
 protected:
  void SetUp() override { RemoveScratch(); }
  void TearDown() override {
    RemoveScratch();
#ifndef _WIN32
    EXPECT_EQ(hostwin::OpenRegistryKeyCount(), 0u) << "a key handle was left open";
#endif
  }
  static void RemoveScratch() {
    // Not "Software\PackTests" itself, which the registry suites running beside this one create
    // keys through (see tests/registry/scratch_registry.h).
    EXPECT_TRUE(testsupport::DeleteKeyTree(HKEY_CURRENT_USER, kScratch));
  }
};

// A key's values of every type, its default value and its subkeys are gone during the test and
// back byte for byte afterwards; what the test wrote there is gone.
TEST_F(Sandbox, PutsAnExistingKeyBackAsItWas) {
  const std::u16string sub = kScratch + u"\\Sub\\Deeper";
  ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, kScratch, u"Text", REG_SZ, {'a', 0, 'b'}), ERROR_SUCCESS);
  ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, kScratch, u"Empty", REG_BINARY, {}), ERROR_SUCCESS);
  ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kScratch, u"", u"default"), ERROR_SUCCESS);
  ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, sub, u"Number", REG_DWORD, {1, 2, 3, 4}), ERROR_SUCCESS);
  const RawValue text = ReadRaw(HKEY_CURRENT_USER, kScratch, u"Text");
  {
    RegistrySandbox sandbox({{HKEY_CURRENT_USER, kScratch}});
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kScratch));
    ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kScratch, u"Text", u"changed"), ERROR_SUCCESS);
    ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kScratch + u"\\New", u"x", u"y"), ERROR_SUCCESS);
  }
  EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kScratch, u"Text"), text);
  EXPECT_EQ(text.bytes.size(), 3u);
  EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kScratch, u"Empty"),
            (RawValue{ERROR_SUCCESS, REG_BINARY, {}}));
  EXPECT_EQ(ReadText(HKEY_CURRENT_USER, kScratch, u""), u"default");
  EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, sub, u"Number"),
            (RawValue{ERROR_SUCCESS, REG_DWORD, {1, 2, 3, 4}}));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kScratch + u"\\New"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"Software\\PackTestsBackup"));
}

// A key that was missing is missing again, with every parent the test caused to be created; a
// parent that existed stays.
TEST_F(Sandbox, RemovesAMissingKeyAndTheParentsTheTestCreated) {
  ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kScratch, u"Kept", u"k"), ERROR_SUCCESS);
  const std::u16string key = kScratch + u"\\Missing\\Title";
  {
    RegistrySandbox sandbox({{HKEY_CURRENT_USER, key}});
    ASSERT_EQ(WriteText(HKEY_CURRENT_USER, key + u"\\Below", u"x", u"y"), ERROR_SUCCESS);
  }
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kScratch + u"\\Missing"));
  EXPECT_EQ(ReadText(HKEY_CURRENT_USER, kScratch, u"Kept"), u"k");
}

// A run that ends inside its sandbox leaves its backup; the next sandbox puts the saved key back
// (and removes what the crashed test wrote) before it moves the key aside again.
TEST_F(Sandbox, PutsBackWhatACrashedRunMovedAside) {
  const std::u16string missing = kScratch + u"\\WasMissing";
  ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kScratch + u"\\Title", u"Path", u"C:\\"), ERROR_SUCCESS);
  // Never destroyed, as in a run that crashed; static, so that its memory does not count as lost.
  alignas(RegistrySandbox) static unsigned char crashed[sizeof(RegistrySandbox)];
  new (crashed)
      RegistrySandbox({{HKEY_CURRENT_USER, kScratch + u"\\Title"}, {HKEY_CURRENT_USER, missing}});
  ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kScratch + u"\\Title", u"Path", u"junk"), ERROR_SUCCESS);
  ASSERT_EQ(WriteText(HKEY_CURRENT_USER, missing, u"x", u"junk"), ERROR_SUCCESS);

  EXPECT_TRUE(testsupport::RecoverAbandonedBackups());
  EXPECT_EQ(ReadText(HKEY_CURRENT_USER, kScratch + u"\\Title", u"Path"), u"C:\\");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, missing));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"Software\\PackTestsBackup"));
}

// The keys moved aside are derived from the brands' key prefixes; the package list must lie below
// one of them wherever the pack keeps it.
TEST(PackKeys, CoverEveryBrandAndThePackageList) {
  const std::vector<testsupport::SandboxedKey> keys = testsupport::PackKeys();
  const auto covered = [&](HKEY root, const std::u16string& path) {
    for (const testsupport::SandboxedKey& key : keys) {
      if (key.root == root && path.rfind(key.path + u"\\", 0) == 0)
        return true;
    }
    return false;
  };
  EXPECT_TRUE(covered(PackageListRoot(), kPackageListKey));
  const struct {
    const char* name;
    BrandKeys keys;
  } brands[] = {{"KAVOR", kKavorKeys}, {"Nuva", kNuvaKeys}, {"TRELL", kTrellKeys}};
  for (const auto& brand : brands) {
    EXPECT_TRUE(covered(brand.keys.Root(), std::u16string(brand.keys.key_prefix) + u"Title"))
        << brand.name;
  }
}

}  // namespace
