#include "platform/host/registry.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace {

struct Value {
  std::u16string name;
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

struct Key {
  std::u16string name;
  Key* parent = nullptr;
  std::vector<std::shared_ptr<Key>> subkeys;
  std::vector<Value> values;
  bool deleted = false;
};

// A handle keeps its key alive after deletion, so that it can answer ERROR_KEY_DELETED.
struct OpenKey {
  std::shared_ptr<Key> key;
  REGSAM access = 0;
};

struct RegistryState {
  std::shared_ptr<Key> current_user = std::make_shared<Key>();
  std::shared_ptr<Key> local_machine = std::make_shared<Key>();
  std::map<UINT_PTR, OpenKey> handles;
  std::map<HKEY, OpenKey> overrides;  // by predefined key
  UINT_PTR next_handle = 0x1000;
  hostwin::RegistryCallHook hook;
  bool in_hook = false;
};

RegistryState& State() {
  static RegistryState state;
  return state;
}

// Windows folds names by its Unicode upper-case table; these are the scripts our names use.
char16_t FoldCase(char16_t c) {
  if (c >= u'a' && c <= u'z')
    return static_cast<char16_t>(c - 0x20);
  if (c >= 0x00E0 && c <= 0x00FE && c != 0x00F7)
    return static_cast<char16_t>(c - 0x20);
  if (c == 0x00FF)
    return 0x0178;
  if (c == 0x03C2)
    return 0x03A3;
  if ((c >= 0x03B1 && c <= 0x03C1) || (c >= 0x03C3 && c <= 0x03CB)) {
    return static_cast<char16_t>(c - 0x20);
  }
  if (c >= 0x0430 && c <= 0x044F)
    return static_cast<char16_t>(c - 0x20);
  if (c >= 0x0450 && c <= 0x045F)
    return static_cast<char16_t>(c - 0x50);
  if (c >= 0xFF41 && c <= 0xFF5A)
    return static_cast<char16_t>(c - 0x20);
  return c;
}

bool SameName(const std::u16string& a, const std::u16string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}

std::u16string NameOf(LPCWSTR name) {
  return name != nullptr ? std::u16string(name) : u"";
}

bool IsText(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

std::shared_ptr<Key> PredefinedRoot(HKEY key) {
  if (key == HKEY_CURRENT_USER)
    return State().current_user;
  if (key == HKEY_LOCAL_MACHINE)
    return State().local_machine;
  return nullptr;
}

bool IsPredefined(HKEY key) {
  const auto value = reinterpret_cast<UINT_PTR>(key);
  return value >= reinterpret_cast<UINT_PTR>(HKEY_CLASSES_ROOT) &&
         value <= reinterpret_cast<UINT_PTR>(HKEY_USERS);
}

// The key a handle names, once the handle is known to grant `needed`; predefined roots grant
// everything. As on Windows, the handle's rights are checked before the key's deletion.
// An overridden predefined key answers as the handle it was pointed at.
LSTATUS Resolve(HKEY handle, REGSAM needed, std::shared_ptr<Key>& key) {
  const OpenKey* open = nullptr;
  if (auto overridden = State().overrides.find(handle); overridden != State().overrides.end()) {
    open = &overridden->second;
  } else if (std::shared_ptr<Key> root = PredefinedRoot(handle)) {
    key = root;
    return ERROR_SUCCESS;
  } else {
    auto found = State().handles.find(reinterpret_cast<UINT_PTR>(handle));
    if (found == State().handles.end())
      return ERROR_INVALID_HANDLE;
    open = &found->second;
  }
  if ((open->access & needed) != needed)
    return ERROR_ACCESS_DENIED;
  key = open->key;
  return key->deleted ? ERROR_KEY_DELETED : ERROR_SUCCESS;
}

// Like Windows: a path must not start with a backslash; empty components (repeated or trailing
// backslashes) are skipped.
LSTATUS SplitPath(LPCWSTR path, std::vector<std::u16string>& components) {
  const std::u16string text = NameOf(path);
  if (!text.empty() && text.front() == u'\\')
    return ERROR_BAD_PATHNAME;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(u'\\', start);
    if (end == std::u16string::npos)
      end = text.size();
    if (end > start)
      components.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return ERROR_SUCCESS;
}

std::shared_ptr<Key> FindSubkey(const Key& key, const std::u16string& name) {
  for (const auto& subkey : key.subkeys) {
    if (SameName(subkey->name, name))
      return subkey;
  }
  return nullptr;
}

Value* FindValue(Key& key, const std::u16string& name) {
  for (Value& value : key.values) {
    if (SameName(value.name, name))
      return &value;
  }
  return nullptr;
}

HKEY AddHandle(std::shared_ptr<Key> key, REGSAM access) {
  RegistryState& state = State();
  const UINT_PTR value = state.next_handle;
  state.next_handle += 4;
  state.handles[value] = OpenKey{std::move(key), access};
  return reinterpret_cast<HKEY>(value);
}

LSTATUS RunHook(const char* function, LPCWSTR name) {
  RegistryState& state = State();
  if (!state.hook || state.in_hook)
    return ERROR_SUCCESS;
  state.in_hook = true;
  const LSTATUS result = state.hook(function, NameOf(name));
  state.in_hook = false;
  return result;
}

// What opening and creating share: the result cleared first, the hook, the parent handle resolved
// and the subkey path split into its components.
LSTATUS StartPathCall(const char* function, HKEY key, LPCWSTR sub_key, PHKEY result,
                      std::shared_ptr<Key>& parent, std::vector<std::u16string>& components) {
  if (result == nullptr)
    return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  if (LSTATUS hooked = RunHook(function, sub_key))
    return hooked;
  if (LSTATUS status = Resolve(key, 0, parent))
    return status;
  return SplitPath(sub_key, components);
}

}  // namespace

LSTATUS RegOpenKeyExW(HKEY key, LPCWSTR sub_key, DWORD, REGSAM desired, PHKEY result) {
  std::shared_ptr<Key> parent;
  std::vector<std::u16string> components;
  if (LSTATUS status = StartPathCall("RegOpenKeyExW", key, sub_key, result, parent, components))
    return status;
  if (components.empty() && IsPredefined(key)) {
    *result = key;
    return ERROR_SUCCESS;
  }
  std::shared_ptr<Key> target = parent;
  for (const std::u16string& component : components) {
    target = FindSubkey(*target, component);
    if (!target)
      return ERROR_FILE_NOT_FOUND;
  }
  *result = AddHandle(std::move(target), desired);
  return ERROR_SUCCESS;
}

LSTATUS RegCreateKeyExW(HKEY key, LPCWSTR sub_key, DWORD, LPWSTR, DWORD, REGSAM desired,
                        const LPSECURITY_ATTRIBUTES, PHKEY result, LPDWORD disposition) {
  std::shared_ptr<Key> parent;
  std::vector<std::u16string> components;
  if (LSTATUS status = StartPathCall("RegCreateKeyExW", key, sub_key, result, parent, components))
    return status;
  std::shared_ptr<Key> target = parent;
  bool created = false;
  for (const std::u16string& component : components) {
    std::shared_ptr<Key> next = FindSubkey(*target, component);
    if (!next) {
      next = std::make_shared<Key>();
      next->name = component;
      next->parent = target.get();
      target->subkeys.push_back(next);
      created = true;
    }
    target = next;
  }
  if (disposition != nullptr) {
    *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  }
  *result = AddHandle(std::move(target), desired);
  return ERROR_SUCCESS;
}

// With a buffer that has room for one more character, Windows ends a text that lacks its NUL
// (without counting it); a buffer too small is left untouched.
LSTATUS RegQueryValueExW(HKEY key, LPCWSTR value_name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                         LPDWORD data_size) {
  if (reserved != nullptr || (data != nullptr && data_size == nullptr)) {
    return ERROR_INVALID_PARAMETER;
  }
  if (LSTATUS hooked = RunHook("RegQueryValueExW", value_name))
    return hooked;
  std::shared_ptr<Key> open;
  if (LSTATUS status = Resolve(key, KEY_QUERY_VALUE, open))
    return status;
  const Value* value = FindValue(*open, NameOf(value_name));
  if (value == nullptr)
    return ERROR_FILE_NOT_FOUND;
  const auto size = static_cast<DWORD>(value->data.size());
  if (type != nullptr)
    *type = value->type;
  LSTATUS status = ERROR_SUCCESS;
  if (data != nullptr) {
    if (size > *data_size) {
      status = ERROR_MORE_DATA;
    } else {
      std::copy(value->data.begin(), value->data.end(), data);
      if (IsText(value->type) && size >= 2 && size + 2 <= *data_size &&
          (data[size - 2] != 0 || data[size - 1] != 0)) {
        data[size] = 0;
        data[size + 1] = 0;
      }
    }
  }
  if (data_size != nullptr)
    *data_size = size;
  return status;
}

// Windows stores a text one character longer when the caller left out a NUL that follows the
// counted characters in memory, and so does this.
LSTATUS RegSetValueExW(HKEY key, LPCWSTR value_name, DWORD, DWORD type, const BYTE* data,
                       DWORD data_size) {
  if (data == nullptr && data_size != 0)
    return ERROR_NOACCESS;
  if (LSTATUS hooked = RunHook("RegSetValueExW", value_name))
    return hooked;
  std::shared_ptr<Key> open;
  if (LSTATUS status = Resolve(key, KEY_SET_VALUE, open))
    return status;
  DWORD stored_size = data_size;
  if (IsText(type) && data_size >= 2) {
    const DWORD last = (data_size / 2 - 1) * 2;
    const bool last_is_nul = data[last] == 0 && data[last + 1] == 0;
    if (!last_is_nul && data[last + 2] == 0 && data[last + 3] == 0)
      stored_size += 2;
  }
  std::vector<BYTE> bytes(data, data + stored_size);
  const std::u16string name = NameOf(value_name);
  if (Value* existing = FindValue(*open, name)) {
    existing->type = type;
    existing->data = std::move(bytes);
  } else {
    open->values.push_back(Value{name, type, std::move(bytes)});
  }
  return ERROR_SUCCESS;
}

LSTATUS RegDeleteValueW(HKEY key, LPCWSTR value_name) {
  if (LSTATUS hooked = RunHook("RegDeleteValueW", value_name))
    return hooked;
  std::shared_ptr<Key> open;
  if (LSTATUS status = Resolve(key, KEY_SET_VALUE, open))
    return status;
  std::vector<Value>& values = open->values;
  const std::u16string name = NameOf(value_name);
  auto found = std::find_if(values.begin(), values.end(),
                            [&name](const Value& value) { return SameName(value.name, name); });
  if (found == values.end())
    return ERROR_FILE_NOT_FOUND;
  values.erase(found);
  return ERROR_SUCCESS;
}

LSTATUS RegQueryInfoKeyW(HKEY key, LPWSTR key_class, LPDWORD class_length, LPDWORD,
                         LPDWORD sub_keys, LPDWORD max_sub_key_length, LPDWORD max_class_length,
                         LPDWORD values, LPDWORD max_value_name_length, LPDWORD max_value_length,
                         LPDWORD security_descriptor_size, PFILETIME last_write_time) {
  if (LSTATUS hooked = RunHook("RegQueryInfoKeyW", nullptr))
    return hooked;
  std::shared_ptr<Key> open;
  if (LSTATUS status = Resolve(key, 0, open))
    return status;
  const Key& info = *open;
  if (key_class != nullptr && class_length != nullptr && *class_length > 0)
    key_class[0] = 0;
  if (class_length != nullptr)
    *class_length = 0;
  if (max_class_length != nullptr)
    *max_class_length = 0;
  if (sub_keys != nullptr)
    *sub_keys = static_cast<DWORD>(info.subkeys.size());
  if (values != nullptr)
    *values = static_cast<DWORD>(info.values.size());
  size_t longest_subkey = 0;
  for (const auto& subkey : info.subkeys)
    longest_subkey = std::max(longest_subkey, subkey->name.size());
  size_t longest_name = 0;
  size_t largest_data = 0;
  for (const Value& value : info.values) {
    longest_name = std::max(longest_name, value.name.size());
    largest_data = std::max(largest_data, value.data.size());
  }
  if (max_sub_key_length != nullptr)
    *max_sub_key_length = static_cast<DWORD>(longest_subkey);
  if (max_value_name_length != nullptr)
    *max_value_name_length = static_cast<DWORD>(longest_name);
  if (max_value_length != nullptr)
    *max_value_length = static_cast<DWORD>(largest_data);
  if (security_descriptor_size != nullptr)
    *security_descriptor_size = 0;
  if (last_write_time != nullptr)
    *last_write_time = FILETIME{0, 0};
  return ERROR_SUCCESS;
}

// Deletion asks for the right to delete afresh, as Windows does: the handle's own rights do not
// matter. A key that still has subkeys, or a root, is refused.
LSTATUS RegDeleteKeyW(HKEY key, LPCWSTR sub_key) {
  if (sub_key == nullptr)
    return ERROR_INVALID_PARAMETER;
  if (LSTATUS hooked = RunHook("RegDeleteKeyW", sub_key))
    return hooked;
  std::shared_ptr<Key> target;
  if (LSTATUS status = Resolve(key, 0, target))
    return status;
  std::vector<std::u16string> components;
  if (LSTATUS status = SplitPath(sub_key, components))
    return status;
  for (const std::u16string& component : components) {
    target = FindSubkey(*target, component);
    if (!target)
      return ERROR_FILE_NOT_FOUND;
  }
  if (target->parent == nullptr || !target->subkeys.empty())
    return ERROR_ACCESS_DENIED;
  std::vector<std::shared_ptr<Key>>& siblings = target->parent->subkeys;
  siblings.erase(std::find(siblings.begin(), siblings.end(), target));
  target->parent = nullptr;
  target->deleted = true;
  return ERROR_SUCCESS;
}

namespace {

// Copies a name into a caller's buffer of `length` characters (room for the NUL included) and
// answers its length without the NUL, as both enumerations do.
LSTATUS CopyName(const std::u16string& name, LPWSTR buffer, LPDWORD length) {
  if (buffer == nullptr || length == nullptr)
    return ERROR_INVALID_PARAMETER;
  if (name.size() + 1 > *length)
    return ERROR_MORE_DATA;
  std::copy(name.begin(), name.end(), buffer);
  buffer[name.size()] = 0;
  *length = static_cast<DWORD>(name.size());
  return ERROR_SUCCESS;
}

}  // namespace

LSTATUS RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD name_length, LPDWORD,
                      LPWSTR key_class, LPDWORD class_length, PFILETIME last_write_time) {
  if (LSTATUS hooked = RunHook("RegEnumKeyExW", nullptr))
    return hooked;
  std::shared_ptr<Key> open;
  if (LSTATUS status = Resolve(key, KEY_ENUMERATE_SUB_KEYS, open))
    return status;
  if (index >= open->subkeys.size())
    return ERROR_NO_MORE_ITEMS;
  if (LSTATUS status = CopyName(open->subkeys[index]->name, name, name_length))
    return status;
  if (key_class != nullptr && class_length != nullptr && *class_length > 0)
    key_class[0] = 0;
  if (class_length != nullptr)
    *class_length = 0;
  if (last_write_time != nullptr)
    *last_write_time = FILETIME{0, 0};
  return ERROR_SUCCESS;
}

