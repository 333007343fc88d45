// The seven registry functions, against the host substitute and the real registry.
#include "registry/registry_access.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/scoped_key.h"
#include "tests/registry/scratch_registry.h"
#include "tests/support/text_forms.h"

namespace {

using testsupport::RawValue;
using testsupport::ReadRaw;
using testsupport::Text;
using testsupport::TextBytes;
using testsupport::WideOf;
using testsupport::WriteRaw;

class RegistryAccess : public scratch::RegistryTest {
 protected:
  bool HasText(const std::u16string& name) {
    return RegHasTextValue(HKEY_CURRENT_USER, Text(Scratch()), Text(name));
  }
  std::u16string ReadText(const std::u16string& name) {
    return WideOf(RegReadText(HKEY_CURRENT_USER, Text(Scratch()), Text(name)));
  }
};

// What the two readers make of each kind of stored value. A text stored without its NUL keeps
// its last character; a half character at the end of an odd size is dropped; nothing is read
// past the stored bytes (the host run would report it).
TEST_F(RegistryAccess, ReadsOnlyTextTypesAndNeverPastTheStoredBytes) {
  struct Case {
    const char16_t* name;
    DWORD type;
    std::vector<BYTE> bytes;
    bool is_text;
    std::u16string text;
  };
  const std::vector<Case> cases = {
      {u"Path", REG_SZ, TextBytes(u"C:\\Games\\Title"), true, u"C:\\Games\\Title"},
      {u"Expand", REG_EXPAND_SZ, TextBytes(u"%SystemRoot%\\x"), true, u"%SystemRoot%\\x"},
      {u"Only NUL", REG_SZ, TextBytes(u""), true, u""},
      {u"No bytes", REG_SZ, {}, true, u""},
      {u"Unended", REG_SZ, TextBytes(u"ab", false), true, u"ab"},
      {u"Odd size", REG_SZ, {'a', 0, 'b', 0, 'c'}, true, u"ab"},
      {u"One byte", REG_SZ, {'a'}, true, u""},
      {u"Inner NUL", REG_SZ, TextBytes(std::u16string(u"a\0b", 3)), true, u"a"},
      {u"Japanese", REG_SZ, TextBytes(u"\u30b2\u30fc\u30e0"), true, u"\u30b2\u30fc\u30e0"},
      {u"Dword", REG_DWORD, {1, 0, 0, 0}, false, u""},
      {u"Binary", REG_BINARY, TextBytes(u"text"), false, u""},
      {u"Multi", REG_MULTI_SZ, TextBytes(std::u16string(u"a\0", 2)), false, u""},
      {u"Qword", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, false, u""},
      {u"None", REG_NONE, TextBytes(u"text"), false, u""},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, Scratch(), c.name, c.type, c.bytes), ERROR_SUCCESS);
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(scratch::Narrow(c.name));
    EXPECT_EQ(HasText(c.name), c.is_text);
    EXPECT_EQ(ReadText(c.name), c.text);
  }
}

TEST_F(RegistryAccess, MissingKeyOrValueReadsAsNoText) {
  ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, Scratch(), u"Present", REG_SZ, TextBytes(u"x")),
            ERROR_SUCCESS);
  EXPECT_FALSE(HasText(u"Absent"));
  EXPECT_EQ(ReadText(u"Absent"), u"");
  EXPECT_FALSE(RegHasTextValue(HKEY_CURRENT_USER, Text(Scratch(u"Missing")), Text(u"Present")));
  EXPECT_EQ(WideOf(RegReadText(HKEY_CURRENT_USER, Text(Scratch(u"Missing")), Text(u"Present"))),
            u"");
}

// Text goes out as REG_SZ with its NUL, numbers as four little-endian bytes.
TEST_F(RegistryAccess, WritesTextWithItsNulAndNumbersAsDwords) {
  const exlib::Tu_text key = Text(Scratch());
  ASSERT_TRUE(RegWriteText(HKEY_CURRENT_USER, key, Text(u"Path"), Text(u"C:\\\u30b2\u30fc\u30e0")));
  ASSERT_TRUE(RegWriteText(HKEY_CURRENT_USER, key, Text(u"Empty"), exlib::Tu_text()));
  ASSERT_TRUE(RegWriteDword(HKEY_CURRENT_USER, key, Text(u"All ones"), 0xFFFFFFFF));
  ASSERT_TRUE(RegWriteDword(HKEY_CURRENT_USER, key, Text(u"Order"), 0x01020304));
  ASSERT_TRUE(RegWriteText(HKEY_CURRENT_USER, key, exlib::Tu_text(), Text(u"default")));

  EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, Scratch(), u"Path"),
            (RawValue{ERROR_SUCCESS, REG_SZ, TextBytes(u"C:\\\u30b2\u30fc\u30e0")}));
  EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, Scratch(), u"Empty"),
            (RawValue{ERROR_SUCCESS, REG_SZ, {0, 0}}));
  EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, Scratch(), u"All ones"),
            (RawValue{ERROR_SUCCESS, REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}}));
  EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, Scratch(), u"Order"),
            (RawValue{ERROR_SUCCESS, REG_DWORD, {4, 3, 2, 1}}));
  EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, Scratch(), u""),
            (RawValue{ERROR_SUCCESS, REG_SZ, TextBytes(u"default")}));
}

