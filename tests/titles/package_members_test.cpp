#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "contract/pack_contract.h"
#include "platform/win32_api.h"
#include "tests/support/registry_override.h"
#include "harness/registry_values.h"
#include "tests/titles/title_test_state.h"
#include "titles/catalogue.h"
#include "tests/support/text_forms.h"

namespace {

using testsupport::RawValue;
using testsupport::ReadRaw;
using testsupport::ReadText;
using testsupport::WideOf;
using testsupport::WriteText;

const char16_t kDravel1Key[] = u"Software\\Trell\\DRAVELB";
const char16_t kDravel2Key[] = u"Software\\Trell\\DRAVEL2B";

std::optional<std::u16string> StoredList() {
  return ReadText(PackageListRoot(), kPackageListKey, kPackageListValue);
}

// Some of the values a title's registration writes, as stored.
std::vector<RawValue> ValuesOf(const char16_t* key) {
  std::vector<RawValue> values;
  for (const char16_t* name : {u"INSTALL_TYPE", u"INSTALL_PATH", u"SCRIPT_ARC", u"PICT_ARC"})
    values.push_back(ReadRaw(HKEY_CURRENT_USER, key, name));
  return values;
}

// The title record's share of the package list: listed means installed and named in the list;
// registering writes the entries and lists the title once; unregistering undoes both.
class PackageMembers : public testing::Test {
 protected:
  AppBase& dravel1_ = *CatalogueRecords()[14];
  AppBase& dravel2_ = *CatalogueRecords()[15];
  testsupport::RegistryOverride registry_;
};

TEST_F(PackageMembers, ListedCountsOnlyWhileInstalled) {
  ASSERT_EQ(WriteText(PackageListRoot(), kPackageListKey, kPackageListValue, u"trell_dravel1"),
            ERROR_SUCCESS);
  EXPECT_FALSE(dravel1_.IsInPackageList());
  ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kDravel1Key, u"INSTALL_PATH", u"D:\\Dravel\\"),
            ERROR_SUCCESS);
  EXPECT_TRUE(dravel1_.IsInPackageList());
  EXPECT_FALSE(dravel2_.IsInPackageList()) << "not installed, not listed";
  ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kDravel2Key, u"INSTALL_PATH", u"D:\\Dravel2\\"),
            ERROR_SUCCESS);
  EXPECT_FALSE(dravel2_.IsInPackageList()) << "installed, not listed";
}

TEST_F(PackageMembers, RegisterListsOnceAndUnregisterUndoesIt) {
  ASSERT_TRUE(dravel1_.RegisterPackage(u"D:/Games/Dravel/", u"E:\\"));
  EXPECT_TRUE(dravel1_.IsInstalled());
  EXPECT_EQ(WideOf(dravel1_.GetExecutablePath()), u"D:\\Games\\Dravel\\DRAVEL.exe");
  EXPECT_EQ(StoredList(), u"trell_dravel1");
  ASSERT_TRUE(dravel1_.RegisterPackage(u"D:\\Games\\Dravel", u"E:\\"));
  EXPECT_EQ(StoredList(), u"trell_dravel1") << "registered again, listed once";

  EXPECT_TRUE(dravel1_.UnregisterPackage());
  EXPECT_FALSE(dravel1_.IsInstalled());
  EXPECT_FALSE(testsupport::KeyExists(HKEY_CURRENT_USER, kDravel1Key));
  EXPECT_EQ(StoredList(), std::nullopt);
}

TEST_F(PackageMembers, UnregisterLeavesOtherTitlesAlone) {
  ASSERT_TRUE(dravel1_.RegisterPackage(u"D:\\Dravel", u"E:\\"));
  ASSERT_TRUE(dravel2_.RegisterPackage(u"D:\\Dravel2", u"E:\\"));
  EXPECT_EQ(StoredList(), u"trell_dravel1,trell_dravel2");
  EXPECT_TRUE(dravel1_.UnregisterPackage());
  EXPECT_EQ(StoredList(), u"trell_dravel2");
  EXPECT_TRUE(dravel2_.IsInPackageList());
  EXPECT_EQ(WideOf(dravel2_.GetExecutablePath()), u"D:\\Dravel2\\Dravel2.exe");
}

