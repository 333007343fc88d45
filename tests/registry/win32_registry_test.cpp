// The registry calls themselves, as the system relies on them: the same expectations hold for the
// host substitute and for the real registry under Wine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32_api.h"
#include "tests/registry/scratch_registry.h"

namespace {

using scratch::TestKey;
using testsupport::RawValue;
using testsupport::ReadRaw;

class Win32Registry : public scratch::RegistryTest {
 protected:
  LSTATUS Create(TestKey& key, const std::u16string& path, REGSAM access = KEY_ALL_ACCESS,
                 DWORD* disposition = nullptr, HKEY root = HKEY_CURRENT_USER) {
    return RegCreateKeyExW(root, ToWin(path.c_str()), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                           nullptr, key.out(), disposition);
  }
  LSTATUS Open(TestKey& key, const std::u16string& path, REGSAM access = KEY_READ) {
    return RegOpenKeyExW(HKEY_CURRENT_USER, ToWin(path.c_str()), 0, access, key.out());
  }
};

LSTATUS SetBytes(HKEY key, const char16_t* name, DWORD type, const std::vector<BYTE>& bytes) {
  return RegSetValueExW(key, ToWin(name), 0, type, bytes.data(), static_cast<DWORD>(bytes.size()));
}

LSTATUS SetText(HKEY key, const char16_t* name, const std::u16string& text) {
  return RegSetValueExW(key, ToWin(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>((text.size() + 1) * 2));
}

DWORD CountOf(HKEY key, bool subkeys) {
  DWORD subkey_count = 99;
  DWORD value_count = 99;
  EXPECT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkey_count, nullptr, nullptr,
                             &value_count, nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  return subkeys ? subkey_count : value_count;
}

TEST_F(Win32Registry, CreatesMissingParentsAndOpensExistingKeys) {
  TestKey key;
  DWORD disposition = 0;
  ASSERT_EQ(Create(key, Scratch(u"A\\B\\C"), KEY_ALL_ACCESS, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  EXPECT_EQ(Open(key, Scratch(u"A\\B")), ERROR_SUCCESS);
  EXPECT_EQ(CountOf(key.get(), true), 1u);
  ASSERT_EQ(Create(key, Scratch(u"a\\b\\c"), KEY_ALL_ACCESS, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
}

TEST_F(Win32Registry, MissingKeyFailsAndClearsTheHandle) {
  HKEY key = reinterpret_cast<HKEY>(static_cast<UINT_PTR>(0x1234));
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, ToWin(Scratch(u"Missing\\Deeper").c_str()), 0,
                          KEY_READ, &key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
}

// Key path components and value names match without regard to case, beyond ASCII too; letters
// that differ by more than case stay different.
TEST_F(Win32Registry, NamesMatchWithoutRegardToCase) {
  struct Case {
    const char16_t* stored;
    const char16_t* asked;
    bool same;
  };
  const Case cases[] = {
      {u"Install_Path", u"INSTALL_PATH", true},
      {u"\u00C4pfel", u"\u00E4PFEL", true},
      {u"\u0416\u0443\u043A", u"\u0436\u0423\u041A", true},
      {u"\uFF38", u"\uFF58", true},
      {u"\u00C4", u"A", false},
      {u"Name", u"Name ", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.same ? "same: " : "different: ") + std::to_string(c.stored[0]));
    TestKey key;
    ASSERT_EQ(Create(key, Scratch(c.stored)), ERROR_SUCCESS);
    ASSERT_EQ(SetText(key.get(), c.stored, u"x"), ERROR_SUCCESS);
    TestKey reopened;
    EXPECT_EQ(Open(reopened, Scratch(c.asked)), c.same ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ReadRaw(key.get(), c.asked).status, c.same ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
  }
}

TEST_F(Win32Registry, PathsSkipRepeatedAndTrailingBackslashesButNotALeadingOne) {
  TestKey key;
  ASSERT_EQ(Create(key, Scratch(u"Double\\\\Trail\\\\")), ERROR_SUCCESS);
  EXPECT_EQ(Open(key, Scratch(u"Double\\Trail")), ERROR_SUCCESS);
  EXPECT_EQ(Open(key, Scratch(u"Double\\Trail\\")), ERROR_SUCCESS);
  EXPECT_EQ(Create(key, u"\\" + Scratch(u"Lead")), ERROR_BAD_PATHNAME);
  EXPECT_EQ(key.get(), nullptr);
}

// Values keep the bytes they were given, whatever the type says they should hold.
TEST_F(Win32Registry, ValuesKeepTheirBytesAndType) {
  struct Case {
    const char16_t* name;
    DWORD type;
    std::vector<BYTE> bytes;
  };
  const std::vector<Case> cases = {
      {u"Empty text", REG_SZ, {}},
      {u"Odd text", REG_SZ, {'a', 0, 'b'}},
      {u"Expand", REG_EXPAND_SZ, {'%', 0, 'X', 0, '%', 0, 0, 0}},
      {u"Short dword", REG_DWORD, {1, 2, 3}},
      {u"Dword", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}},
      {u"Binary", REG_BINARY, {0, 1, 0, 0, 0}},
      {u"Multi", REG_MULTI_SZ, {'a', 0, 0, 0, 0, 0}},
      {u"Qword", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0x80}},
  };
  TestKey key;
  ASSERT_EQ(Create(key, Scratch()), ERROR_SUCCESS);
  for (const Case& c : cases) {
    std::vector<BYTE> given = c.bytes;
    given.insert(given.end(), {'!', '!', '!', '!'});  // a text never runs into a NUL behind it
    ASSERT_EQ(RegSetValueExW(key.get(), ToWin(c.name), 0, c.type, given.data(),
                             static_cast<DWORD>(c.bytes.size())),
              ERROR_SUCCESS);
  }
  EXPECT_EQ(CountOf(key.get(), false), cases.size());
  for (const Case& c : cases) {
    RawValue stored = ReadRaw(key.get(), c.name);
    EXPECT_EQ(stored.status, ERROR_SUCCESS);
    EXPECT_EQ(stored.type, c.type);
    EXPECT_EQ(stored.bytes, c.bytes) << "value " << std::to_string(c.type);
  }
}

// Without a buffer the query reports type and size; a buffer too small gets ERROR_MORE_DATA
// with the size needed and is left untouched.
TEST_F(Win32Registry, QueryReportsSizesAndRefusesSmallBuffers) {
  TestKey key;
  ASSERT_EQ(Create(key, Scratch()), ERROR_SUCCESS);
  ASSERT_EQ(SetText(key.get(), u"Path", u"C:\\"), ERROR_SUCCESS);

  DWORD type = 0;
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(key.get(), ToWin(u"Path"), nullptr, &type, nullptr, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(RegQueryValueExW(key.get(), ToWin(u"Path"), nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);

  BYTE buffer[8] = {9, 9, 9, 9, 9, 9, 9, 9};
  size = 6;
  EXPECT_EQ(RegQueryValueExW(key.get(), ToWin(u"Path"), nullptr, &type, buffer, &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(buffer[0], 9);
  EXPECT_EQ(RegQueryValueExW(key.get(), ToWin(u"Path"), nullptr, &type, buffer, nullptr),
            ERROR_INVALID_PARAMETER);
  size = 8;
  EXPECT_EQ(RegQueryValueExW(key.get(), ToWin(u"Missing"), nullptr, &type, buffer, &size),
            ERROR_FILE_NOT_FOUND);
}

// A text stored without its NUL comes back without it. A buffer with room to spare gets a NUL
// written behind it (not counted); one of exactly the size does not.
TEST_F(Win32Registry, TextWithoutNulIsEndedOnlyWhereTheBufferHasRoom) {
  TestKey key;
  ASSERT_EQ(Create(key, Scratch()), ERROR_SUCCESS);
  const char16_t unended[] = u"abX";
  ASSERT_EQ(RegSetValueExW(key.get(), ToWin(u"Unended"), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(unended), 4),
            ERROR_SUCCESS);

  BYTE buffer[8];
  std::fill(std::begin(buffer), std::end(buffer), 0xEE);
  DWORD size = 4;
  ASSERT_EQ(RegQueryValueExW(key.get(), ToWin(u"Unended"), nullptr, nullptr, buffer, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(std::vector<BYTE>(buffer, buffer + 6), (std::vector<BYTE>{'a', 0, 'b', 0, 0xEE, 0xEE}));

  size = 8;
  ASSERT_EQ(RegQueryValueExW(key.get(), ToWin(u"Unended"), nullptr, nullptr, buffer, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(std::vector<BYTE>(buffer, buffer + 6), (std::vector<BYTE>{'a', 0, 'b', 0, 0, 0}));
}

// A caller that leaves the NUL out of the count while it follows in memory gets it stored.
TEST_F(Win32Registry, TextCountMissingItsNulIsExtendedWhenTheNulFollows) {
  TestKey key;
  ASSERT_EQ(Create(key, Scratch()), ERROR_SUCCESS);
  const char16_t text[] = u"ab";
  ASSERT_EQ(
      RegSetValueExW(key.get(), ToWin(u"Text"), 0, REG_SZ, reinterpret_cast<const BYTE*>(text), 4),
      ERROR_SUCCESS);
  EXPECT_EQ(ReadRaw(key.get(), u"Text").bytes, (std::vector<BYTE>{'a', 0, 'b', 0, 0, 0}));
  ASSERT_EQ(RegSetValueExW(key.get(), ToWin(u"Binary"), 0, REG_BINARY,
                           reinterpret_cast<const BYTE*>(text), 4),
            ERROR_SUCCESS);
  EXPECT_EQ(ReadRaw(key.get(), u"Binary").bytes.size(), 4u);
}

TEST_F(Win32Registry, SettingAValueAgainReplacesItAndItsType) {
  TestKey key;
  ASSERT_EQ(Create(key, Scratch()), ERROR_SUCCESS);
  ASSERT_EQ(SetText(key.get(), u"Marker", u"text"), ERROR_SUCCESS);
  ASSERT_EQ(SetBytes(key.get(), u"MARKER", REG_DWORD, {7, 0, 0, 0}), ERROR_SUCCESS);
  EXPECT_EQ(CountOf(key.get(), false), 1u);
  RawValue stored = ReadRaw(key.get(), u"marker");
  EXPECT_EQ(stored.type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(stored.bytes, (std::vector<BYTE>{7, 0, 0, 0}));
}

TEST_F(Win32Registry, NullAndEmptyNameBothNameTheDefaultValue) {
  TestKey key;
  ASSERT_EQ(Create(key, Scratch()), ERROR_SUCCESS);
  ASSERT_EQ(
      RegSetValueExW(key.get(), nullptr, 0, REG_BINARY, reinterpret_cast<const BYTE*>("z"), 1),
      ERROR_SUCCESS);
  EXPECT_EQ(ReadRaw(key.get(), u"").bytes, std::vector<BYTE>{'z'});
  EXPECT_EQ(RegDeleteValueW(key.get(), ToWin(u"")), ERROR_SUCCESS);
  EXPECT_EQ(CountOf(key.get(), false), 0u);
}

TEST_F(Win32Registry, DeletingAValueRemovesOnlyThatOne) {
  TestKey key;
  ASSERT_EQ(Create(key, Scratch(u"Sub")), ERROR_SUCCESS);
  ASSERT_EQ(Create(key, Scratch()), ERROR_SUCCESS);
  ASSERT_EQ(SetText(key.get(), u"One", u"1"), ERROR_SUCCESS);
  ASSERT_EQ(SetText(key.get(), u"Two", u"2"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueW(key.get(), ToWin(u"ONE")), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueW(key.get(), ToWin(u"One")), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(CountOf(key.get(), false), 1u);
  EXPECT_EQ(CountOf(key.get(), true), 1u);
  EXPECT_EQ(ReadRaw(key.get(), u"Two").status, ERROR_SUCCESS);
}

// A read handle cannot change values and a write handle cannot read them.
TEST_F(Win32Registry, HandlesGrantOnlyTheRightsTheyWereOpenedWith) {
  TestKey all;
  ASSERT_EQ(Create(all, Scratch()), ERROR_SUCCESS);
  ASSERT_EQ(SetText(all.get(), u"Kept", u"before"), ERROR_SUCCESS);

  TestKey read;
  ASSERT_EQ(Open(read, Scratch(), KEY_READ), ERROR_SUCCESS);
  EXPECT_EQ(SetText(read.get(), u"Kept", u"after"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(SetText(read.get(), u"New", u"after"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteValueW(read.get(), ToWin(u"Kept")), ERROR_ACCESS_DENIED);
  EXPECT_EQ(ReadRaw(read.get(), u"Kept").bytes, ReadRaw(all.get(), u"Kept").bytes);
  EXPECT_EQ(CountOf(all.get(), false), 1u);

  TestKey write;
  ASSERT_EQ(Open(write, Scratch(), KEY_WRITE), ERROR_SUCCESS);
  EXPECT_EQ(ReadRaw(write.get(), u"Kept").status, ERROR_ACCESS_DENIED);
  EXPECT_EQ(SetText(write.get(), u"Kept", u"after"), ERROR_SUCCESS);
}

// RegDeleteKeyW with an empty subkey removes the key a handle names, and only once it has no
// subkeys. Every handle to a deleted key then answers ERROR_KEY_DELETED, even after a key of
// the same name has been created again; a handle's missing rights are reported first.
TEST_F(Win32Registry, DeletedKeyAnswersKeyDeletedThroughEveryHandle) {
  TestKey leaf;
  ASSERT_EQ(Create(leaf, Scratch(u"Parent\\Leaf")), ERROR_SUCCESS);
  ASSERT_EQ(SetText(leaf.get(), u"Value", u"v"), ERROR_SUCCESS);
  TestKey parent;
  ASSERT_EQ(Open(parent, Scratch(u"Parent"), KEY_ALL_ACCESS), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyW(parent.get(), ToWin(u"")), ERROR_ACCESS_DENIED);
  EXPECT_EQ(CountOf(parent.get(), true), 1u);

  TestKey other;
  ASSERT_EQ(Open(other, Scratch(u"Parent\\Leaf"), KEY_READ), ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteKeyW(other.get(), ToWin(u"")), ERROR_SUCCESS)
      << "needs no right on the handle";
  EXPECT_EQ(CountOf(parent.get(), true), 0u);

  TestKey again;
  DWORD disposition = 0;
  ASSERT_EQ(Create(again, Scratch(u"Parent\\Leaf"), KEY_ALL_ACCESS, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  EXPECT_EQ(CountOf(again.get(), false), 0u);

  DWORD count = 0;
  DWORD size = 0;
  TestKey child;
  for (HKEY deleted : {leaf.get(), other.get()}) {
    const LSTATUS writing = deleted == other.get() ? ERROR_ACCESS_DENIED : ERROR_KEY_DELETED;
    EXPECT_EQ(RegQueryValueExW(deleted, ToWin(u"Value"), nullptr, nullptr, nullptr, &size),
              ERROR_KEY_DELETED);
    EXPECT_EQ(SetText(deleted, u"Value", u"w"), writing);
    EXPECT_EQ(RegDeleteValueW(deleted, ToWin(u"Value")), writing);
    EXPECT_EQ(RegQueryInfoKeyW(deleted, nullptr, nullptr, nullptr, &count, nullptr, nullptr, &count,
                               nullptr, nullptr, nullptr, nullptr),
              ERROR_KEY_DELETED);
    EXPECT_EQ(RegOpenKeyExW(deleted, ToWin(u""), 0, KEY_READ, child.out()), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCreateKeyExW(deleted, ToWin(u"Child"), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              child.out(), nullptr),
              ERROR_KEY_DELETED);
    EXPECT_EQ(RegDeleteKeyW(deleted, ToWin(u"")), ERROR_KEY_DELETED);
  }
  EXPECT_EQ(CountOf(again.get(), false), 0u);
  EXPECT_EQ(leaf.Close(), ERROR_SUCCESS);
}

TEST_F(Win32Registry, RootsCannotBeDeletedAndClosedHandlesAreInvalid) {
  TestKey root;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, ToWin(u""), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            root.out(), nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyW(root.get(), ToWin(u"")), ERROR_ACCESS_DENIED);
  HKEY key = root.get();
  EXPECT_EQ(root.Close(), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

// Puts HKEY_CURRENT_USER back on the way out of a test that points it elsewhere.
class CurrentUserOverride {
 public:
  explicit CurrentUserOverride(HKEY target) {
    status_ = RegOverridePredefKey(HKEY_CURRENT_USER, target);
  }
  CurrentUserOverride(const CurrentUserOverride&) = delete;
  CurrentUserOverride& operator=(const CurrentUserOverride&) = delete;
  ~CurrentUserOverride() { RegOverridePredefKey(HKEY_CURRENT_USER, nullptr); }
  LSTATUS status() const { return status_; }

 private:
  LSTATUS status_;
};

// An overridden predefined key names the key it was pointed at, whose handle may be closed at
// once, until a null key restores its own.
TEST_F(Win32Registry, OverriddenRootNamesTheGivenKeyUntilRestored) {
  const std::u16string probe = Scratch(u"Probe");
  TestKey target;
  ASSERT_EQ(Create(target, Scratch(u"Target")), ERROR_SUCCESS);
  {
    CurrentUserOverride redirected(target.get());
    ASSERT_EQ(redirected.status(), ERROR_SUCCESS);
    ASSERT_EQ(target.Close(), ERROR_SUCCESS);
    EXPECT_FALSE(testsupport::KeyExists(HKEY_CURRENT_USER, Scratch())) << "the real key shows";
    ASSERT_EQ(testsupport::WriteText(HKEY_CURRENT_USER, probe, u"Where", u"target"), ERROR_SUCCESS);
    ASSERT_EQ(testsupport::WriteText(HKEY_CURRENT_USER, u"", u"Top", u"target"), ERROR_SUCCESS);
    TestKey root;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, nullptr, 0, KEY_READ, root.out()), ERROR_SUCCESS);
    EXPECT_EQ(CountOf(root.get(), false), 1u);
  }
  EXPECT_FALSE(testsupport::KeyExists(HKEY_CURRENT_USER, probe));
  EXPECT_EQ(testsupport::ReadText(HKEY_CURRENT_USER, Scratch(u"Target\\") + probe, u"Where"),
            u"target");
  EXPECT_EQ(testsupport::ReadText(HKEY_CURRENT_USER, Scratch(u"Target"), u"Top"), u"target");
}

// Only a predefined key can be pointed elsewhere, and only at a key opened by the caller.
TEST_F(Win32Registry, OverrideRefusesAnOrdinaryKeyAndAPredefinedTarget) {
  TestKey ordinary;
  TestKey target;
  ASSERT_EQ(Create(ordinary, Scratch(u"Ordinary")), ERROR_SUCCESS);
  ASSERT_EQ(Create(target, Scratch(u"Target")), ERROR_SUCCESS);
  EXPECT_NE(RegOverridePredefKey(ordinary.get(), target.get()), ERROR_SUCCESS);
  {
    CurrentUserOverride redirected(HKEY_LOCAL_MACHINE);
    EXPECT_NE(redirected.status(), ERROR_SUCCESS);
  }
  EXPECT_TRUE(testsupport::KeyExists(HKEY_CURRENT_USER, Scratch(u"Ordinary")));
}

#ifdef _WIN32
// The override holds in this process only: a child process reads the real keys.
TEST_F(Win32Registry, OverrideLeavesChildProcessesTheRealKeys) {
  TestKey target;
  ASSERT_EQ(Create(target, Scratch(u"Target")), ERROR_SUCCESS);
  CurrentUserOverride redirected(target.get());
  ASSERT_EQ(redirected.status(), ERROR_SUCCESS);
  ASSERT_FALSE(testsupport::KeyExists(HKEY_CURRENT_USER, Scratch(u"Target")));

  std::u16string command = u"reg.exe query \"HKCU\\" + Scratch(u"Target") + u"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessW(nullptr, ToWin(command.data()), nullptr, nullptr, FALSE,
                             CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process));
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exit_code = 99;
  GetExitCodeProcess(process.hProcess, &exit_code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_EQ(exit_code, 0u) << "reg.exe did not find the key in the real HKEY_CURRENT_USER";
}
#endif

#ifndef _WIN32
TEST_F(Win32Registry, HostCountsEveryOpenHandle) {
  TestKey first;
  TestKey second;
  ASSERT_EQ(Create(first, Scratch()), ERROR_SUCCESS);
  ASSERT_EQ(Open(second, Scratch()), ERROR_SUCCESS);
  EXPECT_EQ(hostwin::OpenRegistryKeyCount(), 2u);
  TestKey root;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, ToWin(u""), 0, KEY_READ, root.out()), ERROR_SUCCESS);
  EXPECT_EQ(root.get(), HKEY_LOCAL_MACHINE);
  EXPECT_EQ(hostwin::OpenRegistryKeyCount(), 2u) << "a predefined root is no open handle";
  first.Close();
  EXPECT_EQ(hostwin::OpenRegistryKeyCount(), 1u);
}

// A hook can fail a call, leaving everything as it was, and can change the registry between two
// calls; its own registry calls do not run it again.
TEST_F(Win32Registry, HostHookFailsCallsAndActsBetweenThem) {
  std::vector<std::string> seen;
  hostwin::SetRegistryCallHook([&](const char* function, const std::u16string& name) -> LSTATUS {
    seen.push_back(function);
    if (name == u"Refused")
      return ERROR_ACCESS_DENIED;
    if (name == u"Doomed") {
      TestKey key;
      EXPECT_EQ(Open(key, Scratch(), KEY_ALL_ACCESS), ERROR_SUCCESS);
      EXPECT_EQ(RegDeleteKeyW(key.get(), ToWin(u"")), ERROR_SUCCESS);
    }
    return ERROR_SUCCESS;
  });
  TestKey key;
  ASSERT_EQ(Create(key, Scratch()), ERROR_SUCCESS);
  EXPECT_EQ(SetText(key.get(), u"Refused", u"x"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(CountOf(key.get(), false), 0u);
  EXPECT_EQ(SetText(key.get(), u"Doomed", u"x"), ERROR_KEY_DELETED);
  EXPECT_EQ(seen, (std::vector<std::string>{"RegCreateKeyExW", "RegSetValueExW", "RegQueryInfoKeyW",
                                            "RegSetValueExW"}));
  hostwin::SetRegistryCallHook(nullptr);
}
#endif

}  // namespace
