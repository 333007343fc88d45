// The standard library's regular expressions take wchar_t, not char16_t: the wide form is widened
// code unit by code unit (a surrogate pair stays two units, as it is on Windows).
#include <regex>

#include "textlib/tu_text.h"

namespace exlib {
namespace {

std::wstring ToWideChars(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

std::u16string ToCodeUnits(const std::wstring& text) {
  std::u16string units(text.size(), u'\0');
  for (size_t i = 0; i < text.size(); ++i) units[i] = static_cast<char16_t>(text[i]);
  return units;
}

}  // namespace

Tu_text Tu_text::RegexReplace(Tu_text pattern, Tu_text format) const {
  if (!wide_)
    return *this;
  try {
    const std::wregex expression(ToWideChars(pattern.Wide()));
    const std::wstring replaced =
        std::regex_replace(ToWideChars(Wide()), expression, ToWideChars(format.Wide()));
    return Tu_text(ToCodeUnits(replaced).c_str());
  } catch (const std::regex_error&) {
    return Tu_text();
  }
}

}  // namespace exlib
