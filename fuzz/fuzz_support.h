#pragma once
// What the fuzz targets share: a check that stops the run with a message, texts drawn from the
// input, and raw registry access that bypasses the code under test.
#include <fuzzer/FuzzedDataProvider.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32_api.h"
#include "harness/registry_values.h"
#include "textlib/tu_text.h"

// Unlike assert, stays on in optimised builds; the message says which property broke.
#define FUZZ_CHECK(condition, message)                                                   \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: %s (%s)\n", __FILE__, __LINE__, message, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

namespace fuzz {

// The code pages the product meets: the classic locale before the user's is set, a UTF-8 locale
// (the host tests' Japanese setting) and Shift-JIS (code page 932). The Shift-JIS locale is
// generated into the build by script/fuzz.
enum class CodePage { kClassic, kUtf8, kShiftJis };

inline void UseCodePage(CodePage code_page) {
  static const char* const kLocales[] = {"C", "C.UTF-8", "ja_JP.SJIS"};
  const char* name = kLocales[static_cast<int>(code_page)];
  if (std::setlocale(LC_ALL, name) == nullptr) {
    std::fprintf(stderr, "locale %s is missing (LOCPATH=%s): run through script/fuzz\n", name,
                 std::getenv("LOCPATH") ? std::getenv("LOCPATH") : "");
    std::abort();
  }
}

// Code units two input bytes each, so that surrogates, NULs and every plane show up.
inline std::u16string ConsumeUnits(FuzzedDataProvider& input, size_t max_units) {
  const size_t count = input.ConsumeIntegralInRange<size_t>(0, max_units);
  std::u16string units;
  for (size_t i = 0; i < count && input.remaining_bytes() > 0; ++i)
    units.push_back(input.ConsumeIntegral<char16_t>());
  return units;
}

// Mostly characters that matter to the code under test, now and then any code unit.
inline std::u16string ConsumeInterestingUnits(FuzzedDataProvider& input, size_t max_units) {
  static const char16_t kAlphabet[] = u"\\/:,=%$&`'ab.0x9-+ \u00a5\u65e5";
  const size_t count = input.ConsumeIntegralInRange<size_t>(0, max_units);
  std::u16string units;
  for (size_t i = 0; i < count && input.remaining_bytes() > 0; ++i) {
    const uint8_t pick = input.ConsumeIntegral<uint8_t>();
    units.push_back(pick < 224 ? kAlphabet[pick % (sizeof(kAlphabet) / 2 - 1)]
                               : input.ConsumeIntegral<char16_t>());
  }
  return units;
}

inline exlib::Tu_text TextOf(const std::u16string& units) {
  return exlib::Tu_text(units.c_str(), static_cast<int32_t>(units.size()));
}

// The whole wide form, NULs included.
inline std::u16string WideOf(const exlib::Tu_text& text) {
  return std::u16string(text.Wide(), static_cast<size_t>(text.Length()));
}

// Raw registry access that bypasses the code under test, shared with the unit tests.
using testsupport::KeyExists;
using testsupport::RawValue;
using testsupport::ReadRaw;
using testsupport::TextBytes;

inline bool Exists(const RawValue& value) {
  return value.status == ERROR_SUCCESS;
}

// What ReadRaw gives for a value whose key or value is missing.
inline RawValue Missing() {
  return RawValue{ERROR_FILE_NOT_FOUND, REG_NONE, {}};
}

inline RawValue Stored(DWORD type, std::vector<BYTE> bytes) {
  return RawValue{ERROR_SUCCESS, type, std::move(bytes)};
}

inline void WriteRaw(HKEY root, const std::u16string& path, const std::u16string& name, DWORD type,
                     const std::vector<BYTE>& bytes) {
  FUZZ_CHECK(testsupport::WriteRaw(root, path, name, type, bytes) == ERROR_SUCCESS,
             "the fixture's value cannot be written");
}

// The text a reader sees in a stored value: whole characters up to the first NUL; a value that
// is missing or not text reads as empty.
inline std::u16string TextIn(const RawValue& value) {
  std::u16string text;
  if (!Exists(value) || (value.type != REG_SZ && value.type != REG_EXPAND_SZ))
    return text;
  for (size_t i = 0; i + 1 < value.bytes.size(); i += 2) {
    const char16_t c = static_cast<char16_t>(value.bytes[i] | (value.bytes[i + 1] << 8));
    if (c == u'\0')
      break;
    text.push_back(c);
  }
  return text;
}

// The list's items as the package list is defined: cut at every ",", no item after a trailing
// separator, none at all for the empty text.
inline std::vector<std::u16string> ItemsOf(const std::u16string& list) {
  std::vector<std::u16string> items;
  size_t start = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i] == u',') {
      items.push_back(list.substr(start, i - start));
      start = i + 1;
    }
  }
  if (start < list.size())
    items.push_back(list.substr(start));
  return items;
}

}  // namespace fuzz
