#pragma once
// UTF-16 to 8-bit text and back, for the console's byte streams and for command-line parsing.
#include <string>
#include <string_view>

namespace packreg {

// UTF-8 for output; a lone surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

// An argument spelt in 8-bit units for parsing, and the exact argument back from that spelling:
// UTF-8, except that a lone surrogate (which Windows command lines can hold) is spelt as its own
// three-byte sequence. Any part of a spelling cut at an ASCII character reads back exactly too.
std::string SpellArgument(std::u16string_view argument);
std::u16string ReadSpelling(std::string_view spelling);

}  // namespace packreg
