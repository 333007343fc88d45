// Cutting, searching, splitting and number parsing; all of them read the wide form.
#include <algorithm>
#include <memory>

#include "textlib/tu_text.h"

namespace exlib {
namespace {

size_t NotNegative(int32_t value) {
  return value < 0 ? 0 : static_cast<size_t>(value);
}

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}
bool IsLowerLetter(char16_t c) {
  return c >= u'a' && c <= u'z';
}
bool IsUpperLetter(char16_t c) {
  return c >= u'A' && c <= u'Z';
}

}  // namespace

Tu_text Tu_text::Left(int32_t count) const {
  const std::u16string_view text = WideView();
  if (text.empty())
    return Tu_text();
  Tu_text result;
  result.AssignWideString(std::u16string(text.substr(0, NotNegative(count))));
  return result;
}

Tu_text Tu_text::Mid(int32_t start) const {
  const size_t from = NotNegative(start);
  if (from >= WideView().size())
    return Tu_text();
  return Tu_text(wide_->c_str() + from);
}

int32_t Tu_text::Find(const Tu_text& needle, int32_t start) const {
  const size_t found = WideView().find(needle.WideView(), NotNegative(start));
  return found == std::u16string_view::npos ? -1 : static_cast<int32_t>(found);
}

int32_t Tu_text::FindLast(const Tu_text& needle, int32_t lowest) const {
  const std::u16string_view text = WideView();
  const std::u16string_view pattern = needle.WideView();
  const size_t floor = NotNegative(lowest);
  if (pattern.size() > text.size() || text.size() - pattern.size() < floor)
    return -1;
  const size_t found = text.rfind(pattern);
  return found == std::u16string_view::npos || found < floor ? -1 : static_cast<int32_t>(found);
}

// Decimal, or hexadecimal behind "0x"; in hexadecimal every letter up to 'z' counts, as 10 to 35.
// Overflow wraps.
int64_t Tu_text::ToInt64() const {
  const std::u16string_view text = WideView();
  size_t i = 0;
  const bool negative = !text.empty() && text[0] == u'-';
  if (!text.empty() && (text[0] == u'+' || negative))
    i = 1;
  if (i >= text.size() || !IsDigit(text[i]))
    return 0;
  const bool hexadecimal =
      text.size() > 2 && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X');
  if (hexadecimal)
    i += 2;
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (IsDigit(c)) {
      value = value * (hexadecimal ? 16 : 10) + (c - u'0');
    } else if (hexadecimal && IsLowerLetter(c)) {
      value = (value << 4) + (c - u'a' + 10);
    } else if (hexadecimal && IsUpperLetter(c)) {
      value = (value << 4) + (c - u'A' + 10);
    } else {
      break;
    }
  }
  return static_cast<int64_t>(negative ? 0 - value : value);
}

int32_t Tu_text::Split(Tu_owned_array<Tu_text>& list, Tu_text separator) const {
  const std::u16string_view text = WideView();
  const std::u16string_view cut = separator.WideView();
  int32_t added = 0;
  const auto add = [&](std::u16string_view piece) {
    auto item = std::make_unique<Tu_text>();
    item->AssignWideString(std::u16string(piece));
    list.Add(item.get());
    item.release();
    ++added;
  };
  size_t start = 0;
  if (!cut.empty()) {
    for (size_t at = text.find(cut); at != std::u16string_view::npos; at = text.find(cut, start)) {
      add(text.substr(start, at - start));
      start = at + cut.size();
    }
  }
  if (start < text.size())
    add(text.substr(start));
  return added;
}

}  // namespace exlib
