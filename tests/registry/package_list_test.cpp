// The pack's list of installed titles at its fixed place, and registering titles into it, with
// each test in a registry of its own (the predefined keys pointed at scratch keys).
#include "registry/package_list.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "contract/pack_contract.h"
#include "tests/registry/scratch_registry.h"
#include "tests/support/registry_override.h"
#include "tests/support/text_forms.h"

// Every allocation of this test program is counted, so that a test can see whether some work
// allocates once per list item.
std::atomic<long> allocations{0};

void* operator new(std::size_t size) {
  ++allocations;
  if (void* block = std::malloc(size == 0 ? 1 : size))
    return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}

namespace {

using testsupport::RawValue;
using testsupport::ReadRaw;
using testsupport::Text;
using testsupport::TextBytes;
using testsupport::WriteRaw;

const std::u16string kListKey = kPackageListKey;
const std::u16string kListValue = kPackageListValue;

class PackageList : public scratch::RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    registry_.emplace();
  }

  void TearDown() override {
    registry_.reset();
    RegistryTest::TearDown();
  }

  static void RemoveList() {
    scratch::TestKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, ToWin(kListKey.c_str()), 0, KEY_ALL_ACCESS, key.out()) ==
        ERROR_SUCCESS)
      RegDeleteValueW(key.get(), ToWin(kListValue.c_str()));
  }

  static void SetList(const std::u16string& list) {
    ASSERT_EQ(WriteRaw(HKEY_LOCAL_MACHINE, kListKey, kListValue, REG_SZ, TextBytes(list)),
              ERROR_SUCCESS);
  }

  // The stored list; nothing when there is no value.
  static std::optional<std::u16string> List() {
    const RawValue stored = ReadRaw(HKEY_LOCAL_MACHINE, kListKey, kListValue);
    if (stored.status != ERROR_SUCCESS)
      return std::nullopt;
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
    EXPECT_GE(stored.bytes.size(), 2u);
    std::u16string text;
    for (size_t i = 0; i + 1 < stored.bytes.size(); i += 2)
      text += static_cast<char16_t>(stored.bytes[i] | stored.bytes[i + 1] << 8);
    EXPECT_EQ(text.back(), u'\0') << "written with its NUL";
    text.pop_back();
    return text;
  }

 private:
  std::optional<testsupport::RegistryOverride> registry_;
};

// An item names a title only when it equals the id code unit for code unit.
TEST_F(PackageList, ContainsOnlyExactItems) {
  struct Case {
    std::optional<std::u16string> list;
    const char16_t* id;
    bool contains;
  };
  const Case cases[] = {
      {std::nullopt, u"T1", false}, {u"", u"T1", false},        {u"T1", u"T1", true},
      {u"T0,T1,T2", u"T1", true},   {u",T1", u"T1", true},      {u"T1,", u"T1", true},
      {u",,T1,,", u"T1", true},     {u"t1", u"T1", false},      {u"T1 ", u"T1", false},
      {u" T1", u"T1", false},       {u"T10,xT1", u"T1", false}, {u"T0;T1", u"T1", false},
      {u"T,T1x", u"T1", false},     {u"T0,T1", u"T", false},    {u",", u"", true},
      {u"a,,b", u"", true},         {u"a,", u"", false},        {u"", u"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list ? "\"" + scratch::Narrow(*c.list) + "\"" : "no list");
    RemoveList();
    if (c.list)
      SetList(*c.list);
    EXPECT_EQ(PackageListContains(Text(c.id)), c.contains);
  }
}

// The launcher asks this of every installed title every 50 ms, so a lookup must not allocate per
// item: a list of 4 MiB (175,000 items) is read whole for a handful of allocations.
TEST_F(PackageList, LookupAllocatesNothingPerItem) {
  std::u16string list;
  while (list.size() < 2 * 1024 * 1024) list += u"trell_other,";
  list += u"T1";
  SetList(list);
  struct Case {
    const char16_t* id;
    bool contains;
  };
  for (const Case& c : {Case{u"T1", true}, Case{u"T2", false}, Case{u"trell_other", true}}) {
    SCOPED_TRACE(scratch::Narrow(c.id));
    const long before = allocations;
    EXPECT_EQ(PackageListContains(Text(c.id)), c.contains);
    EXPECT_LT(allocations - before, 100);
  }
}

