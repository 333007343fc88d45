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

// Within the bounds that keep the matcher's recursion a small part of any thread's stack.
bool MatchStaysShallow(std::u16string_view text, std::u16string_view pattern) {
  if (pattern.size() > Tu_text::kRegexMaxPattern)
    return false;
  const bool repeats = pattern.find_first_of(u"*+?{") != std::u16string_view::npos;
  return !repeats || text.size() * pattern.size() <= Tu_text::kRegexRepetitionBudget;
}

}  // namespace

Tu_text Tu_text::RegexReplace(Tu_text pattern, Tu_text format) const {
  if (!wide_ || !MatchStaysShallow(Wide(), pattern.Wide()))
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
