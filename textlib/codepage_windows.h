#pragma once
// The Windows conversions in a given code page; 0 stands for the classic locale's one-to-one
// byte mapping. Same failure rules as codepage.h.
#include <optional>
#include <string>
#include <string_view>

namespace exlib {

std::optional<std::u16string> NarrowToWideIn(unsigned code_page, std::string_view narrow);
std::optional<std::string> WideToNarrowIn(unsigned code_page, std::u16string_view wide);

}  // namespace exlib