TEST_F(RegistryAccess, MebibyteTextRoundTrips) {
  std::u16string large(512 * 1024 - 1, u'x');
  for (size_t i = 0; i < large.size(); i += 1000) large[i] = static_cast<char16_t>(u'A' + i % 26);
  ASSERT_TRUE(RegWriteText(HKEY_CURRENT_USER, Text(Scratch()), Text(u"Large"), Text(large)));
  EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, Scratch(), u"Large").bytes.size(), 1024u * 1024u);
  EXPECT_TRUE(HasText(u"Large"));
  EXPECT_EQ(ReadText(u"Large"), large);
}

// Writes create the key with its missing parents; trailing backslashes name the same key.
TEST_F(RegistryAccess, WritesCreateTheKeyNamedWithoutTrailingBackslashes) {
  ASSERT_TRUE(RegWriteDword(HKEY_CURRENT_USER, Text(Scratch(u"A\\B\\C")), Text(u"Deep"), 1));
  ASSERT_TRUE(
      RegWriteText(HKEY_CURRENT_USER, Text(Scratch(u"A\\B\\\\\\")), Text(u"Trailing"), Text(u"t")));
  EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, Scratch(u"A\\B\\C"), u"Deep").type,
            static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, Scratch(u"A\\B"), u"Trailing").bytes, TextBytes(u"t"));
}

TEST_F(RegistryAccess, OpenOrCreateHandsOutTheKeyWithAllAccess) {
  const ScopedKey key(RegOpenOrCreateKey(HKEY_CURRENT_USER, Text(Scratch(u"Owned\\"))));
  ASSERT_TRUE(key);
  const BYTE one[4] = {1, 0, 0, 0};
  EXPECT_EQ(RegSetValueExW(key.Get(), ToWin(u"Set"), 0, REG_DWORD, one, 4), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueW(key.Get(), ToWin(u"Set")), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(key.Get(), ToWin(u"Set"), 0, REG_DWORD, one, 4), ERROR_SUCCESS);
  EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, Scratch(u"Owned"), u"Set").bytes,
            (std::vector<BYTE>{1, 0, 0, 0}));
}

// A key that cannot be created is not replaced by a parent that can: here every parent down to
// the root itself can be opened, and the value must land nowhere.
TEST_F(RegistryAccess, UncreatableKeyGivesNoHandleRatherThanAParent) {
  const std::u16string marker =
      u"PackTestsStray" +
      scratch::Widen(testing::UnitTest::GetInstance()->current_test_info()->name());
  const exlib::Tu_text uncreatable = Text(u"\\" + Scratch(u"Leaf"));
  EXPECT_EQ(RegOpenOrCreateKey(HKEY_CURRENT_USER, uncreatable), nullptr);
  EXPECT_FALSE(RegWriteText(HKEY_CURRENT_USER, uncreatable, Text(marker), Text(u"x")));
  EXPECT_FALSE(RegWriteDword(HKEY_CURRENT_USER, uncreatable, Text(marker), 1));
  EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, u"", marker).status, ERROR_FILE_NOT_FOUND);
  RegDeleteValueW(HKEY_CURRENT_USER, ToWin(marker.c_str()));
}

#ifndef _WIN32
// The fallback: when the key cannot be created at first, its parent is made and the key itself
// is tried once more; if it still fails, there is no handle and nothing is written anywhere.
TEST_F(RegistryAccess, HostCreationRetriedOnceAfterTheParent) {
  const std::u16string leaf = Scratch(u"Parent\\Leaf");
  for (int failures : {1, 2}) {
    SCOPED_TRACE(failures);
    hostwin::ResetRegistry();
    int left = failures;
    std::vector<std::u16string> created;
    hostwin::SetRegistryCallHook([&](const char* function, const std::u16string& name) -> LSTATUS {
      if (std::string(function) != "RegCreateKeyExW")
        return ERROR_SUCCESS;
      created.push_back(name);
      return name == leaf && left-- > 0 ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
    });
    const bool written = RegWriteText(HKEY_CURRENT_USER, Text(leaf), Text(u"Value"), Text(u"v"));
    hostwin::SetRegistryCallHook(nullptr);
    EXPECT_EQ(written, failures == 1);
    EXPECT_EQ(created, (std::vector<std::u16string>{leaf, Scratch(u"Parent"), leaf}));
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, leaf, u"Value").status,
              failures == 1 ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, Scratch(u"Parent"), u"Value").status,
              ERROR_FILE_NOT_FOUND);
  }
}

