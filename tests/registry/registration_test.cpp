// Writing and deleting a title's registration entries under its own key.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/registration.h"
#include "registry/registry_access.h"
#include "tests/registry/scratch_registry.h"
#include "tests/support/text_forms.h"

namespace {

using testsupport::RawValue;
using testsupport::ReadRaw;
using testsupport::Text;
using testsupport::TextBytes;

const char* const kPathEntries[] = {"INSTALL_PATH=%dir%\\", "install_cd=%src%\\",
                                    "L_INST_PATH=%drive%\\", nullptr};

class Registration : public scratch::RegistryTest {
 protected:
  std::u16string TitleKey() const { return Scratch(u"Title"); }
  bool Write(const char* const* entries, const std::u16string& dir, const std::u16string& src) {
    return WriteRegistrationEntries(HKEY_CURRENT_USER, Text(TitleKey()), entries, Text(dir),
                                    Text(src));
  }
  RawValue Stored(const std::u16string& name) const {
    return ReadRaw(HKEY_CURRENT_USER, TitleKey(), name);
  }
  RawValue TextValue(const std::u16string& text) const {
    return RawValue{ERROR_SUCCESS, REG_SZ, TextBytes(text)};
  }
};

// Folders get backslashes and lose one trailing separator before they are put in; they are put
// in as they stand, "$" and placeholder-like names included.
TEST_F(Registration, PlaceholdersTakeTheNormalisedFoldersLiterally) {
  struct Case {
    std::u16string dir, src;
    std::u16string install_path, install_cd, drive_path;
  };
  const Case cases[] = {
      {u"C:/Games/Title/", u"D:/Setup", u"C:\\Games\\Title\\", u"D:\\Setup\\", u"D:\\"},
      {u"C:\\Games\\\\", u"D:\\", u"C:\\Games\\\\", u"D:\\", u"D:\\"},
      {u"C:\\Games", u"Setup", u"C:\\Games\\", u"Setup\\", u"Setup\\"},
      {u"D:\\$Games", u"E:\\a$1", u"D:\\$Games\\", u"E:\\a$1\\", u"E:\\"},
      {u"D:\\$&$$x$'", u"\\\\server\\$share", u"D:\\$&$$x$'\\", u"\\\\server\\$share\\",
       u"\\\\server\\$share\\"},
      {u"D:\\%src%", u"E:\\%drive%", u"D:\\%src%\\", u"E:\\%drive%\\", u"E:\\"},
      {u"3D Games", u"1:\\", u"3D Games\\", u"1:\\", u"1:\\"},
      {u"C:/a\\b//", u"/", u"C:\\a\\b\\\\", u"\\", u"\\"},
      {u"C:\\\u30b2\u30fc\u30e0", u"\uFF24:\\", u"C:\\\u30b2\u30fc\u30e0\\", u"\uFF24:\\",
       u"\uFF24:\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(scratch::Narrow(c.dir) + " from " + scratch::Narrow(c.src));
    ASSERT_TRUE(Write(kPathEntries, c.dir, c.src));
    EXPECT_EQ(Stored(u"INSTALL_PATH"), TextValue(c.install_path));
    EXPECT_EQ(Stored(u"install_cd"), TextValue(c.install_cd));
    EXPECT_EQ(Stored(u"L_INST_PATH"), TextValue(c.drive_path));
  }
}

// Whether a value is a number is read from the entry itself, so a folder that starts with a
// digit still gives text. A number is stored as the low 32 bits of its reading.
TEST_F(Registration, EntryValuesDecideTheirOwnType) {
  static const char* const entries[] = {
      "install_type=3",  "MEDIA_TYPE=0",   "minus=-1",       "plus=+8", "hex=0x10",
      "wide=4294967297", "MEDIA_NAME=DVD", "sign only=-",    "Empty=",  "formula=a=b",
      "path=%dir%\\x",   "no equals here", "=default value", nullptr};
  ASSERT_TRUE(Write(entries, u"7th Heaven", u"D:"));
  auto dword = [](DWORD n) {
    return RawValue{ERROR_SUCCESS,
                    REG_DWORD,
                    {static_cast<BYTE>(n), static_cast<BYTE>(n >> 8), static_cast<BYTE>(n >> 16),
                     static_cast<BYTE>(n >> 24)}};
  };
  EXPECT_EQ(Stored(u"install_type"), dword(3));
  EXPECT_EQ(Stored(u"MEDIA_TYPE"), dword(0));
  EXPECT_EQ(Stored(u"minus"), dword(0xFFFFFFFF));
  EXPECT_EQ(Stored(u"plus"), dword(8));
  EXPECT_EQ(Stored(u"hex"), dword(16));
  EXPECT_EQ(Stored(u"wide"), dword(1));
  EXPECT_EQ(Stored(u"MEDIA_NAME"), TextValue(u"DVD"));
  EXPECT_EQ(Stored(u"sign only"), TextValue(u"-"));
  EXPECT_EQ(Stored(u"Empty"), TextValue(u""));
  EXPECT_EQ(Stored(u"formula"), TextValue(u"a=b"));
  EXPECT_EQ(Stored(u"path"), TextValue(u"7th Heaven\\x"));
  EXPECT_EQ(Stored(u""), TextValue(u"default value"));
  EXPECT_EQ(Stored(u"no equals here").status, ERROR_FILE_NOT_FOUND);

  scratch::TestKey key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, ToWin(TitleKey().c_str()), 0, KEY_READ, key.out()),
            ERROR_SUCCESS);
  DWORD values = 0;
  ASSERT_EQ(RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             &values, nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(values, 12u) << "every line but the one without \"=\"";
}

TEST_F(Registration, UncreatableKeyFailsAtTheFirstEntry) {
  EXPECT_FALSE(WriteRegistrationEntries(HKEY_CURRENT_USER, Text(u"\\" + TitleKey()), kPathEntries,
                                        Text(u"C:\\Games"), Text(u"D:\\")));
  EXPECT_FALSE(testsupport::KeyExists(HKEY_CURRENT_USER, TitleKey()));
}

#ifndef _WIN32
// The values written before the failed one stay, the later ones are not written.
TEST_F(Registration, HostStopsAtTheFirstFailedWrite) {
  hostwin::SetRegistryCallHook([](const char* function, const std::u16string& name) -> LSTATUS {
    return std::string(function) == "RegSetValueExW" && name == u"install_cd" ? ERROR_ACCESS_DENIED
                                                                              : ERROR_SUCCESS;
  });
  EXPECT_FALSE(Write(kPathEntries, u"C:\\Games", u"D:\\"));
  hostwin::SetRegistryCallHook(nullptr);
  EXPECT_EQ(Stored(u"INSTALL_PATH"), TextValue(u"C:\\Games\\"));
  EXPECT_EQ(Stored(u"install_cd").status, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Stored(u"L_INST_PATH").status, ERROR_FILE_NOT_FOUND);
}
#endif

// Deleting removes exactly the entries' values and prunes the key once nothing else is in it;
// values of the same key that no entry names stay, and so does the key with them.
TEST_F(Registration, DeletingRemovesOnlyTheEntriesValues) {
  static const char* const entries[] = {"INSTALL_PATH=%dir%\\", "install_type=3", "no equals here",
                                        nullptr};
  const std::u16string sibling = Scratch(u"Sibling");
  ASSERT_TRUE(WriteRegistrationEntries(HKEY_CURRENT_USER, Text(sibling), entries, Text(u"C:\\B"),
                                       Text(u"D:")));
  ASSERT_TRUE(Write(entries, u"C:\\A", u"D:"));
  ASSERT_EQ(testsupport::WriteRaw(HKEY_CURRENT_USER, TitleKey(), u"no equals here", REG_SZ,
                                  TextBytes(u"foreign")),
            ERROR_SUCCESS);

  EXPECT_TRUE(DeleteRegistrationEntries(HKEY_CURRENT_USER, Text(TitleKey()), entries));
  EXPECT_EQ(Stored(u"INSTALL_PATH").status, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Stored(u"install_type").status, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Stored(u"no equals here"), TextValue(u"foreign"));

  ASSERT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, ToWin(TitleKey().c_str())), ERROR_SUCCESS);
  ASSERT_TRUE(Write(entries, u"C:\\A", u"D:"));
  EXPECT_TRUE(DeleteRegistrationEntries(HKEY_CURRENT_USER, Text(TitleKey()), entries));
  EXPECT_FALSE(testsupport::KeyExists(HKEY_CURRENT_USER, TitleKey()));
  EXPECT_TRUE(DeleteRegistrationEntries(HKEY_CURRENT_USER, Text(TitleKey()), entries))
      << "values whose key is gone are removed already";

  EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, sibling, u"INSTALL_PATH"), TextValue(u"C:\\B\\"));
  EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, sibling, u"install_type").type,
            static_cast<DWORD>(REG_DWORD));
}