LSTATUS RegEnumValueW(HKEY key, DWORD index, LPWSTR value_name, LPDWORD value_name_length,
                      LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD data_size) {
  if (reserved != nullptr || (data != nullptr && data_size == nullptr))
    return ERROR_INVALID_PARAMETER;
  if (LSTATUS hooked = RunHook("RegEnumValueW", nullptr))
    return hooked;
  std::shared_ptr<Key> open;
  if (LSTATUS status = Resolve(key, KEY_QUERY_VALUE, open))
    return status;
  if (index >= open->values.size())
    return ERROR_NO_MORE_ITEMS;
  const Value& value = open->values[index];
  if (LSTATUS status = CopyName(value.name, value_name, value_name_length))
    return status;
  if (type != nullptr)
    *type = value.type;
  const auto size = static_cast<DWORD>(value.data.size());
  LSTATUS status = ERROR_SUCCESS;
  if (data != nullptr) {
    if (size > *data_size)
      status = ERROR_MORE_DATA;
    else
      std::copy(value.data.begin(), value.data.end(), data);
  }
  if (data_size != nullptr)
    *data_size = size;
  return status;
}

LSTATUS RegCloseKey(HKEY key) {
  if (LSTATUS hooked = RunHook("RegCloseKey", nullptr))
    return hooked;
  if (IsPredefined(key))
    return ERROR_SUCCESS;
  return State().handles.erase(reinterpret_cast<UINT_PTR>(key)) == 1 ? ERROR_SUCCESS
                                                                     : ERROR_INVALID_HANDLE;
}

LSTATUS RegOverridePredefKey(HKEY key, HKEY new_key) {
  if (LSTATUS hooked = RunHook("RegOverridePredefKey", nullptr))
    return hooked;
  RegistryState& state = State();
  if (!IsPredefined(key))
    return ERROR_INVALID_HANDLE;
  if (new_key == nullptr) {
    state.overrides.erase(key);
    return ERROR_SUCCESS;
  }
  // Only an opened key will do: a predefined key is no entry of the handle table.
  auto found = state.handles.find(reinterpret_cast<UINT_PTR>(new_key));
  if (found == state.handles.end())
    return ERROR_INVALID_HANDLE;
  state.overrides[key] = found->second;
  return ERROR_SUCCESS;
}

void hostwin::ResetRegistry() {
  State() = RegistryState();
}

size_t hostwin::OpenRegistryKeyCount() {
  return State().handles.size();
}

void hostwin::SetRegistryCallHook(RegistryCallHook hook) {
  State().hook = std::move(hook);
}