// The value or its key changes between the query for the size and the read: the result is the
// empty text or the shorter text, never more than the buffer holds, and no handle stays open.
TEST_F(RegistryAccess, HostValueChangingBetweenTheTwoQueries) {
  struct Case {
    const char* change;
    std::u16string expected;
  };
  const Case cases[] = {{"delete key", u""},
                        {"grow", u""},
                        {"shrink", u"ab"},
                        {"to dword", u""},
                        {"none", u"abcdef"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.change);
    hostwin::ResetRegistry();
    ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, Scratch(), u"Value", REG_SZ, TextBytes(u"abcdef")),
              ERROR_SUCCESS);
    int queries = 0;
    hostwin::SetRegistryCallHook([&](const char* function, const std::u16string&) -> LSTATUS {
      if (std::string(function) != "RegQueryValueExW" || ++queries != 2)
        return ERROR_SUCCESS;
      const std::string change = c.change;
      if (change == "delete key") {
        scratch::TestKey key;
        EXPECT_EQ(
            RegOpenKeyExW(HKEY_CURRENT_USER, ToWin(Scratch().c_str()), 0, KEY_READ, key.out()),
            ERROR_SUCCESS);
        EXPECT_EQ(RegDeleteKeyW(key.get(), ToWin(u"")), ERROR_SUCCESS);
      } else if (change == "grow") {
        EXPECT_EQ(WriteRaw(HKEY_CURRENT_USER, Scratch(), u"Value", REG_SZ, TextBytes(u"abcdefgh")),
                  ERROR_SUCCESS);
      } else if (change == "shrink") {
        EXPECT_EQ(WriteRaw(HKEY_CURRENT_USER, Scratch(), u"Value", REG_SZ, TextBytes(u"ab", false)),
                  ERROR_SUCCESS);
      } else if (change == "to dword") {
        EXPECT_EQ(WriteRaw(HKEY_CURRENT_USER, Scratch(), u"Value", REG_DWORD, {'a', 0, 'b', 0}),
                  ERROR_SUCCESS);
      }
      return ERROR_SUCCESS;
    });
    EXPECT_EQ(ReadText(u"Value"), c.expected);
    hostwin::SetRegistryCallHook(nullptr);
    EXPECT_EQ(queries, 2);
    EXPECT_EQ(hostwin::OpenRegistryKeyCount(), 0u);
  }
}
#endif

// Deleting the last value removes the key, but never a key that still has a subkey or another
// value, nor a parent; a missing value leaves even an empty key alone.
TEST_F(RegistryAccess, DeleteValueAndPruneRemovesOnlyTheEmptiedKey) {
  struct Case {
    const char* what;
    std::vector<const char16_t*> values;
    bool with_subkey;
    bool key_stays;
    bool value_stays_named_other;
  };
  const Case cases[] = {
      {"last value", {u"Value"}, false, false, false},
      {"another value", {u"Value", u"Other"}, false, true, true},
      {"a subkey", {u"Value"}, true, true, false},
      {"value missing", {}, false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::u16string key = Scratch(u"Parent\\Key");
    scratch::TestKey created;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, ToWin(key.c_str()), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, created.out(), nullptr),
              ERROR_SUCCESS);
    created.Close();
    for (const char16_t* name : c.values) {
      ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, key, name, REG_SZ, TextBytes(u"v")), ERROR_SUCCESS);
    }
    if (c.with_subkey) {
      ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, key + u"\\Sub", u"v", REG_SZ, TextBytes(u"v")),
                ERROR_SUCCESS);
    }

    EXPECT_TRUE(RegDeleteValueAndPrune(HKEY_CURRENT_USER, Text(key), Text(u"value")));
    EXPECT_EQ(testsupport::KeyExists(HKEY_CURRENT_USER, key), c.key_stays);
    EXPECT_TRUE(testsupport::KeyExists(HKEY_CURRENT_USER, Scratch(u"Parent")));
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, key, u"Value").status, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, key, u"Other").status == ERROR_SUCCESS,
              c.value_stays_named_other);
    RemoveScratchKeys();
  }
}

TEST_F(RegistryAccess, DeleteValueAndPruneFailsOnAMissingKey) {
  EXPECT_FALSE(
      RegDeleteValueAndPrune(HKEY_CURRENT_USER, Text(Scratch(u"Missing")), Text(u"Value")));
  EXPECT_FALSE(testsupport::KeyExists(HKEY_CURRENT_USER, Scratch(u"Missing")));
}

}  // namespace
