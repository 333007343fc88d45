#include "registry/text_value.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "registry/scoped_key.h"

namespace {

bool IsTextType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ;
}

WideTextValue Outcome(LSTATUS status) {
  return WideTextValue{status == ERROR_FILE_NOT_FOUND ? TextRead::kNoText : TextRead::kFailed, {}};
}

}  // namespace

// The value is sized first and read into a buffer of exactly that size. The text ends at the
// first NUL within the bytes the read returned, or with the last whole character when the value
// was stored without one: a value of odd size loses its last half character, and nothing is read
// past the stored bytes.
WideTextValue ReadWideTextValue(HKEY root, const exlib::Tu_text& key_path,
                                const exlib::Tu_text& value_name) {
  ScopedKey key;
  if (LSTATUS opened = RegOpenKeyExW(root, ToWin(key_path.Wide()), 0, KEY_READ, key.Receive()))
    return Outcome(opened);
  DWORD type = REG_NONE;
  DWORD size = 0;
  if (LSTATUS sized =
          RegQueryValueExW(key.Get(), ToWin(value_name.Wide()), nullptr, &type, nullptr, &size))
    return Outcome(sized);
  if (!IsTextType(type))
    return WideTextValue{TextRead::kNoText, {}};
  if (size == 0)
    return WideTextValue{TextRead::kText, {}};

  std::u16string buffer(size / 2 + size % 2, u'\0');  // rounded up without wrapping
  if (RegQueryValueExW(key.Get(), ToWin(value_name.Wide()), nullptr, &type,
                       reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS ||
      !IsTextType(type))
    return WideTextValue{TextRead::kFailed, {}};
  const auto characters = std::u16string_view(buffer).substr(0, size / 2);
  buffer.resize(std::min(characters.find(u'\0'), characters.size()));
  return WideTextValue{TextRead::kText, std::move(buffer)};
}

TextValue ReadTextValue(HKEY root, const exlib::Tu_text& key_path,
                        const exlib::Tu_text& value_name) {
  const WideTextValue read = ReadWideTextValue(root, key_path, value_name);
  return TextValue{read.outcome,
                   exlib::Tu_text(read.text.c_str(), static_cast<int32_t>(read.text.size()))};
}
