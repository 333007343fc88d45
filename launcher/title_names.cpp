#include "launcher/title_names.h"

#include "textlib/codepage.h"

std::u16string TitleDisplayName(const exlib::Tu_text& name) {
  if (name.HasNarrow()) {
    if (std::optional<std::u16string> decoded =
            exlib::DecodeShiftJis(std::string_view(name.Narrow(), name.NarrowLength()))) {
      return *decoded;
    }
  }
  return std::u16string(name.WideView());
}
