// Narrow texts under code page 932: Windows' own, and the host's Shift-JIS locale, which must
// convert exactly as Windows does. Built with Shift-JIS narrow literals on both targets.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/win32_api.h"
#include "tests/support/text_forms.h"
#include "textlib/codepage.h"
#include "textlib/tu_text.h"

#ifndef _WIN32
#include <langinfo.h>

#include <cstring>
#endif

namespace {

using exlib::Tu_text;
using testsupport::WideOf;

class CodePage932 : public testing::Test {
 protected:
  void SetUp() override {
    exlib::SetUserDefaultLocale();
#ifdef _WIN32
    ASSERT_EQ(GetACP(), 932u) << "run under a Japanese locale";
#else
    ASSERT_STREQ(nl_langinfo(CODESET), "SHIFT_JIS") << "run under ja_JP.SJIS (LOCPATH)";
#endif
  }
};

// Paths keep their backslashes through a copy, which reads the narrow form again.
TEST_F(CodePage932, PathsKeepTheirBackslashes) {
  const Tu_text path(u"C:\\ゲーム\\~data\\");
  EXPECT_STREQ(path.Narrow(), "C:\\ゲーム\\~data\\");
  EXPECT_EQ(WideOf(Tu_text(path)), u"C:\\ゲーム\\~data\\");
}

// Five single bytes have a form only from UTF-16: Wine's code page 932 encodes U+0080 and
// U+F8F0-U+F8F3 as 0x80, 0xA0 and 0xFD-0xFF, but refuses those bytes as invalid when decoding.
TEST_F(CodePage932, ConvertsAsWindows) {
  struct Case {
    const char* what;
    std::string narrow;
    std::u16string wide;
    bool decodes;
  };
  const Case cases[] = {
      {"ASCII backslash and tilde", "\\~", u"\\~", true},
      {"wave dash", "\x81\x60", u"\uFF5E", true},
      {"full-width backslash", "\x81\x5F", u"\uFF3C", true},
      {"NEC special", "\x87\x40", u"\u2460", true},
      {"IBM extension", "\xFA\x40", u"\u2170", true},
      {"user-defined area", "\xF0\x40", u"\uE000", true},
      {"single bytes only encoded", "\x80\xA0\xFD\xFE\xFF", u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3",
       false},
      {"mixed", "a\xA0\x93\xFA\\", u"a\uF8F0\u65E5\\", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(exlib::WideToNarrow(c.wide), c.narrow);
    if (c.decodes)
      EXPECT_EQ(exlib::NarrowToWide(c.narrow), c.wide);
    else
      EXPECT_EQ(exlib::NarrowToWide(c.narrow), std::nullopt);
  }
}

// No nearest form: a character the code page lacks, or only has another character for, fails.
TEST_F(CodePage932, RefusesWhatHasNoExactForm) {
  const std::u16string lone_surrogate = {u'a', static_cast<char16_t>(0xD800)};
  const std::u16string no_exact_form[] = {u"\u00A5", u"\u203E", u"\u301C", u"\u00AC",
                                          lone_surrogate};
  for (const std::u16string& wide : no_exact_form) {
    SCOPED_TRACE(testing::Message() << std::hex << static_cast<unsigned>(wide.back()));
    EXPECT_EQ(exlib::WideToNarrow(wide), std::nullopt);
  }
  for (const char* narrow : {"\x81", "a\x81", "\x81\x20"}) {
    SCOPED_TRACE(narrow);
    EXPECT_EQ(exlib::NarrowToWide(narrow), std::nullopt);
  }
}

}  // namespace
