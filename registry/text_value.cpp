#include "registry/text_value.h"

#include <algorithm>

#include "registry/scoped_key.h"
#include "textlib/tu_prim.h"

namespace {

bool IsTextType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ;
}

TextValue Outcome(LSTATUS status) {
  return TextValue{status == ERROR_FILE_NOT_FOUND ? TextRead::kNoText : TextRead::kFailed, {}};
}

}  // namespace

// The value is sized first and read into a buffer of exactly that size. The text ends at the
// first NUL within the bytes the read returned, or with the last whole character when the value
// was stored without one: a value of odd size loses its last half character, and nothing is read
// past the stored bytes.
TextValue ReadTextValue(HKEY root, const exlib::Tu_text& key_path,
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
    return TextValue{TextRead::kNoText, {}};
  if (size == 0)
    return TextValue{TextRead::kText, {}};

  exlib::Tu_prim<char16_t> buffer(size / 2 + size % 2);  // rounded up without wrapping
  if (RegQueryValueExW(key.Get(), ToWin(value_name.Wide()), nullptr, &type,
                       reinterpret_cast<BYTE*>(buffer.Data()), &size) != ERROR_SUCCESS ||
      !IsTextType(type))
    return TextValue{TextRead::kFailed, {}};
  const char16_t* characters = buffer.Data();
  const char16_t* end = std::find(characters, characters + size / 2, u'\0');
  return TextValue{TextRead::kText,
                   exlib::Tu_text(characters, static_cast<int32_t>(end - characters))};
}
