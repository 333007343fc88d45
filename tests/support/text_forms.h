#pragma once
// Texts to and from std::u16string for tests: always the whole UTF-16 form, NULs included, so
// that a check never passes on a text cut short at its first NUL.
#include <string>

#include "textlib/tu_text.h"

namespace testsupport {

inline exlib::Tu_text Text(const std::u16string& wide) {
  return exlib::Tu_text::FromWide(wide);
}

inline std::u16string WideOf(const exlib::Tu_text& text) {
  return std::u16string(text.WideView());
}

}  // namespace testsupport
