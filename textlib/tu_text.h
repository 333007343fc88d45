#pragma once
// The one string type: a narrow form in the process's multibyte code page and a UTF-16 wide form
// of the same string, each derived from the other whenever the content changes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "textlib/tu_array.h"

namespace exlib {

class Tu_text {
 public:
  Tu_text();
  Tu_text(const char* narrow);                        // NOLINT: narrow literals convert implicitly
  Tu_text(const char16_t* wide, int32_t count = -1);  // count -1: up to the NUL
  // Exactly these UTF-16 code units, NULs among them included (never an unset text).
  static Tu_text FromWide(std::u16string_view wide);
  // A copy reads the source's narrow form again in the current code page (its wide form if it has
  // none); assignment reads the wide form; a move takes both forms as they are.
  Tu_text(const Tu_text& other);
  Tu_text(Tu_text&& other) noexcept;
  Tu_text& operator=(const Tu_text& other);
  Tu_text& operator=(const char* narrow);
  ~Tu_text();

  void AssignNarrow(const char* narrow);
  void AssignWide(const char16_t* wide, int32_t count);
  void Clear();

  // Never null: an absent form reads as the empty string.
  const char* Narrow() const;
  const char16_t* Wide() const;
  int32_t Length() const;
  std::u16string_view WideView() const;  // the whole wide form, past any NUL
  uint32_t NarrowLength() const;
  bool HasNarrow() const;
  bool HasWide() const;

  Tu_text& Append(const Tu_text& tail);
  Tu_text Concat(const Tu_text& tail) const;
  Tu_text operator+(const Tu_text& tail) const { return Concat(tail); }
  // Negative counts and indices read as 0.
  Tu_text Left(int32_t count) const;
  Tu_text Mid(int32_t start) const;
  int32_t Find(const Tu_text& needle, int32_t start) const;
  int32_t FindLast(const Tu_text& needle, int32_t lowest) const;
  int64_t ToInt64() const;
  // An empty separator never matches: a non-empty text becomes one item.
  int32_t Split(Tu_owned_array<Tu_text>& list, Tu_text separator) const;
  // ECMAScript syntax and replacement rules; an invalid pattern gives the empty text.
  // The standard matcher recurses once per character that a repetition consumes, so a long run
  // would exhaust the stack. Bounded instead: a pattern longer than kRegexMaxPattern units, or one
  // with a repetition ("*", "+", "?", "{") while the text's length times the pattern's exceeds
  // kRegexRepetitionBudget, leaves the text unchanged (a copy). A pattern without repetition
  // consumes at most its own length per match and takes texts of any length.
  static constexpr size_t kRegexMaxPattern = 256;
  static constexpr size_t kRegexRepetitionBudget = 2048;
  Tu_text RegexReplace(Tu_text pattern, Tu_text format) const;
  Tu_text& SlashesToBackslashes();

  bool operator==(const Tu_text& other) const;
  bool operator!=(const Tu_text& other) const { return !(*this == other); }
  bool operator==(const char* narrow) const;
  bool operator!=(const char* narrow) const { return !(*this == narrow); }

 private:
  void AssignWideString(std::u16string wide);

  // Absent when the text is unset or when the form could not be converted from the other.
  std::optional<std::string> narrow_;
  std::optional<std::u16string> wide_;
};

}  // namespace exlib
