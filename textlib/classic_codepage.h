#pragma once
// The classic locale's code page on every platform: bytes 0-255 are the code units 0-255.
#include <optional>
#include <string>
#include <string_view>

namespace exlib {

std::optional<std::u16string> ClassicToWide(std::string_view narrow);
std::optional<std::string> ClassicToNarrow(std::u16string_view wide);  // fails above 255

// Texts of code units below 0x80 only: every code page the runtime's locale can have here maps
// them one to one, so they need no conversion call (most texts are registry names and paths).
bool IsAscii(std::string_view narrow);
bool IsAscii(std::u16string_view wide);

}  // namespace exlib
