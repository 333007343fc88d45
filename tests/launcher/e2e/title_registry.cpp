#include "tests/launcher/e2e/title_registry.h"

#include "tests/support/registry_values.h"

namespace e2e {
namespace {

constexpr char16_t kTitleKeyPrefix[] = u"Software\\Trell\\";
constexpr char16_t kInstallPathValue[] = u"INSTALL_PATH";
constexpr char16_t kListKey[] = u"Software\\Delvarin\\morvex";
constexpr char16_t kListValue[] = u"installed_package_list";

std::u16string TitleKey(int title) {
  return std::u16string(kTitleKeyPrefix) + kTrellTitles[title].key;
}

}  // namespace

const TrellTitle kTrellTitles[7] = {
    {u"DRAVELB", u"DRAVEL.exe", u"trell_dravel1", 1017, u"ドラヴェル"},
    {u"DRAVEL2B", u"Dravel2.exe", u"trell_dravel2", 1018, u"ドラヴェル2"},
    {u"DRAVEL3B", u"Dravel3.exe", u"trell_dravel3", 1019, u"ドラヴェル3"},
    {u"DRAVEL4B", u"Dravel4.exe", u"trell_dravel4", 1020, u"ドラヴェル4"},
    {u"DRAVEL5B", u"Dravel5.exe", u"trell_dravel5", 1021, u"ドラヴェル5"},
    {u"DravelBB1B", u"DravelBB1.exe", u"trell_dravelbb1", 1022, u"ドラヴェルBB-1"},
    {u"DravelBB2B", u"DravelBB2.exe", u"trell_dravelbb2", 1023, u"ドラヴェルBB-2"},
};

bool TitleRegistry::Install(int title, const std::u16string& folder) const {
  return testsupport::WriteText(HKEY_CURRENT_USER, TitleKey(title), kInstallPathValue,
                                folder + u"\\") == ERROR_SUCCESS;
}

bool TitleRegistry::Uninstall(int title) const {
  return testsupport::DeleteKeyTree(HKEY_CURRENT_USER, TitleKey(title));
}

bool TitleRegistry::SetPackageList(const std::u16string& list) const {
  return testsupport::WriteText(HKEY_LOCAL_MACHINE, kListKey, kListValue, list) == ERROR_SUCCESS;
}

bool TitleRegistry::SetMarker(int title, DWORD type, const std::vector<BYTE>& data) const {
  return testsupport::WriteRaw(HKEY_CURRENT_USER, TitleKey(title), kInstallPathValue, type, data) ==
         ERROR_SUCCESS;
}

bool TitleRegistry::SetPackageListValue(DWORD type, const std::vector<BYTE>& data) const {
  return testsupport::WriteRaw(HKEY_LOCAL_MACHINE, kListKey, kListValue, type, data) ==
         ERROR_SUCCESS;
}

}  // namespace e2e
