// Japanese narrow texts: on Windows under code page 932, where this suite's narrow literals are
// Shift-JIS; on the host under C.UTF-8, where they are UTF-8.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "textlib/codepage.h"
#include "textlib/tu_text.h"
#include "tests/support/text_forms.h"

namespace {

using exlib::Tu_text;
using testsupport::WideOf;

// Made during static initialisation, before the user's locale is set, as the catalogue's names.
const Tu_text kEarlyTitle("日本語の題名");

class JapaneseLocale : public testing::Test {
 protected:
  void SetUp() override { exlib::SetUserDefaultLocale(); }
};

TEST_F(JapaneseLocale, NarrowLiteralDecodesAndEncodesBack) {
#ifdef _WIN32
  ASSERT_STREQ("日本", "\x93\xfa\x96\x7b") << "narrow literals are not compiled as Shift-JIS";
#endif
  const Tu_text title("日本語の題名");
  EXPECT_EQ(WideOf(title), u"日本語の題名");
  EXPECT_EQ(Tu_text(u"日本語の題名"), "日本語の題名");
}

// Before the locale is set every byte is one code unit; a copy reads the bytes again.
TEST_F(JapaneseLocale, CopyReadsAnEarlyTextAgain) {
  EXPECT_EQ(kEarlyTitle.Length(), static_cast<int32_t>(std::strlen("日本語の題名")));
  const Tu_text copy(kEarlyTitle);
  EXPECT_EQ(WideOf(copy), u"日本語の題名");
}

TEST_F(JapaneseLocale, InvalidNarrowBytesLeaveNoWideForm) {
  const Tu_text cut("a\x81");  // a lead byte (Shift-JIS) or continuation byte (UTF-8) alone
  EXPECT_FALSE(cut.HasWide());
  EXPECT_STREQ(cut.Narrow(), "a\x81");
  EXPECT_EQ(cut.Length(), 0);
  EXPECT_EQ(cut.Find(Tu_text("a"), 0), -1);
  EXPECT_FALSE(cut.Left(1).HasWide());
}

// Nothing can be appended to such a text, and it must not lose the bytes it has.
TEST_F(JapaneseLocale, AppendingNoWideTextKeepsANarrowOnlyReceiver) {
  for (const Tu_text& tail : {Tu_text("\x81"), Tu_text(""), Tu_text()}) {
    Tu_text cut("a\x81");
    cut.Append(tail);
    EXPECT_STREQ(cut.Narrow(), "a\x81");
    EXPECT_FALSE(cut.HasWide());
  }
}

TEST_F(JapaneseLocale, LoneSurrogateHasNoNarrowForm) {
  const Tu_text broken(u"\u65e5\xD800");
  EXPECT_FALSE(broken.HasNarrow());
  EXPECT_EQ(broken.Length(), 2);
}

}  // namespace
