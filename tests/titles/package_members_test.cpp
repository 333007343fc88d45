#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/win32_api.h"
#include "tests/titles/title_test_state.h"
#include "titles/catalogue.h"

namespace {

using title_test::KeyGuard;
using title_test::ReadText;
using title_test::SetText;

const char16_t kPackageKey[] = u"Software\\Delvarin\\morvex";
const char16_t kPackageList[] = u"installed_package_list";
const char16_t kDravel1Key[] = u"Software\\Trell\\DRAVELB";
const char16_t kDravel2Key[] = u"Software\\Trell\\DRAVEL2B";

std::optional<std::u16string> StoredList() {
  return ReadText(HKEY_LOCAL_MACHINE, kPackageKey, kPackageList);
}

// The title record's share of the package list: listed means installed and named in the list;
// registering writes the entries and lists the title once; unregistering undoes both.
class PackageMembers : public testing::Test {
 protected:
  AppBase& dravel1_ = *CatalogueRecords()[14];
  AppBase& dravel2_ = *CatalogueRecords()[15];
  KeyGuard package_key_{HKEY_LOCAL_MACHINE, kPackageKey};
  KeyGuard dravel1_key_{HKEY_CURRENT_USER, kDravel1Key};
  KeyGuard dravel2_key_{HKEY_CURRENT_USER, kDravel2Key};
};

TEST_F(PackageMembers, ListedCountsOnlyWhileInstalled) {
  SetText(HKEY_LOCAL_MACHINE, kPackageKey, kPackageList, u"trell_dravel1");
  EXPECT_FALSE(dravel1_.IsInPackageList());
  SetText(HKEY_CURRENT_USER, kDravel1Key, u"INSTALL_PATH", u"D:\\Dravel\\");
  EXPECT_TRUE(dravel1_.IsInPackageList());
  EXPECT_FALSE(dravel2_.IsInPackageList()) << "not installed, not listed";
  SetText(HKEY_CURRENT_USER, kDravel2Key, u"INSTALL_PATH", u"D:\\Dravel2\\");
  EXPECT_FALSE(dravel2_.IsInPackageList()) << "installed, not listed";
}

TEST_F(PackageMembers, RegisterListsOnceAndUnregisterUndoesIt) {
  ASSERT_TRUE(dravel1_.RegisterPackage(u"D:/Games/Dravel/", u"E:\\"));
  EXPECT_TRUE(dravel1_.IsInstalled());
  EXPECT_EQ(std::u16string(dravel1_.GetExecutablePath().Wide()), u"D:\\Games\\Dravel\\DRAVEL.exe");
  EXPECT_EQ(StoredList(), u"trell_dravel1");
  ASSERT_TRUE(dravel1_.RegisterPackage(u"D:\\Games\\Dravel", u"E:\\"));
  EXPECT_EQ(StoredList(), u"trell_dravel1") << "registered again, listed once";

  EXPECT_TRUE(dravel1_.UnregisterPackage());
  EXPECT_FALSE(dravel1_.IsInstalled());
  EXPECT_FALSE(title_test::KeyExists(HKEY_CURRENT_USER, kDravel1Key));
  EXPECT_EQ(StoredList(), std::nullopt);
}

TEST_F(PackageMembers, UnregisterLeavesOtherTitlesAlone) {
  ASSERT_TRUE(dravel1_.RegisterPackage(u"D:\\Dravel", u"E:\\"));
  ASSERT_TRUE(dravel2_.RegisterPackage(u"D:\\Dravel2", u"E:\\"));
  EXPECT_EQ(StoredList(), u"trell_dravel1,trell_dravel2");
  EXPECT_TRUE(dravel1_.UnregisterPackage());
  EXPECT_EQ(StoredList(), u"trell_dravel2");
  EXPECT_TRUE(dravel2_.IsInPackageList());
  EXPECT_EQ(std::u16string(dravel2_.GetExecutablePath().Wide()), u"D:\\Dravel2\\Dravel2.exe");
}

// A value already gone counts as removed: the rest goes, the emptied key with it, and the
// uninstaller is told that it succeeded.
TEST_F(PackageMembers, UnregisterSucceedsWhenAnEntryValueIsAlreadyGone) {
  for (const char* gone : {"MEDIA_TYPE", "SCRIPT_ARC", "INSTALL_TYPE"}) {
    SCOPED_TRACE(gone);
    ASSERT_TRUE(dravel1_.RegisterPackage(u"D:\\Dravel", u"E:\\"));
    title_test::DeleteValue(HKEY_CURRENT_USER, kDravel1Key,
                            std::u16string(gone, gone + std::char_traits<char>::length(gone)));
    EXPECT_TRUE(dravel1_.UnregisterPackage());
    EXPECT_FALSE(title_test::KeyExists(HKEY_CURRENT_USER, kDravel1Key));
    EXPECT_EQ(StoredList(), std::nullopt);
  }
}

// An installed title that is not listed is not the pack's to remove.
TEST_F(PackageMembers, UnregisterOfAnUnlistedTitleChangesNothing) {
  SetText(HKEY_LOCAL_MACHINE, kPackageKey, kPackageList, u"trell_dravel2");
  SetText(HKEY_CURRENT_USER, kDravel1Key, u"INSTALL_PATH", u"D:\\Dravel\\");
  EXPECT_TRUE(dravel1_.UnregisterPackage());
  EXPECT_TRUE(dravel1_.IsInstalled());
  EXPECT_EQ(StoredList(), u"trell_dravel2");
}

}  // namespace
