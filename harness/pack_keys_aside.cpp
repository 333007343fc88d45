#include "harness/pack_keys_aside.h"

#include "contract/pack_contract.h"
#include "harness/registry_values.h"
#include "registry/scoped_key.h"

namespace testsupport {
namespace {

constexpr char16_t kBackupRoot[] = u"Software\\PackTestsBackup";
constexpr char16_t kPathValue[] = u"Path";
constexpr char16_t kExistedValue[] = u"Existed";
constexpr char16_t kSavedKey[] = u"Saved";

std::u16string BackupPath(size_t index) {
  return std::u16string(kBackupRoot) + u"\\" +
         std::u16string(1, static_cast<char16_t>(u'A' + index));
}

// Copies every value and subkey of `from` into `to`, creating it.
bool CopyTree(HKEY root, const std::u16string& from, const std::u16string& to) {
  ScopedKey source;
  ScopedKey target;
  if (RegOpenKeyExW(root, ToWin(from.c_str()), 0, KEY_READ, source.Receive()) != ERROR_SUCCESS ||
      RegCreateKeyExW(root, ToWin(to.c_str()), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      target.Receive(), nullptr) != ERROR_SUCCESS) {
    return false;
  }
  std::vector<char16_t> name(kLongestKeyName);
  for (DWORD index = 0;; ++index) {
    DWORD length = kLongestKeyName;
    DWORD type = 0;
    DWORD size = 0;
    const LSTATUS status = RegEnumValueW(source.Get(), index, ToWin(name.data()), &length, nullptr,
                                         &type, nullptr, &size);
    if (status == ERROR_NO_MORE_ITEMS)
      break;
    if (status != ERROR_SUCCESS)
      return false;
    // Guard bytes behind the data, so that no NUL is found there to add to a text (and a
    // stored size of zero still has a buffer to read into).
    std::vector<BYTE> data(size + 4, '!');
    length = kLongestKeyName;
    if (RegEnumValueW(source.Get(), index, ToWin(name.data()), &length, nullptr, &type, data.data(),
                      &size) != ERROR_SUCCESS ||
        RegSetValueExW(target.Get(), ToWin(name.data()), 0, type, data.data(), size) !=
            ERROR_SUCCESS) {
      return false;
    }
  }
  for (const std::u16string& subkey : SubkeyNames(source.Get())) {
    if (!CopyTree(root, from + u"\\" + subkey, to + u"\\" + subkey))
      return false;
  }
  return true;
}

bool WriteRecord(HKEY root, const std::u16string& backup, const std::u16string& path,
                 bool existed) {
  ScopedKey key;
  if (RegCreateKeyExW(root, ToWin(backup.c_str()), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      key.Receive(), nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const DWORD flag = existed ? 1 : 0;
  return RegSetValueExW(
             key.Get(), ToWin(kPathValue), 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
             static_cast<DWORD>((path.size() + 1) * sizeof(char16_t))) == ERROR_SUCCESS &&
         RegSetValueExW(key.Get(), ToWin(kExistedValue), 0, REG_DWORD,
                        reinterpret_cast<const BYTE*>(&flag), sizeof(flag)) == ERROR_SUCCESS;
}

bool ReadRecord(HKEY root, const std::u16string& backup, std::u16string& path, bool& existed) {
  ScopedKey key;
  if (RegOpenKeyExW(root, ToWin(backup.c_str()), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
    return false;
  std::vector<char16_t> text(kLongestKeyName + 1);
  DWORD size = static_cast<DWORD>(kLongestKeyName * sizeof(char16_t));
  DWORD flag = 0;
  DWORD flag_size = sizeof(flag);
  if (RegQueryValueExW(key.Get(), ToWin(kPathValue), nullptr, nullptr,
                       reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS ||
      RegQueryValueExW(key.Get(), ToWin(kExistedValue), nullptr, nullptr,
                       reinterpret_cast<BYTE*>(&flag), &flag_size) != ERROR_SUCCESS) {
    return false;
  }
  path.assign(text.data());
  existed = flag != 0;
  return !path.empty();
}

// Puts the recorded state back: the key as it was saved, or no key when there was none.
bool Restore(HKEY root, const std::u16string& backup) {
  std::u16string path;
  bool existed = false;
  if (!ReadRecord(root, backup, path, existed) || !DeleteKeyTree(root, path))
    return false;
  if (existed && !CopyTree(root, backup + u"\\" + kSavedKey, path))
    return false;
  return DeleteKeyTree(root, backup);
}

// The shortest leading part of the path that names no key; empty when the whole path exists.
std::u16string FirstMissingAncestor(HKEY root, const std::u16string& path) {
  for (size_t end = path.find(u'\\');; end = path.find(u'\\', end + 1)) {
    const std::u16string prefix = path.substr(0, end);
    if (!KeyExists(root, prefix))
      return prefix;
    if (end == std::u16string::npos)
      return std::u16string();
  }
}

// A missing key is recorded by its first missing ancestor, so that putting "no key" back also
// removes the parents a test caused to be created.
bool Save(const SandboxedKey& key, const std::u16string& backup) {
  const std::u16string missing = FirstMissingAncestor(key.root, key.path);
  const bool existed = missing.empty();
  if (!WriteRecord(key.root, backup, existed ? key.path : missing, existed))
    return false;
  if (existed && !CopyTree(key.root, key.path, backup + u"\\" + kSavedKey))
    return false;
  return DeleteKeyTree(key.root, key.path);
}

// The key that holds every title of the brand: its key prefix up to the last backslash.
SandboxedKey BrandFolder(const BrandKeys& brand) {
  const std::u16string prefix = brand.key_prefix;
  return {brand.Root(), prefix.substr(0, prefix.rfind(u'\\'))};
}

}  // namespace

std::vector<SandboxedKey> PackKeys() {
  // The KAVOR titles' folder holds the package list too.
  return {BrandFolder(kKavorKeys), BrandFolder(kNuvaKeys), BrandFolder(kTrellKeys)};
}

bool RecoverAbandonedBackups() {
  bool recovered = true;
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    std::vector<std::u16string> backups;
    {
      ScopedKey key;
      if (RegOpenKeyExW(root, ToWin(kBackupRoot), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        continue;
      backups = SubkeyNames(key.Get());
    }
    for (const std::u16string& name : backups) {
      const std::u16string backup = std::u16string(kBackupRoot) + u"\\" + name;
      // A record cut short by the crash holds nothing to put back.
      if (!Restore(root, backup) && !DeleteKeyTree(root, backup))
        recovered = false;
    }
    RegDeleteKeyW(root, ToWin(kBackupRoot));
  }
  return recovered;
}

PackKeysAside::PackKeysAside(std::vector<SandboxedKey> keys) : keys_(std::move(keys)) {
  moved_aside_ = RecoverAbandonedBackups();
  for (size_t index = 0; index < keys_.size(); ++index) {
    if (!Save(keys_[index], BackupPath(index)))
      moved_aside_ = false;
  }
}

PackKeysAside::~PackKeysAside() {
  PutBack();
}

bool PackKeysAside::PutBack() {
  if (put_back_)
    return true;
  put_back_ = true;
  bool restored = true;
  for (size_t index = keys_.size(); index-- > 0;) {
    if (!Restore(keys_[index].root, BackupPath(index)))
      restored = false;
  }
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
    RegDeleteKeyW(root, ToWin(kBackupRoot));  // refused while a record is left
  return restored;
}

}  // namespace testsupport
