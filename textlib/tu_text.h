#pragma once
// The one string type: a narrow form in the process's multibyte code page and a UTF-16 wide form
// of the same string, each derived from the other whenever the content changes.
#include <cstdint>

#include "textlib/tu_array.h"

namespace exlib {

class Tu_text {
 public:
  Tu_text();
  Tu_text(const char* narrow);                      // NOLINT: narrow literals convert implicitly
  Tu_text(const char16_t* wide, int32_t count = -1);  // count -1: up to the NUL
  Tu_text(const Tu_text& other);
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
  uint32_t NarrowLength() const;
  bool HasNarrow() const;
  bool HasWide() const;

  Tu_text& Append(const Tu_text& tail);
  Tu_text Concat(const Tu_text& tail) const;
  Tu_text operator+(const Tu_text& tail) const { return Concat(tail); }
  Tu_text Left(int32_t count) const;
  Tu_text Mid(int32_t start) const;
  int32_t Find(const Tu_text& needle, int32_t start) const;
  int32_t FindLast(const Tu_text& needle, int32_t lowest) const;
  int64_t ToInt64() const;
  int32_t Split(Tu_owned_array<Tu_text>& list, Tu_text separator) const;
  Tu_text RegexReplace(Tu_text pattern, Tu_text format) const;
  Tu_text& SlashesToBackslashes();

  bool operator==(const Tu_text& other) const;
  bool operator!=(const Tu_text& other) const { return !(*this == other); }
  bool operator==(const char* narrow) const;
  bool operator!=(const char* narrow) const { return !(*this == narrow); }

 private:
  uint32_t narrow_capacity_ = 0;
  uint32_t narrow_length_ = 0;
  char* narrow_ = nullptr;
  uint32_t wide_capacity_ = 0;
  int32_t wide_length_ = 0;
  char16_t* wide_ = nullptr;
};

}  // namespace exlib
