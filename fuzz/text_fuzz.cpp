// The text value under arbitrary input: construction from narrow bytes in each code page and
// from arbitrary code units, then every operation with arbitrary arguments, checked against
// plain models over std::u16string.
#include <cstring>
#include <optional>
#include <string>

#include "fuzz/fuzz_support.h"
#include "textlib/codepage.h"
#include "textlib/tu_text.h"

using exlib::Tu_text;
using fuzz::WideOf;

namespace {

// Strict UTF-8 as Windows' MB_ERR_INVALID_CHARS decodes it: no overlong forms, no surrogates,
// nothing above U+10FFFF, no cut sequence.
std::optional<std::u16string> DecodeUtf8(const std::string& bytes) {
  std::u16string out;
  for (size_t i = 0; i < bytes.size();) {
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(bytes[k]); };
    const uint8_t lead = byte(i);
    size_t extra;
    uint32_t code;
    uint32_t lowest;
    if (lead < 0x80) {
      extra = 0, code = lead, lowest = 0;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1, code = lead & 0x1F, lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2, code = lead & 0x0F, lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3, code = lead & 0x07, lowest = 0x10000;
    } else {
      return std::nullopt;
    }
    if (i + extra >= bytes.size())
      return std::nullopt;
    for (size_t k = 1; k <= extra; ++k) {
      if ((byte(i + k) & 0xC0) != 0x80)
        return std::nullopt;
      code = (code << 6) | (byte(i + k) & 0x3F);
    }
    if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
      return std::nullopt;
    if (code >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
    i += extra + 1;
  }
  return out;
}

std::u16string UpToNul(const std::u16string& units) {
  return units.substr(0, units.find(u'\0'));
}

// What each code page must give for narrow bytes; beyond these rules Shift-JIS is held to
// converting back to the same wide form.
void CheckNarrowConstruction(fuzz::CodePage code_page, const std::string& bytes) {
  const Tu_text text(bytes.c_str());
  FUZZ_CHECK(text.HasNarrow() && std::strcmp(text.Narrow(), bytes.c_str()) == 0,
             "the narrow form is not kept as given");
  const std::string narrow = text.Narrow();
  switch (code_page) {
    case fuzz::CodePage::kClassic: {
      FUZZ_CHECK(text.HasWide(), "the classic locale failed to convert a byte");
      std::u16string expected(narrow.begin(), narrow.end());
      for (char16_t& c : expected) c = static_cast<char16_t>(c & 0xFF);
      FUZZ_CHECK(WideOf(text) == expected, "the classic locale does not map bytes one to one");
      break;
    }
    case fuzz::CodePage::kUtf8: {
      const std::optional<std::u16string> expected = DecodeUtf8(narrow);
      FUZZ_CHECK(text.HasWide() == expected.has_value(),
                 "UTF-8 validity differs from the strict decoder's");
      if (expected)
        FUZZ_CHECK(WideOf(text) == *expected, "UTF-8 decodes differently");
      break;
    }
    case fuzz::CodePage::kShiftJis: {
      if (!text.HasWide())
        break;
      const std::u16string wide = WideOf(text);
      FUZZ_CHECK(wide.size() <= narrow.size(), "a Shift-JIS character took less than a byte");
      // Code page 932 keeps ASCII as it is: the backslash stays a backslash.
      bool all_ascii = true;
      for (char c : narrow) all_ascii = all_ascii && static_cast<uint8_t>(c) < 0x80;
      if (all_ascii)
        FUZZ_CHECK(wide == std::u16string(narrow.begin(), narrow.end()),
                   "Shift-JIS does not keep ASCII bytes as they are");
      const std::optional<std::string> back = exlib::WideToNarrow(wide);
      FUZZ_CHECK(back.has_value(), "a decoded Shift-JIS text does not encode again");
      FUZZ_CHECK(exlib::NarrowToWide(*back) == wide, "Shift-JIS does not round-trip");
      break;
    }
  }
  if (code_page != fuzz::CodePage::kShiftJis && text.HasWide()) {
    FUZZ_CHECK(exlib::WideToNarrow(WideOf(text)) == narrow, "the narrow form does not round-trip");
  }
  const Tu_text copy(text);
  FUZZ_CHECK(std::strcmp(copy.Narrow(), text.Narrow()) == 0 && WideOf(copy) == WideOf(text),
             "a copy under the same code page differs");
}

void CheckWideConstruction(const std::u16string& units) {
  const Tu_text text = fuzz::TextOf(units);
  FUZZ_CHECK(text.HasWide() && WideOf(text) == units, "the wide form is not kept as given");
  if (text.HasNarrow()) {
    FUZZ_CHECK(exlib::NarrowToWide(text.Narrow()) == UpToNul(units),
               "the narrow form does not convert back to the wide form");
  }
  Tu_text assigned;
  assigned = text;
  FUZZ_CHECK(WideOf(assigned) == UpToNul(units), "assignment does not carry the wide form over");
}

int32_t ModelFind(const std::u16string& text, const std::u16string& needle, int32_t start) {
  const int64_t n = static_cast<int64_t>(text.size());
  const int64_t b = static_cast<int64_t>(needle.size());
  for (int64_t i = start < 0 ? 0 : start; i + b <= n; ++i) {
    if (text.compare(static_cast<size_t>(i), needle.size(), needle) == 0)
      return static_cast<int32_t>(i);
  }
  return -1;
}

int32_t ModelFindLast(const std::u16string& text, const std::u16string& needle, int32_t lowest) {
  const int64_t floor = lowest < 0 ? 0 : lowest;
  for (int64_t i = static_cast<int64_t>(text.size()) - static_cast<int64_t>(needle.size());
       i >= floor; --i) {
    if (text.compare(static_cast<size_t>(i), needle.size(), needle) == 0)
      return static_cast<int32_t>(i);
  }
  return -1;
}

std::u16string Replaced(std::u16string text, char16_t from, char16_t to) {
  for (char16_t& c : text) {
    if (c == from)
      c = to;
  }
  return text;
}

void CheckSplit(const Tu_text& text, const Tu_text& separator) {
  const std::u16string whole = WideOf(text);
  // Split takes its separator by value, and a copy reads the narrow form again.
  const std::u16string cut = WideOf(Tu_text(separator));
  exlib::Tu_owned_array<Tu_text> list;
  list.Add(new Tu_text(u"kept"));
  const int32_t added = text.Split(list, separator);
  FUZZ_CHECK(added >= 0 && list.Count() == static_cast<uint32_t>(added) + 1,
             "Split's count differs from the items it appended");
  FUZZ_CHECK(WideOf(*list.GetAt(0)) == u"kept", "Split changed an item already in the list");
  if (whole.empty()) {
    FUZZ_CHECK(added == 0, "the empty text split into items");
    return;
  }
  if (cut.empty()) {
    FUZZ_CHECK(added == 1 && WideOf(*list.GetAt(1)) == whole,
               "an empty separator did not leave the text whole");
    return;
  }
  // Joining the items again gives the text, but for a separator that ends it; and no item holds
  // the separator, since matches are taken leftmost first.
  std::u16string joined;
  for (uint32_t i = 1; i < list.Count(); ++i) {
    const std::u16string item = WideOf(*list.GetAt(i));
    FUZZ_CHECK(item.find(cut) == std::u16string::npos, "an item still holds the separator");
    if (i > 1)
      joined += cut;
    joined += item;
  }
  FUZZ_CHECK(joined == whole || joined + cut == whole, "the items do not join back into the text");
}

void CheckOperations(FuzzedDataProvider& input, const Tu_text& text, const Tu_text& other) {
  const std::u16string wide = WideOf(text);
  const std::u16string other_wide = WideOf(other);
  const auto n = static_cast<int32_t>(wide.size());
  const int32_t count = input.ConsumeIntegralInRange<int32_t>(-2, n + 2);
  const int32_t start = input.ConsumeIntegralInRange<int32_t>(-2, n + 2);

  const Tu_text left = text.Left(count);
  if (wide.empty()) {
    FUZZ_CHECK(!left.HasWide(), "Left of an empty text is set");
  } else {
    FUZZ_CHECK(WideOf(left) == wide.substr(0, count < 0 ? 0 : static_cast<size_t>(count)),
               "Left differs from the model");
  }
  const Tu_text mid = text.Mid(start);
  if (start >= n || wide.empty()) {
    FUZZ_CHECK(!mid.HasWide(), "Mid past the end is set");
  } else {
    FUZZ_CHECK(WideOf(mid) == UpToNul(wide.substr(start < 0 ? 0 : static_cast<size_t>(start))),
               "Mid differs from the model");
  }
  FUZZ_CHECK(text.Find(other, start) == ModelFind(wide, other_wide, start),
             "Find differs from the model");
  FUZZ_CHECK(text.FindLast(other, start) == ModelFindLast(wide, other_wide, start),
             "FindLast differs from the model");
  FUZZ_CHECK((text == other) == (UpToNul(wide) == UpToNul(other_wide)),
             "equality differs from comparing the wide forms");

  FUZZ_CHECK(WideOf(text.Concat(other)) == UpToNul(wide) + other_wide,
             "Concat differs from the model");
  Tu_text appended;
  appended = text;  // carries the wide form over whatever the narrow one holds
  const std::u16string before = WideOf(appended);
  appended.Append(other);
  FUZZ_CHECK(WideOf(appended) == (other_wide.empty() ? before : before + other_wide),
             "Append differs from the model");
  Tu_text doubled = fuzz::TextOf(wide);
  doubled.Append(doubled);
  FUZZ_CHECK(WideOf(doubled) == wide + wide, "appending a text to itself does not double it");

  Tu_text slashed = fuzz::TextOf(wide);
  slashed.SlashesToBackslashes();
  FUZZ_CHECK(WideOf(slashed) == Replaced(UpToNul(wide), u'/', u'\\'),
             "SlashesToBackslashes differs from the model");

  CheckSplit(text, other);
}

// Decimal numbers short enough not to wrap read as strtoll reads them.
void CheckToInt64(const Tu_text& text) {
  const std::u16string wide = WideOf(text);
  const int64_t value = text.ToInt64();
  size_t digits_at = !wide.empty() && (wide[0] == u'+' || wide[0] == u'-') ? 1 : 0;
  if (digits_at >= wide.size() || wide[digits_at] < u'0' || wide[digits_at] > u'9') {
    FUZZ_CHECK(value == 0, "a text without a leading number reads as non-zero");
    return;
  }
  const bool hexadecimal = wide.size() > 2 && wide[digits_at] == u'0' &&
                           (wide[digits_at + 1] == u'x' || wide[digits_at + 1] == u'X');
  std::string ascii;
  for (size_t i = 0; i < wide.size() && wide[i] < 0x80; ++i)
    ascii.push_back(static_cast<char>(wide[i]));
  size_t end = digits_at;
  while (end < ascii.size() && ascii[end] >= '0' && ascii[end] <= '9') ++end;
  if (!hexadecimal && end - digits_at <= 18) {
    FUZZ_CHECK(value == std::strtoll(ascii.substr(0, end).c_str(), nullptr, 10),
               "a decimal number reads differently from strtoll");
  }
}

// The patterns the product itself uses, each with what it must do.
void CheckRegexReplace(FuzzedDataProvider& input, const Tu_text& text) {
  const std::u16string wide = UpToNul(WideOf(text));
  FUZZ_CHECK(WideOf(text.RegexReplace("/", "\\")) == Replaced(wide, u'/', u'\\'),
             "replacing slashes differs from the model");
  std::u16string collapsed;
  for (char16_t c : wide) {
    if (!(c == u'\\' && !collapsed.empty() && collapsed.back() == u'\\'))
      collapsed.push_back(c);
  }
  FUZZ_CHECK(WideOf(text.RegexReplace("\\\\+", "\\")) == collapsed,
             "collapsing backslashes differs from the model");
  // A format without "$" is put in literally.
  const std::u16string format = fuzz::ConsumeInterestingUnits(input, 8);
  const Tu_text replaced = text.RegexReplace("%dir%", fuzz::TextOf(format));
  if (format.find(u'$') == std::u16string::npos && format.find(u'\0') == std::u16string::npos) {
    std::u16string expected;
    size_t from = 0;
    for (size_t at = wide.find(u"%dir%"); at != std::u16string::npos;
         at = wide.find(u"%dir%", from)) {
      expected += wide.substr(from, at - from) + format;
      from = at + 5;
    }
    expected += wide.substr(std::min(from, wide.size()));
    FUZZ_CHECK(WideOf(replaced) == expected, "a literal format differs from the model");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const auto code_page = static_cast<fuzz::CodePage>(input.ConsumeIntegralInRange<int>(0, 2));
  fuzz::UseCodePage(code_page);

  const std::string bytes = input.ConsumeRandomLengthString(64);
  CheckNarrowConstruction(code_page, bytes);
  const std::u16string units = input.ConsumeBool() ? fuzz::ConsumeUnits(input, 32)
                                                   : fuzz::ConsumeInterestingUnits(input, 32);
  CheckWideConstruction(units);

  const Tu_text narrow_text(bytes.c_str());
  const Tu_text wide_text = fuzz::TextOf(units);
  const Tu_text needle = fuzz::TextOf(fuzz::ConsumeInterestingUnits(input, 4));
  CheckOperations(input, narrow_text, needle);
  CheckOperations(input, wide_text, needle);
  CheckOperations(input, wide_text, narrow_text);
  CheckToInt64(narrow_text);
  CheckToInt64(wide_text);
  CheckRegexReplace(input, wide_text);
  return 0;
}