// A value of another type under the list's name lists nothing, and appending replaces it with a
// text list; REG_EXPAND_SZ is text.
TEST_F(PackageList, ValueOfAnotherTypeIsAnEmptyList) {
  struct Case {
    DWORD type;
    std::vector<BYTE> bytes;
    bool contains;
  };
  const Case cases[] = {
      {REG_DWORD, {'T', 0, '1', 0}, false},
      {REG_BINARY, TextBytes(u"T1"), false},
      {REG_MULTI_SZ, TextBytes(std::u16string(u"T1\0", 3)), false},
      {REG_QWORD, {'T', 0, '1', 0, 0, 0, 0, 0}, false},
      {REG_EXPAND_SZ, TextBytes(u"T1"), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    ASSERT_EQ(WriteRaw(HKEY_LOCAL_MACHINE, kListKey, kListValue, c.type, c.bytes), ERROR_SUCCESS);
    EXPECT_EQ(PackageListContains(Text(u"T1")), c.contains);
    if (!c.contains) {
      AppendToPackageList(Text(u"T2"));
      EXPECT_EQ(List(), u"T2");
    }
  }
}

TEST_F(PackageList, AppendAddsTheIdBehindACommaUnlessTheListIsEmpty) {
  struct Case {
    std::optional<std::u16string> before;
    std::u16string after;
  };
  const Case cases[] = {
      {std::nullopt, u"T1"}, {u"", u"T1"},      {u"T0", u"T0,T1"},
      {u",T0,", u",T0,,T1"}, {u"T1", u"T1,T1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before ? "\"" + scratch::Narrow(*c.before) + "\"" : "no list");
    RemoveList();
    if (c.before)
      SetList(*c.before);
    AppendToPackageList(Text(u"T1"));
    EXPECT_EQ(List(), c.after);
  }
}

// Every item equal to the id goes, the others stay in order; empty items before the first kept
// one vanish, those between kept ones stay; an empty result removes the value.
TEST_F(PackageList, RemoveDropsEveryEqualItemAndKeepsTheRestInOrder) {
  struct Case {
    std::optional<std::u16string> before;
    std::optional<std::u16string> after;
  };
  const Case cases[] = {
      {u"T1", std::nullopt},
      {u"T1,T1", std::nullopt},
      {u",,T1", std::nullopt},
      {u"T1,T0,T1,T2", u"T0,T2"},
      {u",T0,T1,", u"T0"},
      {u"a,,T1,,b", u"a,,,b"},
      {u"t1,T1 ,T1, T1", u"t1,T1 , T1"},
      {u"T0,T2", u"T0,T2"},
      {std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before ? "\"" + scratch::Narrow(*c.before) + "\"" : "no list");
    RemoveList();
    if (c.before)
      SetList(*c.before);
    EXPECT_TRUE(RemoveFromPackageList(Text(u"T1")));
    EXPECT_EQ(List(), c.after);
  }
}

// Removing the last item deletes the value, and the package key with it only when nothing else
// is left in it; its parent always stays.
TEST_F(PackageList, EmptiedListPrunesThePackageKeyOnlyWhenNothingElseIsInIt) {
  SetList(u"T1");
  scratch::TestKey key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, ToWin(kListKey.c_str()), 0, KEY_READ, key.out()),
            ERROR_SUCCESS);
  DWORD subkeys = 0;
  DWORD values = 0;
  ASSERT_EQ(RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                             &values, nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  key.Close();
  if (subkeys != 0 || values != 1)
    GTEST_SKIP() << "the package key holds more than the list on this machine";

  const std::u16string sub = kListKey + u"\\Sub";
  for (const std::string other : {"nothing", "a value", "a subkey"}) {
    SCOPED_TRACE(other);
    SetList(u"T1");
    if (other == "a value") {
      ASSERT_EQ(WriteRaw(HKEY_LOCAL_MACHINE, kListKey, u"Other", REG_SZ, TextBytes(u"o")),
                ERROR_SUCCESS);
    }
    if (other == "a subkey") {
      ASSERT_EQ(WriteRaw(HKEY_LOCAL_MACHINE, sub, u"", REG_SZ, TextBytes(u"o")), ERROR_SUCCESS);
    }
    EXPECT_TRUE(RemoveFromPackageList(Text(u"T1")));
    EXPECT_EQ(List(), std::nullopt);
    EXPECT_EQ(testsupport::KeyExists(HKEY_LOCAL_MACHINE, kListKey), other != "nothing");
    EXPECT_TRUE(
        testsupport::KeyExists(HKEY_LOCAL_MACHINE, kListKey.substr(0, kListKey.rfind(u'\\'))));
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, ToWin(sub.c_str()));
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, ToWin(kListKey.c_str()), 0, KEY_ALL_ACCESS, key.out()) ==
        ERROR_SUCCESS)
      RegDeleteValueW(key.get(), ToWin(u"Other"));
    key.Close();
  }
}

// Ten thousand ids with empty items and separators at both ends.
TEST_F(PackageList, LongListWithEmptyItems) {
  std::u16string body;
  for (int i = 0; i < 10000; ++i) {
    if (i > 0)
      body += i % 100 == 0 ? u",," : u",";
    for (char c : "Title" + std::to_string(i)) body += static_cast<char16_t>(c);
  }
  SetList(u"," + body + u",");
  EXPECT_TRUE(PackageListContains(Text(u"Title0")));
  EXPECT_TRUE(PackageListContains(Text(u"Title9999")));
  EXPECT_FALSE(PackageListContains(Text(u"Title10000")));
  EXPECT_FALSE(PackageListContains(Text(u"title5000")));

  EXPECT_TRUE(RemoveFromPackageList(Text(u"Title5000")));
  std::u16string expected = body;
  const std::u16string removed = u",,Title5000";
  expected.replace(expected.find(removed), removed.size(), u",");
  EXPECT_EQ(List(), expected);
}

#ifndef _WIN32
// When the list changes between the query for its size and its read, the read fails: the list is
// then neither rewritten from nothing nor deleted.
TEST_F(PackageList, HostListThatCannotBeReadIsLeftAlone) {
  for (bool removing : {false, true}) {
    SCOPED_TRACE(removing ? "remove" : "append");
    SetList(u"T0,T1");
    int queries = 0;
    hostwin::SetRegistryCallHook([&](const char* function, const std::u16string&) -> LSTATUS {
      if (std::string(function) == "RegQueryValueExW" && ++queries == 2)
        SetList(u"T0,T1,T2");
      return ERROR_SUCCESS;
    });
    if (removing)
      EXPECT_FALSE(RemoveFromPackageList(Text(u"T1")));
    else
      AppendToPackageList(Text(u"T3"));
    hostwin::SetRegistryCallHook(nullptr);
    EXPECT_EQ(List(), u"T0,T1,T2");
  }
}
#endif

}  // namespace
