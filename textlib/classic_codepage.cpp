#include "textlib/classic_codepage.h"

#include "textlib/codepage.h"

namespace exlib {

std::optional<std::u16string> ClassicToWide(std::string_view narrow) {
  if (narrow.size() > kMaxConvertedLength)
    return std::nullopt;
  std::u16string wide(narrow.size(), u'\0');
  for (size_t i = 0; i < narrow.size(); ++i) wide[i] = static_cast<unsigned char>(narrow[i]);
  return wide;
}

std::optional<std::string> ClassicToNarrow(std::u16string_view wide) {
  if (wide.size() > kMaxConvertedLength)
    return std::nullopt;
  std::string narrow(wide.size(), '\0');
  for (size_t i = 0; i < wide.size(); ++i) {
    if (wide[i] > 0xFF)
      return std::nullopt;
    narrow[i] = static_cast<char>(wide[i]);
  }
  return narrow;
}

bool IsAscii(std::string_view narrow) {
  for (char c : narrow) {
    if (static_cast<unsigned char>(c) >= 0x80)
      return false;
  }
  return true;
}

bool IsAscii(std::u16string_view wide) {
  for (char16_t c : wide) {
    if (c >= 0x80)
      return false;
  }
  return true;
}

}  // namespace exlib
