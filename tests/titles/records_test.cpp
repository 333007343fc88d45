#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32_api.h"
#include "tests/support/registry_override.h"
#include "harness/registry_values.h"
#include "tests/titles/title_test_state.h"
#include "titles/catalogue.h"
#include "tests/support/text_forms.h"

namespace {

using testsupport::WideOf;
using testsupport::WriteRaw;
using testsupport::WriteText;
using title_test::FileGuard;

// One title of each brand, with its key and the value that marks it installed.
struct Brand {
  const char* name;
  int row;
  HKEY root;
  const char16_t* key;
  const char16_t* marker;
};

const Brand kBrands[] = {
    {"KAVOR", 1, HKEY_LOCAL_MACHINE, u"Software\\Delvarin\\QRV.mr1", u"ExecuteProgram"},
    {"Nuva", 7, HKEY_CURRENT_USER, u"Software\\Nuva\\Box\\VELORIA", u"install_path"},
    {"TRELL", 15, HKEY_CURRENT_USER, u"Software\\Trell\\DRAVELB", u"INSTALL_PATH"},
};

const AppBase& Row(int row) {
  return *CatalogueRecords()[row - 1];
}

class TitleRecords : public testing::Test {
 protected:
  const AppBase& kavor_ = Row(1);
  const AppBase& nuva_ = Row(7);
  const AppBase& trell_ = Row(15);
  testsupport::RegistryOverride registry_;
};

struct MarkerCase {
  const char* what;
  DWORD type;
  std::vector<uint8_t> data;
  bool installed;
};

// Only a text value marks a title installed, whatever it holds; any other type under the marker's
// name does not.
TEST_F(TitleRecords, InstalledExactlyWhileTheMarkerHoldsText) {
  const std::vector<MarkerCase> cases = {
      {"REG_SZ", REG_SZ, {'D', 0, ':', 0, '\\', 0, 0, 0}, true},
      {"REG_EXPAND_SZ", REG_EXPAND_SZ, {'%', 0, 'X', 0, '%', 0, 0, 0}, true},
      {"REG_SZ holding only its NUL", REG_SZ, {0, 0}, true},
      {"REG_SZ of zero bytes", REG_SZ, {}, true},
      {"REG_DWORD", REG_DWORD, {1, 0, 0, 0}, false},
      {"REG_QWORD", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, false},
      {"REG_BINARY", REG_BINARY, {'D', 0, ':', 0, 0, 0}, false},
      {"REG_MULTI_SZ", REG_MULTI_SZ, {'D', 0, 0, 0, 0, 0}, false},
      {"REG_NONE", REG_NONE, {}, false},
  };
  for (const Brand& brand : kBrands) {
    const AppBase& title = Row(brand.row);
    EXPECT_FALSE(title.IsInstalled()) << brand.name << " without its key";
    ASSERT_EQ(WriteText(brand.root, brand.key, u"UNRELATED", u"D:\\"), ERROR_SUCCESS);
    EXPECT_FALSE(title.IsInstalled()) << brand.name << " without its marker";
    for (const MarkerCase& c : cases) {
      ASSERT_EQ(WriteRaw(brand.root, brand.key, brand.marker, c.type, c.data), ERROR_SUCCESS);
      EXPECT_EQ(title.IsInstalled(), c.installed) << brand.name << ", marker of type " << c.what;
    }
  }
}

// The registry matches value names without regard to case, so either spelling marks the title.
TEST_F(TitleRecords, MarkerNameIsMatchedWithoutRegardToCase) {
  ASSERT_EQ(WriteText(HKEY_LOCAL_MACHINE, kBrands[0].key, u"EXECUTEPROGRAM", u"D:\\X\\mr1.exe"),
            ERROR_SUCCESS);
  ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kBrands[1].key, u"INSTALL_PATH", u"E:\\Veloria\\"),
            ERROR_SUCCESS);
  ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kBrands[2].key, u"install_path", u"C:\\Games\\Dravel\\"),
            ERROR_SUCCESS);
  EXPECT_TRUE(kavor_.IsInstalled());
  EXPECT_TRUE(nuva_.IsInstalled());
  EXPECT_TRUE(trell_.IsInstalled());
  EXPECT_EQ(WideOf(kavor_.GetExecutablePath()), u"D:\\X\\mr1.exe");
  EXPECT_EQ(WideOf(nuva_.GetExecutablePath()), u"E:\\Veloria\\veloria.exe");
  EXPECT_EQ(WideOf(trell_.GetExecutablePath()), u"C:\\Games\\Dravel\\DRAVEL.exe");
}

