#include "harness/registry_values.h"

#include "registry/scoped_key.h"

namespace testsupport {

RawValue ReadRaw(HKEY key, const std::u16string& name) {
  RawValue value;
  DWORD size = 0;
  value.status = RegQueryValueExW(key, ToWin(name.c_str()), nullptr, &value.type, nullptr, &size);
  if (value.status != ERROR_SUCCESS)
    return value;
  value.bytes.assign(size, 0xEE);
  value.status =
      RegQueryValueExW(key, ToWin(name.c_str()), nullptr, &value.type, value.bytes.data(), &size);
  value.bytes.resize(size);
  return value;
}

RawValue ReadRaw(HKEY root, const std::u16string& path, const std::u16string& name) {
  ScopedKey key;
  const LSTATUS opened = RegOpenKeyExW(root, ToWin(path.c_str()), 0, KEY_READ, key.Receive());
  if (opened != ERROR_SUCCESS)
    return RawValue{opened, REG_NONE, {}};
  return ReadRaw(key.Get(), name);
}

LSTATUS WriteRaw(HKEY root, const std::u16string& path, const std::u16string& name, DWORD type,
                 std::vector<BYTE> bytes) {
  ScopedKey key;
  const LSTATUS status = RegCreateKeyExW(root, ToWin(path.c_str()), 0, nullptr, 0, KEY_ALL_ACCESS,
                                         nullptr, key.Receive(), nullptr);
  if (status != ERROR_SUCCESS)
    return status;
  const auto size = static_cast<DWORD>(bytes.size());
  bytes.insert(bytes.end(), {'!', '!', '!', '!'});
  return RegSetValueExW(key.Get(), ToWin(name.c_str()), 0, type, bytes.data(), size);
}

std::vector<BYTE> TextBytes(const std::u16string& text, bool with_nul) {
  std::vector<BYTE> bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<BYTE>(c & 0xFF));
    bytes.push_back(static_cast<BYTE>(c >> 8));
  }
  if (with_nul)
    bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

LSTATUS WriteText(HKEY root, const std::u16string& path, const std::u16string& name,
                  const std::u16string& text, DWORD type) {
  return WriteRaw(root, path, name, type, TextBytes(text));
}

std::optional<std::u16string> ReadText(HKEY root, const std::u16string& path,
                                       const std::u16string& name) {
  const RawValue value = ReadRaw(root, path, name);
  if (value.status != ERROR_SUCCESS || (value.type != REG_SZ && value.type != REG_EXPAND_SZ))
    return std::nullopt;
  std::u16string text;
  for (size_t i = 0; i + 1 < value.bytes.size(); i += 2)
    text += static_cast<char16_t>(value.bytes[i] | value.bytes[i + 1] << 8);
  return text.substr(0, text.find(u'\0'));
}

std::vector<std::u16string> SubkeyNames(HKEY key) {
  std::vector<std::u16string> names;
  std::vector<char16_t> name(kLongestKeyName);
  for (DWORD index = 0;; ++index) {
    DWORD length = kLongestKeyName;
    if (RegEnumKeyExW(key, index, ToWin(name.data()), &length, nullptr, nullptr, nullptr,
                      nullptr) != ERROR_SUCCESS) {
      return names;
    }
    names.emplace_back(name.data(), length);
  }
}

// Removes the key and everything below it; a missing key counts as removed.
bool DeleteKeyTree(HKEY root, const std::u16string& path) {
  {
    ScopedKey key;
    const LSTATUS opened = RegOpenKeyExW(root, ToWin(path.c_str()), 0, KEY_READ, key.Receive());
    if (opened == ERROR_FILE_NOT_FOUND)
      return true;
    if (opened != ERROR_SUCCESS)
      return false;
    for (const std::u16string& name : SubkeyNames(key.Get())) {
      if (!DeleteKeyTree(root, path + u"\\" + name))
        return false;
    }
  }
  return RegDeleteKeyW(root, ToWin(path.c_str())) == ERROR_SUCCESS;
}

bool KeyExists(HKEY root, const std::u16string& path) {
  ScopedKey key;
  return RegOpenKeyExW(root, ToWin(path.c_str()), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
}

LSTATUS DeleteValue(HKEY root, const std::u16string& path, const std::u16string& name) {
  ScopedKey key;
  const LSTATUS opened = RegOpenKeyExW(root, ToWin(path.c_str()), 0, KEY_ALL_ACCESS, key.Receive());
  return opened != ERROR_SUCCESS ? opened : RegDeleteValueW(key.Get(), ToWin(name.c_str()));
}

}  // namespace testsupport