// Unregistering counts a value that is already gone as removed, whether the key went with it or
// was emptied of the other values first; RegDeleteValueAndPrune still answers false for a missing
// key.
TEST_F(Registration, ValuesAlreadyGoneCountAsDeleted) {
  static const char* const entries[] = {"INSTALL_PATH=%dir%\\", "install_type=3", "MEDIA=DVD",
                                        nullptr};
  for (const char16_t* gone : {u"INSTALL_PATH", u"MEDIA"}) {
    SCOPED_TRACE(testing::Message() << "value #" << std::u16string(gone).size());
    ASSERT_TRUE(Write(entries, u"C:\\A", u"D:"));
    ASSERT_EQ(testsupport::DeleteValue(HKEY_CURRENT_USER, TitleKey(), gone), ERROR_SUCCESS);
    EXPECT_TRUE(DeleteRegistrationEntries(HKEY_CURRENT_USER, Text(TitleKey()), entries));
    EXPECT_FALSE(testsupport::KeyExists(HKEY_CURRENT_USER, TitleKey()));
  }
  EXPECT_TRUE(DeleteRegistrationEntries(HKEY_CURRENT_USER, Text(TitleKey()), entries))
      << "no key at all";
  EXPECT_FALSE(RegDeleteValueAndPrune(HKEY_CURRENT_USER, Text(TitleKey()), "MEDIA"));
}

#ifndef _WIN32
// A key that exists but cannot be opened holds values that were not removed.
TEST_F(Registration, HostValuesBehindARefusedKeyAreNotDeleted) {
  static const char* const entries[] = {"INSTALL_PATH=%dir%\\", nullptr};
  ASSERT_TRUE(Write(entries, u"C:\\A", u"D:"));
  hostwin::SetRegistryCallHook([](const char* function, const std::u16string&) -> LSTATUS {
    return std::string(function) == "RegOpenKeyExW" ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
  });
  EXPECT_FALSE(DeleteRegistrationEntries(HKEY_CURRENT_USER, Text(TitleKey()), entries));
  hostwin::SetRegistryCallHook(nullptr);
  EXPECT_EQ(Stored(u"INSTALL_PATH"), TextValue(u"C:\\A\\"));
}
#endif

}  // namespace