struct PathCase {
  int brand;
  const char16_t* stored;
  DWORD type;
  const char16_t* executable;
};

// KAVOR stores the executable's path itself; the others store the folder, joined with one
// backslash to the executable's name.
TEST_F(TitleRecords, ExecutablePathFromTheStoredValue) {
  const PathCase cases[] = {
      {0, u"D:\\X\\mr1.exe", REG_SZ, u"D:\\X\\mr1.exe"},
      {0, u"D:/X//mr1.exe", REG_SZ, u"D:/X//mr1.exe"},
      {0, u"%ProgramFiles%\\X\\mr1.exe", REG_EXPAND_SZ, u"%ProgramFiles%\\X\\mr1.exe"},
      {2, u"C:\\Games\\Dravel\\", REG_SZ, u"C:\\Games\\Dravel\\DRAVEL.exe"},
      {2, u"C:\\Games\\Dravel", REG_SZ, u"C:\\Games\\Dravel\\DRAVEL.exe"},
      {2, u"C:/Games/Dravel/", REG_SZ, u"C:\\Games\\Dravel\\DRAVEL.exe"},
      {2, u"%ProgramFiles%\\Dravel\\", REG_EXPAND_SZ, u"%ProgramFiles%\\Dravel\\DRAVEL.exe"},
      {1, u"E:\\Nuva\\Veloria\\", REG_SZ, u"E:\\Nuva\\Veloria\\veloria.exe"},
      {1, u"E:\\", REG_SZ, u"E:\\veloria.exe"},
  };
  for (const PathCase& c : cases) {
    const Brand& brand = kBrands[c.brand];
    ASSERT_EQ(WriteText(brand.root, brand.key, brand.marker, c.stored, c.type), ERROR_SUCCESS);
    EXPECT_EQ(WideOf(Row(brand.row).GetExecutablePath()), c.executable)
        << brand.name << " storing " << testing::PrintToString(std::u16string(c.stored));
  }
}

TEST_F(TitleRecords, ExecutablePathWithoutATextMarker) {
  ASSERT_EQ(
      WriteRaw(HKEY_LOCAL_MACHINE, kBrands[0].key, u"ExecuteProgram", REG_DWORD, {7, 0, 0, 0}),
      ERROR_SUCCESS);
  EXPECT_EQ(WideOf(kavor_.GetExecutablePath()), u"");
  EXPECT_EQ(WideOf(trell_.GetExecutablePath()), u"\\DRAVEL.exe");
  EXPECT_EQ(WideOf(nuva_.GetExecutablePath()), u"\\veloria.exe");
}

class UserDataDirectory : public TitleRecords {
 protected:
  FileGuard files_;
  const std::u16string local_ = title_test::ShellFolder(CSIDL_LOCAL_APPDATA);
  const std::u16string roaming_ = title_test::ShellFolder(CSIDL_APPDATA);
};

// Windows redirects a user's writes into an install folder to the same path, without its drive,
// below the local application data's "VirtualStore".
TEST_F(UserDataDirectory, VirtualStoreMirrorOfTheInstallFolder) {
  const std::u16string mirror = local_ + u"\\VirtualStore\\Games\\Dravel";
  ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kBrands[2].key, u"INSTALL_PATH", u"C:\\Games\\Dravel\\"),
            ERROR_SUCCESS);
  EXPECT_EQ(WideOf(trell_.GetUserDataDirectory()), u"") << "before the mirror exists";
  files_.AddFolder(mirror);
  EXPECT_EQ(WideOf(trell_.GetUserDataDirectory()), mirror);

  ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kBrands[1].key, u"install_path", u"D:\\Games\\Dravel"),
            ERROR_SUCCESS);
  EXPECT_EQ(WideOf(nuva_.GetUserDataDirectory()), mirror) << "another drive, the same mirror";
}

