// Japanese texts where the code page has no Japanese: Windows code page 1252, or the host's
// classic C locale. Both give é the byte 0xE9 and neither maps Japanese or has a best fit.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "textlib/codepage.h"
#include "tests/support/text_forms.h"
#include "textlib/paths.h"
#ifdef _WIN32
#include "textlib/codepage_windows.h"
#endif

namespace {

using exlib::Tu_text;
using testsupport::WideOf;

class WesternLocale : public testing::Test {
 protected:
  void SetUp() override { exlib::SetUserDefaultLocale(); }
};

TEST_F(WesternLocale, OnlyExactMappingsHaveANarrowForm) {
  EXPECT_STREQ(Tu_text(u"caf\u00e9").Narrow(), "caf\xE9");
  EXPECT_EQ(WideOf(Tu_text("caf\xE9")), u"caf\u00e9");
  // A best fit would give "A", "8" and "?".
  for (const char16_t* unmapped : {u"\u0100", u"\u221e", u"\u30b2"}) {
    EXPECT_FALSE(Tu_text(unmapped).HasNarrow()) << "U+" << std::hex << int{unmapped[0]};
  }
}

// Such a path used to come back empty from every copy, PathJoin and NormalizePath.
TEST_F(WesternLocale, PathOutsideTheCodePageSurvivesThePathOperations) {
  const Tu_text folder(u"C:/ゲーム//データ/");
  ASSERT_FALSE(folder.HasNarrow());
  EXPECT_EQ(WideOf(Tu_text(folder)), u"C:/ゲーム//データ/");
  EXPECT_EQ(WideOf(exlib::NormalizePath(folder)), u"C:\\ゲーム\\データ");
  EXPECT_EQ(WideOf(exlib::PathJoin(folder, Tu_text(u"セーブ.dat"))),
            u"C:\\ゲーム\\データ\\セーブ.dat");
  EXPECT_EQ(WideOf(exlib::PathJoin(Tu_text("C:\\Games"), Tu_text(u"ゲーム"))),
            u"C:\\Games\\ゲーム");
  EXPECT_EQ(WideOf(exlib::ParentDirectory(Tu_text(u"\\\\サーバー\\共有\\a.exe"))),
            u"\\\\サーバー\\共有\\");
}

TEST_F(WesternLocale, ShiftJisDecodesWhateverTheCodePage) {
  EXPECT_EQ(exlib::DecodeShiftJis("\x93\xfa\x96\x7b"), std::u16string(u"日本"));
  EXPECT_EQ(exlib::DecodeShiftJis("ab"), std::u16string(u"ab"));
  EXPECT_EQ(exlib::DecodeShiftJis("\x93\xfa\x96"), std::nullopt);
}

#ifdef _WIN32
// The C runtime here cannot take UTF-8 or a code page that refuses the strict flags as its
// locale's code page, so those paths are tested by number.
TEST(WindowsCodePages, ConversionsAreStrictInEveryCodePage) {
  const struct {
    unsigned code_page;
    const char16_t* wide;
    std::optional<std::string> narrow;
  } cases[] = {
      {932, u"日本", std::string("\x93\xfa\x96\x7b")},
      {932, u"C:\\Games\\~", std::string("C:\\Games\\~")},
      {932, u"caf\u00e9", std::nullopt},  // best fit: "cafe"
      {1252, u"\u0100", std::nullopt},    // best fit: "A"
      {65001, u"日本", std::string("\xe6\x97\xa5\xe6\x9c\xac")},
      {65001, u"a\xD800", std::nullopt},
      {0, u"\u00e9", std::string("\xE9")},
      {0, u"\u0100", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(exlib::WideToNarrowIn(c.code_page, c.wide), c.narrow) << "code page " << c.code_page;
    if (c.narrow) {
      EXPECT_EQ(exlib::NarrowToWideIn(c.code_page, *c.narrow), std::u16string(c.wide));
    }
  }
  EXPECT_EQ(exlib::NarrowToWideIn(65001, "a\xff"), std::nullopt);
  // UTF-7 refuses every flag: converted without them, kept because it converts back.
  const std::optional<std::string> utf7 = exlib::WideToNarrowIn(65000, u"日本");
  ASSERT_TRUE(utf7.has_value());
  EXPECT_EQ(exlib::NarrowToWideIn(65000, *utf7), std::u16string(u"日本"));
  // Plain ASCII is not the same bytes in every code page.
  EXPECT_EQ(exlib::WideToNarrowIn(65000, u"1+1"), std::string("1+-1"));
  EXPECT_EQ(exlib::NarrowToWideIn(65000, "1+-1"), std::u16string(u"1+1"));
}
#endif

}  // namespace
