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

// Wine's code page 932 encodes the five single bytes below the way Windows' table does, but
// refuses them as invalid when decoding; Windows and the host decode them.
bool UnderWine() {
#ifdef _WIN32
  return GetProcAddress(GetModuleHandleW(ToWin(u"ntdll.dll")), "wine_get_version") != nullptr;
#else
  return false;
#endif
}

TEST_F(CodePage932, ConvertsAsWindows) {
  struct Case {
    const char* what;
    std::string narrow;
    std::u16string wide;
    bool windows_only_single_bytes;
  };
  const Case cases[] = {
      {"ASCII backslash and tilde", "\\~", u"\\~", false},
      {"wave dash", "\x81\x60", u"\uFF5E", false},
      {"full-width backslash", "\x81\x5F", u"\uFF3C", false},
      {"NEC special", "\x87\x40", u"\u2460", false},
      {"IBM extension", "\xFA\x40", u"\u2170", false},
      {"user-defined area", "\xF0\x40", u"\uE000", false},
      {"0x80 and 0xA0 as second bytes", "\x81\x80\x82\xA0", u"\u00F7\u3042", false},
      {"single bytes of Windows' table only", "\x80\xA0\xFD\xFE\xFF",
       u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3", true},
      {"mixed", "a\xA0\x93\xFA\\", u"a\uF8F0\u65E5\\", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(exlib::WideToNarrow(c.wide), c.narrow);
    if (c.windows_only_single_bytes && UnderWine())
      EXPECT_EQ(exlib::NarrowToWide(c.narrow), std::nullopt) << "Wine's own decoding";
    else
      EXPECT_EQ(exlib::NarrowToWide(c.narrow), c.wide);
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
