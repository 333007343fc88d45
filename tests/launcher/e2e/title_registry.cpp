#include "tests/launcher/e2e/title_registry.h"

#include "contract/pack_contract.h"
#include "harness/registry_values.h"

namespace e2e {
namespace {

std::u16string TitleKey(int title) {
  return std::u16string(kTrellKeys.key_prefix) + kTrellTitles[title].key;
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
  return testsupport::WriteText(kTrellKeys.Root(), TitleKey(title), kTrellKeys.marker_value,
                                folder + u"\\") == ERROR_SUCCESS;
}

bool TitleRegistry::Uninstall(int title) const {
  return testsupport::DeleteKeyTree(kTrellKeys.Root(), TitleKey(title));
}

bool TitleRegistry::SetPackageList(const std::u16string& list) const {
  return testsupport::WriteText(PackageListRoot(), kPackageListKey, kPackageListValue, list) ==
         ERROR_SUCCESS;
}

bool TitleRegistry::SetMarker(int title, DWORD type, const std::vector<BYTE>& data) const {
  return testsupport::WriteRaw(kTrellKeys.Root(), TitleKey(title), kTrellKeys.marker_value, type,
                               data) == ERROR_SUCCESS;
}

bool TitleRegistry::SetPackageListValue(DWORD type, const std::vector<BYTE>& data) const {
  return testsupport::WriteRaw(PackageListRoot(), kPackageListKey, kPackageListValue, type, data) ==
         ERROR_SUCCESS;
}

}  // namespace e2e