TEST_F(UserDataDirectory, InstallPathWithoutBackslashIsJoinedWhole) {
  const std::u16string store = local_ + u"\\VirtualStore";
  files_.AddFolder(store + u"\\Dravel");
  ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kBrands[2].key, u"INSTALL_PATH", u"Dravel"),
            ERROR_SUCCESS);
  EXPECT_EQ(WideOf(trell_.GetUserDataDirectory()), store + u"\\Dravel");
}

TEST_F(UserDataDirectory, EmptyUnlessAnExistingFolder) {
  const std::u16string store = local_ + u"\\VirtualStore";
  files_.AddFolder(store + u"\\Games");
  files_.AddFile(store + u"\\Games\\Dravel");
  ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kBrands[2].key, u"INSTALL_PATH", u"C:\\Games\\Dravel\\"),
            ERROR_SUCCESS);
  EXPECT_EQ(WideOf(trell_.GetUserDataDirectory()), u"") << "a file of the mirror's name";

  // Without an install path the join would name the virtual store itself.
  ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kBrands[2].key, u"INSTALL_PATH", u""), ERROR_SUCCESS);
  EXPECT_EQ(WideOf(trell_.GetUserDataDirectory()), u"") << "an empty install path";
  ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kBrands[2].key, u"UNRELATED", u""), ERROR_SUCCESS);
  EXPECT_EQ(WideOf(nuva_.GetUserDataDirectory()), u"") << "no install path";
}

// The folder's name is a Japanese narrow literal, so this also takes it through the user's code
// page.
TEST_F(UserDataDirectory, KavorDataRoamsUnderTheMakersFolder) {
  const std::u16string folder = roaming_ + u"\\Delvarin\\ミルフェリア DVD-Edition";
  EXPECT_EQ(WideOf(kavor_.GetUserDataDirectory()), u"");
  files_.AddFolder(folder);
  EXPECT_EQ(WideOf(kavor_.GetUserDataDirectory()), folder);
}

#ifndef _WIN32

TEST_F(UserDataDirectory, EmptyWithoutTheShellFolder) {
  files_.AddFolder(local_ + u"\\VirtualStore\\Games\\Dravel");
  files_.AddFolder(roaming_ + u"\\Delvarin\\ミルフェリア DVD-Edition");
  ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kBrands[2].key, u"INSTALL_PATH", u"C:\\Games\\Dravel\\"),
            ERROR_SUCCESS);
  hostwin::ResetShell();
  EXPECT_EQ(WideOf(trell_.GetUserDataDirectory()), u"");
  EXPECT_EQ(WideOf(kavor_.GetUserDataDirectory()), u"");
}

class LaunchTitle : public TitleRecords {
 protected:
  void SetUp() override { hostwin::ResetShell(); }
  void TearDown() override { hostwin::ResetShell(); }
};

TEST_F(LaunchTitle, StartsTheExecutableInItsFolder) {
  ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kBrands[2].key, u"INSTALL_PATH", u"C:\\Games\\Dravel\\"),
            ERROR_SUCCESS);
  hostwin::SetShellExecuteResult(42);
  EXPECT_TRUE(trell_.LaunchTitle());
  hostwin::SetShellExecuteResult(2);
  EXPECT_FALSE(trell_.LaunchTitle());
  const auto& calls = hostwin::ShellExecuteCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].verb, u"open");
  EXPECT_EQ(calls[0].file, u"C:\\Games\\Dravel\\DRAVEL.exe");
  EXPECT_EQ(calls[0].parameters, u"");
  EXPECT_EQ(calls[0].directory, u"C:\\Games\\Dravel");
}

// Nothing checks the path first: the shell gets the empty path and its answer is the result.
TEST_F(LaunchTitle, EmptyPathIsStillHandedToTheShell) {
  hostwin::SetShellExecuteResult(33);
  EXPECT_TRUE(kavor_.LaunchTitle());
  hostwin::SetShellExecuteResult(32);
  EXPECT_FALSE(kavor_.LaunchTitle());
  const auto& calls = hostwin::ShellExecuteCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].file, u"");
  EXPECT_EQ(calls[1].directory, u"");
}

#else

TEST_F(TitleRecords, LaunchOfAMissingExecutableFails) {
  ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kBrands[2].key, u"INSTALL_PATH",
                      u"C:\\pack-tests-missing\\Dravel\\"),
            ERROR_SUCCESS);
  EXPECT_FALSE(trell_.LaunchTitle());
}

#endif

}  // namespace
