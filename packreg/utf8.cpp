#include "packreg/utf8.h"

#include <cstdint>

namespace packreg {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendEncoded(std::string& bytes, char32_t code_point) {
  if (code_point < 0x80) {
    bytes += static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    bytes += static_cast<char>(0xC0 | (code_point >> 6));
    bytes += static_cast<char>(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    bytes += static_cast<char>(0xE0 | (code_point >> 12));
    bytes += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    bytes += static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    bytes += static_cast<char>(0xF0 | (code_point >> 18));
    bytes += static_cast<char>(0x80 | ((code_point >> 12) & 0x3F));
    bytes += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    bytes += static_cast<char>(0x80 | (code_point & 0x3F));
  }
}

// Pairs surrogates; a lone one is handed on as it is, or as the replacement.
template <typename Sink>
void ForEachCodePoint(std::u16string_view text, bool keep_lone_surrogates, Sink sink) {
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      sink(0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{text[i + 1]} - 0xDC00));
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      sink(keep_lone_surrogates ? char32_t{unit} : kReplacement);
    } else {
      sink(char32_t{unit});
    }
  }
}

std::string Encode(std::u16string_view text, bool keep_lone_surrogates) {
  std::string bytes;
  bytes.reserve(text.size());
  ForEachCodePoint(text, keep_lone_surrogates,
                   [&bytes](char32_t code_point) { AppendEncoded(bytes, code_point); });
  return bytes;
}

void AppendUtf16(std::u16string& text, char32_t code_point) {
  if (code_point < 0x10000) {
    text += static_cast<char16_t>(code_point);
  } else {
    text += static_cast<char16_t>(0xD800 + ((code_point - 0x10000) >> 10));
    text += static_cast<char16_t>(0xDC00 + ((code_point - 0x10000) & 0x3FF));
  }
}

}  // namespace

std::string ToUtf8(std::u16string_view text) {
  return Encode(text, false);
}

std::string SpellArgument(std::u16string_view argument) {
  return Encode(argument, true);
}

// Spellings come from SpellArgument, so every sequence is complete; a stray byte is taken as the
// replacement rather than trusted.
std::u16string ReadSpelling(std::string_view spelling) {
  std::u16string text;
  text.reserve(spelling.size());
  size_t i = 0;
  while (i < spelling.size()) {
    const auto lead = static_cast<uint8_t>(spelling[i]);
    const size_t length = lead < 0x80    ? 1
                          : lead >= 0xF0 ? 4
                          : lead >= 0xE0 ? 3
                          : lead >= 0xC0 ? 2
                                         : 0;
    bool complete = length != 0 && i + length <= spelling.size();
    char32_t code_point = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; complete && k < length; ++k) {
      const auto trail = static_cast<uint8_t>(spelling[i + k]);
      complete = (trail & 0xC0) == 0x80;
      code_point = (code_point << 6) | (trail & 0x3F);
    }
    AppendUtf16(text, complete ? code_point : kReplacement);
    i += complete ? length : 1;
  }
  return text;
}

}  // namespace packreg
