#include "tests/support/refused_key.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <sddl.h>
#endif

namespace testsupport {

#ifdef _WIN32

namespace {

// Everyone's rights on the key, in the security descriptor language: read only, or nothing at
// all. The owner keeps the right to change the list back.
const wchar_t* AccessList(Refusal refusal) {
  return refusal == Refusal::kWrites ? L"D:P(A;;KR;;;WD)" : L"D:P";
}

void SetAccessList(HKEY root, const std::u16string& path, const wchar_t* sddl) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1,
                                                                   &descriptor, nullptr));
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(root, ToWin(path.c_str()), 0, WRITE_DAC, &key), ERROR_SUCCESS);
  EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
  RegCloseKey(key);
  LocalFree(descriptor);
}

}  // namespace

RefusedKey::RefusedKey(HKEY root, std::u16string path, Refusal refusal)
    : root_(root), path_(std::move(path)) {
  HKEY key = nullptr;
  EXPECT_EQ(RegCreateKeyExW(root_, ToWin(path_.c_str()), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
  SetAccessList(root_, path_, AccessList(refusal));
}

// Everyone may do everything again, so that the guard can put the keys back.
RefusedKey::~RefusedKey() {
  SetAccessList(root_, path_, L"D:(A;OICI;KA;;;WD)");
}

#else

RefusedKey::RefusedKey(HKEY root, std::u16string path, Refusal refusal)
    : root_(root), path_(std::move(path)) {
  HKEY key = nullptr;
  EXPECT_EQ(
      RegCreateKeyExW(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
      ERROR_SUCCESS);
  RegCloseKey(key);
  hostwin::SetRegistryCallHook(
      [path = path_, refusal](const char* function, const std::u16string& name) -> LSTATUS {
        const std::string call = function;
        const bool opens = call == "RegOpenKeyExW" || call == "RegCreateKeyExW";
        const bool refused = refusal == Refusal::kEverything ? opens : call == "RegCreateKeyExW";
        return refused && name == path ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
      });
}

RefusedKey::~RefusedKey() {
  hostwin::SetRegistryCallHook(nullptr);
}

#endif

}  // namespace testsupport
