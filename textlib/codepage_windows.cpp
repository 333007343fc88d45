#include <locale.h>

#include "platform/win32_api.h"
#include "textlib/classic_codepage.h"
#include "textlib/codepage.h"
#include "textlib/codepage_windows.h"

namespace exlib {
namespace {

constexpr unsigned kClassic = 0;
constexpr unsigned kShiftJis = 932;
constexpr unsigned kGb18030 = 54936;

// UTF-8 and GB18030 map every character, refuse the best-fit flag and the default-character
// question, and take the invalid-characters flag instead.
bool IsUnicodeEncoding(unsigned code_page) {
  return code_page == CP_UTF8 || code_page == kGb18030;
}

// The code pages a user's locale can select, all of which map 0x00-0x7F to the same code units.
bool IsAsciiCompatible(unsigned code_page) {
  switch (code_page) {
    case 874:
    case 932:
    case 936:
    case 949:
    case 950:
    case CP_UTF8:
    case kGb18030:
      return true;
    default:
      return code_page >= 1250 && code_page <= 1258;
  }
}

// A code page that refuses the strict flags says so with one of these; it is then converted with
// no flags and the result kept only if it converts back to the input.
bool RefusedFlags(DWORD error) {
  return error == ERROR_INVALID_FLAGS || error == ERROR_INVALID_PARAMETER;
}

std::optional<std::u16string> DecodeWith(unsigned code_page, DWORD flags, std::string_view narrow) {
  const int bytes = static_cast<int>(narrow.size());
  const int units = MultiByteToWideChar(code_page, flags, narrow.data(), bytes, nullptr, 0);
  if (units <= 0 || static_cast<size_t>(units) > kMaxConvertedLength)
    return std::nullopt;
  std::u16string wide(static_cast<size_t>(units), u'\0');
  if (MultiByteToWideChar(code_page, flags, narrow.data(), bytes, ToWin(wide.data()), units) !=
      units) {
    return std::nullopt;
  }
  return wide;
}

// flags_refused: the code page refused the flags asked for, as opposed to rejecting the input.
std::optional<std::string> EncodeWith(unsigned code_page, DWORD flags, BOOL* used_default,
                                      std::u16string_view wide, bool* flags_refused) {
  const int units = static_cast<int>(wide.size());
  const wchar_t* source = ToWin(wide.data());
  const int bytes =
      WideCharToMultiByte(code_page, flags, source, units, nullptr, 0, nullptr, used_default);
  if (bytes <= 0) {
    if (flags_refused != nullptr)
      *flags_refused = RefusedFlags(GetLastError());
    return std::nullopt;
  }
  if (static_cast<size_t>(bytes) > kMaxConvertedLength)
    return std::nullopt;
  std::string narrow(static_cast<size_t>(bytes), '\0');
  if (WideCharToMultiByte(code_page, flags, source, units, narrow.data(), bytes, nullptr,
                          used_default) != bytes) {
    return std::nullopt;
  }
  if (used_default != nullptr && *used_default)
    return std::nullopt;
  return narrow;
}

}  // namespace

std::optional<std::u16string> NarrowToWideIn(unsigned code_page, std::string_view narrow) {
  if (narrow.size() > kMaxConvertedLength)
    return std::nullopt;
  if (code_page == kClassic || (IsAsciiCompatible(code_page) && IsAscii(narrow)))
    return ClassicToWide(narrow);
  if (narrow.empty())
    return std::u16string();
  const DWORD strict =
      IsUnicodeEncoding(code_page) ? MB_ERR_INVALID_CHARS : MB_PRECOMPOSED | MB_ERR_INVALID_CHARS;
  std::optional<std::u16string> wide = DecodeWith(code_page, strict, narrow);
  if (wide || !RefusedFlags(GetLastError()))
    return wide;
  wide = DecodeWith(code_page, 0, narrow);
  if (!wide || EncodeWith(code_page, 0, nullptr, *wide, nullptr) != narrow)
    return std::nullopt;
  return wide;
}

std::optional<std::string> WideToNarrowIn(unsigned code_page, std::u16string_view wide) {
  if (wide.size() > kMaxConvertedLength)
    return std::nullopt;
  if (code_page == kClassic || (IsAsciiCompatible(code_page) && IsAscii(wide)))
    return ClassicToNarrow(wide);
  if (wide.empty())
    return std::string();
  if (IsUnicodeEncoding(code_page)) {
    return EncodeWith(code_page, WC_ERR_INVALID_CHARS, nullptr, wide, nullptr);
  }
  BOOL used_default = FALSE;
  bool flags_refused = false;
  std::optional<std::string> narrow =
      EncodeWith(code_page, WC_NO_BEST_FIT_CHARS, &used_default, wide, &flags_refused);
  if (narrow || !flags_refused)
    return narrow;
  narrow = EncodeWith(code_page, 0, nullptr, wide, nullptr);
  if (!narrow || DecodeWith(code_page, 0, *narrow) != wide)
    return std::nullopt;
  return narrow;
}

std::optional<std::u16string> NarrowToWide(std::string_view narrow) {
  return NarrowToWideIn(___lc_codepage_func(), narrow);
}

std::optional<std::string> WideToNarrow(std::u16string_view wide) {
  return WideToNarrowIn(___lc_codepage_func(), wide);
}

std::optional<std::u16string> DecodeShiftJis(std::string_view shift_jis) {
  return NarrowToWideIn(kShiftJis, shift_jis);
}

}  // namespace exlib
