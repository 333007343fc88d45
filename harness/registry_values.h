#pragma once
// Raw reads and writes of registry values, each opening and closing its own key, bypassing the
// product's own registry code: for tests, fuzz targets and benchmarks alike.
#include <optional>
#include <string>
#include <vector>

#include "platform/win32_api.h"

namespace testsupport {

// A value as stored.
struct RawValue {
  LSTATUS status = ERROR_SUCCESS;
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;

  bool operator==(const RawValue& other) const {
    return status == other.status && type == other.type && bytes == other.bytes;
  }
};

// Asks the size first, then reads into a buffer of exactly that size, so that the registry
// never has room to end a text with a NUL of its own.
RawValue ReadRaw(HKEY key, const std::u16string& name);
RawValue ReadRaw(HKEY root, const std::u16string& path, const std::u16string& name);

// Stores the bytes as given, with guard characters behind them so that the registry never finds
// a NUL there to add to a text. Creates the key when it is missing.
LSTATUS WriteRaw(HKEY root, const std::u16string& path, const std::u16string& name, DWORD type,
                 std::vector<BYTE> bytes);

// The UTF-16 bytes of a text, with its NUL when asked.
std::vector<BYTE> TextBytes(const std::u16string& text, bool with_nul = true);

// A REG_SZ (or the given text type) with its terminating NUL, as Windows stores it.
LSTATUS WriteText(HKEY root, const std::u16string& path, const std::u16string& name,
                  const std::u16string& text, DWORD type = REG_SZ);

// The value's text when it exists with a text type, without its terminating NUL.
std::optional<std::u16string> ReadText(HKEY root, const std::u16string& path,
                                       const std::u16string& name);

bool KeyExists(HKEY root, const std::u16string& path);

LSTATUS DeleteValue(HKEY root, const std::u16string& path, const std::u16string& name);

// The longest name of a key or value, NUL included.
constexpr DWORD kLongestKeyName = 16384;

std::vector<std::u16string> SubkeyNames(HKEY key);

// Removes the key and everything below it; a missing key counts as removed.
bool DeleteKeyTree(HKEY root, const std::u16string& path);

}  // namespace testsupport
