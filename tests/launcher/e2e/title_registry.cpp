#include "tests/launcher/e2e/title_registry.h"

namespace e2e {
namespace {

constexpr char16_t kTitleKeyPrefix[] = u"Software\\Trell\\";
constexpr char16_t kInstallPathValue[] = u"INSTALL_PATH";
constexpr char16_t kListKey[] = u"Software\\Delvarin\\morvex";
constexpr char16_t kListValue[] = u"installed_package_list";

std::u16string TitleKey(int title) {
  return std::u16string(kTitleKeyPrefix) + kTrellTitles[title].key;
}

bool WriteText(HKEY root, const std::u16string& key, const char16_t* name,
               const std::u16string& text) {
  return RegSetKeyValueW(root, ToWin(key.c_str()), ToWin(name), REG_SZ, text.c_str(),
                         static_cast<DWORD>((text.size() + 1) * sizeof(char16_t))) == ERROR_SUCCESS;
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

TitleRegistry::TitleRegistry() {
  for (int title = 0; title < 7; ++title) {
    saved_titles_.push_back(Save(HKEY_CURRENT_USER, TitleKey(title)));
    Uninstall(title);
  }
  const SavedKey list_key = Save(HKEY_LOCAL_MACHINE, kListKey);
  if (list_key.values) {
    for (const Value& value : *list_key.values) {
      if (CompareStringOrdinal(ToWin(value.name.c_str()), -1, ToWin(kListValue), -1, TRUE) ==
          CSTR_EQUAL) {
        saved_list_ = value;
      }
    }
  }
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, ToWin(kListKey), ToWin(kListValue));
}

TitleRegistry::~TitleRegistry() {
  for (const SavedKey& key : saved_titles_) Restore(key);
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, ToWin(kListKey), ToWin(kListValue));
  if (saved_list_) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, ToWin(kListKey), ToWin(saved_list_->name.c_str()),
                    saved_list_->type, saved_list_->data.data(),
                    static_cast<DWORD>(saved_list_->data.size()));
  }
}

bool TitleRegistry::Install(int title, const std::u16string& folder) const {
  return WriteText(HKEY_CURRENT_USER, TitleKey(title), kInstallPathValue, folder + u"\\");
}

bool TitleRegistry::Uninstall(int title) const {
  const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, ToWin(TitleKey(title).c_str()));
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool TitleRegistry::SetPackageList(const std::u16string& list) const {
  return WriteText(HKEY_LOCAL_MACHINE, kListKey, kListValue, list);
}

bool TitleRegistry::SetMarker(int title, DWORD type, const std::vector<BYTE>& data) const {
  return RegSetKeyValueW(HKEY_CURRENT_USER, ToWin(TitleKey(title).c_str()),
                         ToWin(kInstallPathValue), type, data.data(),
                         static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

bool TitleRegistry::SetPackageListValue(DWORD type, const std::vector<BYTE>& data) const {
  return RegSetKeyValueW(HKEY_LOCAL_MACHINE, ToWin(kListKey), ToWin(kListValue), type, data.data(),
                         static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

TitleRegistry::SavedKey TitleRegistry::Save(HKEY root, const std::u16string& path) {
  SavedKey saved{root, path, std::nullopt};
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, ToWin(path.c_str()), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return saved;
  saved.values.emplace();
  for (DWORD index = 0;; ++index) {
    char16_t name[16384];
    DWORD name_length = 16384;
    DWORD type = 0;
    DWORD size = 0;
    if (RegEnumValueW(key, index, ToWin(name), &name_length, nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
      break;
    }
    Value value{std::u16string(name, name_length), type, std::vector<BYTE>(size)};
    RegQueryValueExW(key, ToWin(value.name.c_str()), nullptr, &type, value.data.data(), &size);
    value.data.resize(size);
    saved.values->push_back(std::move(value));
  }
  RegCloseKey(key);
  return saved;
}

void TitleRegistry::Restore(const SavedKey& saved) {
  RegDeleteTreeW(saved.root, ToWin(saved.path.c_str()));
  if (!saved.values)
    return;
  HKEY key = nullptr;
  if (RegCreateKeyExW(saved.root, ToWin(saved.path.c_str()), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  for (const Value& value : *saved.values) {
    RegSetValueExW(key, ToWin(value.name.c_str()), 0, value.type, value.data.data(),
                   static_cast<DWORD>(value.data.size()));
  }
  RegCloseKey(key);
}

}  // namespace e2e
