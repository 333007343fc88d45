#pragma once
// Reading a text value while telling why it could not be read, for callers that write back what
// they read and must not overwrite a value that exists but did not come through.
#include <string>

#include "platform/win32_api.h"
#include "textlib/tu_text.h"

enum class TextRead {
  kText,    // the value is text; `text` holds it (possibly empty)
  kNoText,  // no such key or value, or the value is of another type
  kFailed,  // the key could not be opened otherwise, or the value changed while being read
};

struct TextValue {
  TextRead outcome;
  exlib::Tu_text text;  // empty unless kText
};

TextValue ReadTextValue(HKEY root, const exlib::Tu_text& key_path,
                        const exlib::Tu_text& value_name);

// The same read with the text left as UTF-16 code units, for callers that only scan it: a long
// value is then copied once and never converted to the narrow form.
struct WideTextValue {
  TextRead outcome;
  std::u16string text;  // empty unless kText
};

WideTextValue ReadWideTextValue(HKEY root, const exlib::Tu_text& key_path,
                                const exlib::Tu_text& value_name);
