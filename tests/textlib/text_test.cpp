// The text value under the classic locale (nothing here sets the user's locale), where narrow
// bytes and the code units 0-255 map one to one on both targets.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <new>
#include <string>
#include <vector>

#include "textlib/tu_text.h"
#include "tests/support/text_forms.h"

namespace {

using exlib::Tu_owned_array;
using exlib::Tu_text;
using testsupport::WideOf;

const char16_t* const kKana = u"D:\\\u30b2\u30fc\u30e0";  // no form in the classic code page

TEST(TuTextForms, NullAssignmentsLeaveTheTextUnset) {
  Tu_text text("abc");
  text.AssignWide(nullptr, 3);
  EXPECT_FALSE(text.HasWide());
  EXPECT_FALSE(text.HasNarrow());
  EXPECT_STREQ(text.Narrow(), "");
  EXPECT_EQ(WideOf(text), u"");
  text = "abc";
  text.AssignNarrow(nullptr);
  EXPECT_FALSE(text.HasWide());
  EXPECT_EQ(text.Length(), 0);
}

TEST(TuTextForms, EachFormIsDerivedFromTheOther) {
  Tu_text text;
  text.AssignWide(u"abcdef", 3);
  EXPECT_EQ(WideOf(text), u"abc");
  EXPECT_STREQ(text.Narrow(), "abc");
  EXPECT_EQ(text.NarrowLength(), 3u);
  text.AssignNarrow("caf\xE9");
  EXPECT_EQ(WideOf(text), u"caf\u00e9");
  text.AssignWide(u"\u00ff", -1);
  EXPECT_STREQ(text.Narrow(), "\xFF");
}

TEST(TuTextForms, WideTextOutsideTheCodePageHasNoNarrowForm) {
  const Tu_text text(kKana);
  EXPECT_FALSE(text.HasNarrow());
  EXPECT_EQ(text.NarrowLength(), 0u);
  EXPECT_STREQ(text.Narrow(), "");
  EXPECT_EQ(WideOf(text), kKana);
}

// A text with no narrow form used to become empty when copied; every by-value call copies.
TEST(TuTextForms, TextWithoutNarrowFormSurvivesCopyAssignmentAndMove) {
  const Tu_text folder(kKana);
  Tu_text copy(folder);
  EXPECT_EQ(WideOf(copy), kKana);
  Tu_text assigned("x");
  assigned = folder;
  EXPECT_EQ(WideOf(assigned), kKana);
  Tu_text moved(std::move(copy));
  EXPECT_EQ(WideOf(moved), kKana);
}

TEST(TuTextForms, LengthsBeyondThirtyTwoBitSizesFailBeforeAnyChange) {
  Tu_text text("abc");
  EXPECT_THROW(text.AssignWide(u"abc", INT32_MAX), std::bad_alloc);
  EXPECT_EQ(WideOf(text), u"abc");
  EXPECT_STREQ(text.Narrow(), "abc");
}

TEST(TuTextAppend, EmptyTailLeavesTheReceiverAndSelfAppendDoubles) {
  Tu_text text("abc");
  text.Append(Tu_text());
  text.Append(Tu_text(""));
  EXPECT_EQ(WideOf(text), u"abc");
  text.Append(text);
  EXPECT_EQ(WideOf(text), u"abcabc");
  EXPECT_STREQ(text.Narrow(), "abcabc");
}

// Both narrow lengths are 0 here, which used to make Append drop the tail.
TEST(TuTextAppend, TailWithoutNarrowFormLandsInAnEmptyText) {
  Tu_text unset;
  unset.Append(Tu_text(kKana));
  EXPECT_EQ(WideOf(unset), kKana);
  Tu_text empty("");
  empty.Append(Tu_text(kKana));
  EXPECT_EQ(WideOf(empty), kKana);
}

TEST(TuTextAppend, ConcatLeavesBothOperands) {
  const Tu_text head("ab");
  const Tu_text tail(u"cd");
  const Tu_text joined = head + tail;
  EXPECT_EQ(WideOf(joined), u"abcd");
  EXPECT_STREQ(joined.Narrow(), "abcd");
  EXPECT_EQ(WideOf(head), u"ab");
  EXPECT_EQ(WideOf(tail), u"cd");
}

struct CutCase {
  const char16_t* text;
  int32_t argument;
  const char16_t* expected;
  bool set;
};

TEST(TuTextCut, Left) {
  const CutCase cases[] = {
      {u"abc", 0, u"", true}, {u"abc", 2, u"ab", true}, {u"abc", 10, u"abc", true},
      {u"", 3, u"", false},   {u"abc", -1, u"", true},
  };
  for (const CutCase& c : cases) {
    const Tu_text left = Tu_text(c.text).Left(c.argument);
    EXPECT_EQ(WideOf(left), c.expected) << "Left(" << c.argument << ")";
    EXPECT_EQ(left.HasWide(), c.set) << "Left(" << c.argument << ")";
  }
}

TEST(TuTextCut, Mid) {
  const CutCase cases[] = {
      {u"abc", 1, u"bc", true},
      {u"abc", 3, u"", false},
      {u"abc", 7, u"", false},
      {u"abc", -2, u"abc", true},
  };
  for (const CutCase& c : cases) {
    const Tu_text mid = Tu_text(c.text).Mid(c.argument);
    EXPECT_EQ(WideOf(mid), c.expected) << "Mid(" << c.argument << ")";
    EXPECT_EQ(mid.HasWide(), c.set) << "Mid(" << c.argument << ")";
  }
}

struct SearchCase {
  const char16_t* text;
  const char16_t* needle;
  int32_t from;
  int32_t expected;
};

TEST(TuTextSearch, Find) {
  const SearchCase cases[] = {
      {u"abcb", u"b", 0, 1}, {u"abcb", u"b", 2, 3}, {u"abcb", u"x", 0, -1}, {u"ab", u"abc", 0, -1},
      {u"abc", u"", 2, 2},   {u"abc", u"", 4, -1},  {u"abcb", u"b", -5, 1}, {u"abcb", u"cb", 2, 2},
  };
  for (const SearchCase& c : cases) {
    EXPECT_EQ(Tu_text(c.text).Find(Tu_text(c.needle), c.from), c.expected)
        << testing::PrintToString(std::u16string(c.text)) << " needle "
        << testing::PrintToString(std::u16string(c.needle)) << " from " << c.from;
  }
}

TEST(TuTextSearch, FindLast) {
  const SearchCase cases[] = {
      {u"abcb", u"b", 0, 3},  {u"abcb", u"b", 4, -1}, {u"abcb", u"a", 1, -1},
      {u"abcb", u"ab", 0, 0}, {u"ab", u"abc", 0, -1}, {u"abcb", u"b", -1, 3},
  };
  for (const SearchCase& c : cases) {
    EXPECT_EQ(Tu_text(c.text).FindLast(Tu_text(c.needle), c.from), c.expected)
        << testing::PrintToString(std::u16string(c.text)) << " needle "
        << testing::PrintToString(std::u16string(c.needle)) << " lowest " << c.from;
  }
}

TEST(TuTextNumber, ToInt64) {
  const struct {
    const char* text;
    int64_t expected;
  } cases[] = {
      {"42", 42},   {"-17", -17},
      {"+8", 8},    {"42abc", 42},
      {"0x1f", 31}, {"0X10", 16},
      {"0x", 0},    {" 5", 0},
      {"abc", 0},   {"", 0},
      {"-", 0},     {"-0x10", -16},
      {"0xz", 35},  {"18446744073709551617", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(Tu_text(c.text).ToInt64(), c.expected) << c.text;
}

TEST(TuTextSplit, AppendsPiecesBehindExistingEntries) {
  const struct {
    const char16_t* text;
    const char16_t* separator;
    std::vector<std::u16string> pieces;
  } cases[] = {
      {u"a,b", u",", {u"a", u"b"}},
      {u"a,,b", u",", {u"a", u"", u"b"}},
      {u",a", u",", {u"", u"a"}},
      {u"a,", u",", {u"a"}},
      {u"a,b,,", u",", {u"a", u"b", u""}},
      {u"abc", u",", {u"abc"}},
      {u"", u",", {}},
      {u"a:::b", u"::", {u"a", u":b"}},
      {u"a,b", u"", {u"a,b"}},
  };
  for (const auto& c : cases) {
    Tu_owned_array<Tu_text> list;
    list.Add(new Tu_text("kept"));
    const int32_t added = Tu_text(c.text).Split(list, Tu_text(c.separator));
    ASSERT_EQ(added, static_cast<int32_t>(c.pieces.size())) << "piece count";
    ASSERT_EQ(list.Count(), 1u + c.pieces.size());
    EXPECT_EQ(WideOf(*list.GetAt(0)), u"kept");
    for (size_t i = 0; i < c.pieces.size(); ++i) {
      EXPECT_EQ(WideOf(*list.GetAt(static_cast<uint32_t>(i + 1))), c.pieces[i]) << "piece " << i;
    }
  }
}

TEST(TuTextRegex, ReplacesEveryMatchByTheExpandedFormat) {
  const struct {
    const char16_t* text;
    const char16_t* pattern;
    const char16_t* format;
    const char16_t* expected;
  } cases[] = {
      {u"a/b/c", u"/", u"\\", u"a\\b\\c"},
      {u"a\\\\\\b\\c", u"\\\\+", u"\\", u"a\\b\\c"},
      {u"abab", u"b", u"[$&]", u"a[b]a[b]"},
      {u"key=value", u"(\\w+)=(\\w+)", u"$2=$1", u"value=key"},
      {u"%dir%\\x", u"%dir%", u"C:\\$$5", u"C:\\$5\\x"},
      {u"abc", u"(", u"x", u""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WideOf(Tu_text(c.text).RegexReplace(Tu_text(c.pattern), Tu_text(c.format))),
              c.expected);
  }
}

// Long inputs never exhaust the stack: a pattern without repetition still replaces throughout,
// one that repeats over a long text or a very long pattern leaves the text as it is.
TEST(TuTextRegex, LongInputsAreSafe) {
  const size_t mebibyte = 1024 * 1024;
  std::u16string slashes;
  while (slashes.size() < mebibyte) slashes += u"ab/";
  std::u16string backslashed = slashes;
  std::replace(backslashed.begin(), backslashed.end(), u'/', u'\\');
  const std::u16string backslashes(mebibyte, u'\\');
  const std::u16string letters(mebibyte, u'a');
  const std::u16string nested = std::u16string(100000, u'(') + std::u16string(100000, u')');
  const struct {
    const char* what;
    const std::u16string& text;
    std::u16string pattern;
    const std::u16string& expected;
  } cases[] = {
      {"slashes", slashes, u"/", backslashed},
      {"a run of backslashes", backslashes, u"\\\\+", backslashes},
      {"a run of letters", letters, u"(a|b)*", letters},
      {"a lazy run", letters, u"a+?", letters},
      {"deeply nested groups", letters, nested, letters},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Tu_text text(c.text.c_str(), static_cast<int32_t>(c.text.size()));
    const Tu_text replaced = text.RegexReplace(
        Tu_text(c.pattern.c_str(), static_cast<int32_t>(c.pattern.size())), Tu_text(u"\\"));
    EXPECT_TRUE(WideOf(replaced) == c.expected);
  }
  // Short texts are still collapsed.
  EXPECT_EQ(WideOf(Tu_text(u"C:\\\\\\Games\\\\x").RegexReplace(u"\\\\+", u"\\")), u"C:\\Games\\x");
}

TEST(TuTextEquality, ComparesWideFormsOrdinallyAndNarrowFormsByteForByte) {
  EXPECT_NE(Tu_text("ABC"), Tu_text("abc"));
  EXPECT_EQ(Tu_text("abc"), Tu_text(u"abc"));
  EXPECT_EQ(Tu_text(u"abc\0de", 6), Tu_text("abc"));
  EXPECT_EQ(Tu_text(u"abc"), "abc");
  EXPECT_NE(Tu_text(u"abc"), "ab");
  EXPECT_EQ(Tu_text(kKana), "");
}

}  // namespace
