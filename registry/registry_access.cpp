#include "registry/registry_access.h"

#include "registry/scoped_key.h"
#include "registry/text_value.h"

namespace {

HKEY CreateKey(HKEY root, const exlib::Tu_text& key_path) {
  char16_t no_class[] = u"";
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, ToWin(key_path.Wide()), 0, ToWin(no_class), REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

exlib::Tu_text WithoutTrailingBackslashes(const exlib::Tu_text& key_path) {
  const char16_t* path = key_path.Wide();
  int32_t length = key_path.Length();
  while (length > 0 && path[length - 1] == u'\\') --length;
  return exlib::Tu_text(path, length);
}

}  // namespace

bool RegHasTextValue(HKEY root, exlib::Tu_text key_path, exlib::Tu_text value_name) {
  ScopedKey key;
  if (RegOpenKeyExW(root, ToWin(key_path.Wide()), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
    return false;
  DWORD type = REG_NONE;
  DWORD size = 0;
  return RegQueryValueExW(key.Get(), ToWin(value_name.Wide()), nullptr, &type, nullptr, &size) ==
             ERROR_SUCCESS &&
         (type == REG_SZ || type == REG_EXPAND_SZ);
}

exlib::Tu_text RegReadText(HKEY root, exlib::Tu_text key_path, exlib::Tu_text value_name) {
  return ReadTextValue(root, key_path, value_name).text;
}

// When the key cannot be created, its parent path is opened or created (the same way, down to a
// path without a backslash) and the key is tried once more; callers write into what they get, so
// a parent is never handed back in its place.
HKEY RegOpenOrCreateKey(HKEY root, exlib::Tu_text key_path) {
  const exlib::Tu_text path = WithoutTrailingBackslashes(key_path);
  if (HKEY key = CreateKey(root, path))
    return key;
  const int32_t last_backslash = path.FindLast("\\", 0);
  if (last_backslash < 0)
    return nullptr;
  const ScopedKey parent(RegOpenOrCreateKey(root, path.Left(last_backslash)));
  return parent ? CreateKey(root, path) : nullptr;
}

bool RegWriteDword(HKEY root, exlib::Tu_text key_path, exlib::Tu_text value_name, DWORD value) {
  const ScopedKey key(RegOpenOrCreateKey(root, key_path));
  if (!key)
    return false;
  const BYTE little_endian[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8),
                                 static_cast<BYTE>(value >> 16), static_cast<BYTE>(value >> 24)};
  return RegSetValueExW(key.Get(), ToWin(value_name.Wide()), 0, REG_DWORD, little_endian,
                        sizeof little_endian) == ERROR_SUCCESS;
}

bool RegWriteText(HKEY root, exlib::Tu_text key_path, exlib::Tu_text value_name,
                  exlib::Tu_text data) {
  const ScopedKey key(RegOpenOrCreateKey(root, key_path));
  if (!key)
    return false;
  const auto size_with_nul = static_cast<DWORD>((static_cast<uint64_t>(data.Length()) + 1) * 2);
  return RegSetValueExW(key.Get(), ToWin(value_name.Wide()), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(data.Wide()), size_with_nul) == ERROR_SUCCESS;
}

bool RegDeleteValueAndPrune(HKEY root, exlib::Tu_text key_path, exlib::Tu_text value_name) {
  ScopedKey key;
  if (RegOpenKeyExW(root, ToWin(key_path.Wide()), 0, KEY_ALL_ACCESS, key.Receive()) !=
      ERROR_SUCCESS)
    return false;
  if (RegDeleteValueW(key.Get(), ToWin(value_name.Wide())) == ERROR_SUCCESS) {
    DWORD subkeys = 0;
    DWORD values = 0;
    if (RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
        subkeys == 0 && values == 0)
      RegDeleteKeyW(key.Get(), ToWin(u""));
  }
  return true;
}

bool RegValueIsAbsent(HKEY root, exlib::Tu_text key_path, exlib::Tu_text value_name) {
  ScopedKey key;
  const LSTATUS opened = RegOpenKeyExW(root, ToWin(key_path.Wide()), 0, KEY_READ, key.Receive());
  if (opened != ERROR_SUCCESS)
    return opened == ERROR_FILE_NOT_FOUND;
  return RegQueryValueExW(key.Get(), ToWin(value_name.Wide()), nullptr, nullptr, nullptr,
                          nullptr) == ERROR_FILE_NOT_FOUND;
}
