#pragma once
// Conversions between the narrow form of a text and UTF-16, in the code page of the C runtime's
// current locale. Before the user's locale is set (the classic locale) bytes map one to one onto
// the code units 0 to 255. A conversion fails as a whole, returning nothing, on a byte sequence
// that is invalid in the code page, on a code unit without an exact mapping (no best fit, no
// default character), and when either side would be longer than kMaxConvertedLength.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace exlib {

constexpr size_t kMaxConvertedLength = INT32_MAX - 1;

std::optional<std::u16string> NarrowToWide(std::string_view narrow);
std::optional<std::string> WideToNarrow(std::u16string_view wide);

// Shift-JIS (Windows code page 932) whatever the current code page: the product's own Japanese
// bytes, for callers that must show them on any system.
std::optional<std::u16string> DecodeShiftJis(std::string_view shift_jis);

// Switches the C runtime's locale of every category to the user's default, once per process.
// Texts made before this call keep what the classic locale gave them; copies read them again.
void SetUserDefaultLocale();

}  // namespace exlib