// A value already gone counts as removed: the rest goes, the emptied key with it, and the
// uninstaller is told that it succeeded.
TEST_F(PackageMembers, UnregisterSucceedsWhenAnEntryValueIsAlreadyGone) {
  for (const char16_t* gone : {u"MEDIA_TYPE", u"SCRIPT_ARC", u"INSTALL_TYPE"}) {
    SCOPED_TRACE(testing::Message() << "value #" << std::u16string(gone).size());
    ASSERT_TRUE(dravel1_.RegisterPackage(u"D:\\Dravel", u"E:\\"));
    ASSERT_EQ(testsupport::DeleteValue(HKEY_CURRENT_USER, kDravel1Key, gone), ERROR_SUCCESS);
    EXPECT_TRUE(dravel1_.UnregisterPackage());
    EXPECT_FALSE(testsupport::KeyExists(HKEY_CURRENT_USER, kDravel1Key));
    EXPECT_EQ(StoredList(), std::nullopt);
  }
}

// An installed title that is not listed is not the pack's to remove.
TEST_F(PackageMembers, UnregisterOfAnUnlistedTitleChangesNothing) {
  ASSERT_EQ(WriteText(PackageListRoot(), kPackageListKey, kPackageListValue, u"trell_dravel2"),
            ERROR_SUCCESS);
  ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kDravel1Key, u"INSTALL_PATH", u"D:\\Dravel\\"),
            ERROR_SUCCESS);
  EXPECT_TRUE(dravel1_.UnregisterPackage());
  EXPECT_TRUE(dravel1_.IsInstalled());
  EXPECT_EQ(StoredList(), u"trell_dravel2");
}

// Registering and unregistering one title leaves another title's values and the list's other
// items as they were.
TEST_F(PackageMembers, RegisteringOneTitleNeverDisturbsAnother) {
  ASSERT_EQ(WriteText(PackageListRoot(), kPackageListKey, kPackageListValue, u"Other,,Third"),
            ERROR_SUCCESS);
  ASSERT_TRUE(dravel1_.RegisterPackage(u"C:\\Games\\A", u"E:\\"));
  ASSERT_TRUE(dravel2_.RegisterPackage(u"C:/Games/$B/", u"E:\\"));
  const std::vector<RawValue> dravel2_values = ValuesOf(kDravel2Key);
  ASSERT_TRUE(dravel1_.RegisterPackage(u"D:\\A", u"E:\\"));
  EXPECT_EQ(StoredList(), u"Other,,Third,trell_dravel1,trell_dravel2");

  EXPECT_TRUE(dravel1_.UnregisterPackage());
  EXPECT_EQ(StoredList(), u"Other,,Third,trell_dravel2");
  EXPECT_FALSE(testsupport::KeyExists(HKEY_CURRENT_USER, kDravel1Key));
  EXPECT_EQ(ValuesOf(kDravel2Key), dravel2_values);
  EXPECT_TRUE(dravel1_.UnregisterPackage()) << "nothing left to remove";
  EXPECT_EQ(StoredList(), u"Other,,Third,trell_dravel2");

  EXPECT_TRUE(dravel2_.UnregisterPackage());
  EXPECT_EQ(StoredList(), u"Other,,Third");
}

// A folder that starts with a digit still registers as text, so the title counts as installed
// and is listed once however often it is registered.
TEST_F(PackageMembers, FolderStartingWithADigitIsListedOnce) {
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(dravel1_.RegisterPackage(u"2nd Games\\T1", u"E:\\"));
  EXPECT_TRUE(dravel1_.IsInPackageList());
  EXPECT_EQ(StoredList(), u"trell_dravel1");
}

}  // namespace
