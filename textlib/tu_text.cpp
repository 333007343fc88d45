#include "textlib/tu_text.h"

#include <cstring>
#include <new>

#include "textlib/codepage.h"

namespace exlib {
namespace {

// The longest form whose byte size, terminator included, fits 32 bits. A longer one fails like
// an exhausted allocator, before the text changes.
constexpr uint64_t kMaxLength = UINT32_MAX / sizeof(char16_t) - 1;

void RequireLength(uint64_t length) {
  if (length > kMaxLength)
    throw std::bad_alloc();
}

}  // namespace

Tu_text::Tu_text() = default;
Tu_text::Tu_text(const char* narrow) {
  AssignNarrow(narrow);
}
Tu_text::Tu_text(const char16_t* wide, int32_t count) {
  AssignWide(wide, count);
}

Tu_text Tu_text::FromWide(std::u16string_view wide) {
  Tu_text text;
  text.AssignWideString(std::u16string(wide));
  return text;
}

// The narrow form is what is read again: texts made under the classic locale (the catalogue's
// names) get their wide form from the user's code page once it is set.
Tu_text::Tu_text(const Tu_text& other) {
  if (other.narrow_) {
    AssignNarrow(other.narrow_->c_str());
  } else if (other.wide_) {
    AssignWide(other.wide_->c_str(), -1);
  }
}

Tu_text::Tu_text(Tu_text&& other) noexcept
    : narrow_(std::move(other.narrow_)), wide_(std::move(other.wide_)) {
  other.Clear();
}

Tu_text& Tu_text::operator=(const Tu_text& other) {
  AssignWide(other.Wide(), -1);
  return *this;
}

Tu_text& Tu_text::operator=(const char* narrow) {
  AssignNarrow(narrow);
  return *this;
}

Tu_text::~Tu_text() = default;

void Tu_text::AssignNarrow(const char* narrow) {
  if (narrow == nullptr) {
    Clear();
    return;
  }
  const size_t length = std::strlen(narrow);
  RequireLength(length);
  std::string copy(narrow, length);
  std::optional<std::u16string> wide = NarrowToWide(copy);
  narrow_ = std::move(copy);
  wide_ = std::move(wide);
}

void Tu_text::AssignWide(const char16_t* wide, int32_t count) {
  if (wide == nullptr) {
    Clear();
    return;
  }
  const size_t length =
      count < 0 ? std::char_traits<char16_t>::length(wide) : static_cast<size_t>(count);
  RequireLength(length);
  AssignWideString(std::u16string(wide, length));
}

void Tu_text::AssignWideString(std::u16string wide) {
  RequireLength(wide.size());
  std::optional<std::string> narrow = WideToNarrow(std::u16string_view(wide.c_str()));
  wide_ = std::move(wide);
  narrow_ = std::move(narrow);
}

void Tu_text::Clear() {
  narrow_.reset();
  wide_.reset();
}

const char* Tu_text::Narrow() const {
  return narrow_ ? narrow_->c_str() : "";
}
const char16_t* Tu_text::Wide() const {
  return wide_ ? wide_->c_str() : u"";
}
int32_t Tu_text::Length() const {
  return wide_ ? static_cast<int32_t>(wide_->size()) : 0;
}
uint32_t Tu_text::NarrowLength() const {
  return narrow_ ? static_cast<uint32_t>(narrow_->size()) : 0;
}
bool Tu_text::HasNarrow() const {
  return narrow_.has_value();
}
bool Tu_text::HasWide() const {
  return wide_.has_value();
}

std::u16string_view Tu_text::WideView() const {
  return wide_ ? std::u16string_view(*wide_) : std::u16string_view();
}

// The narrow form is derived again from the joined wide form, so a tail with no narrow form
// still lands in the wide form. A tail without wide content adds nothing, and the receiver is
// left as it is (a narrow form with no wide one would not survive being derived again).
Tu_text& Tu_text::Append(const Tu_text& tail) {
  if (tail.Length() == 0)
    return *this;
  RequireLength(uint64_t{WideView().size()} + tail.WideView().size());
  std::u16string joined;
  joined.reserve(WideView().size() + tail.WideView().size());
  joined.append(WideView()).append(tail.WideView());
  AssignWideString(std::move(joined));
  return *this;
}

Tu_text Tu_text::Concat(const Tu_text& tail) const {
  const std::u16string_view head(Wide());
  RequireLength(uint64_t{head.size()} + tail.WideView().size());
  std::u16string joined;
  joined.reserve(head.size() + tail.WideView().size());
  joined.append(head).append(tail.WideView());
  Tu_text result;
  result.AssignWideString(std::move(joined));
  return result;
}

bool Tu_text::operator==(const Tu_text& other) const {
  return std::u16string_view(Wide()) == std::u16string_view(other.Wide());
}

bool Tu_text::operator==(const char* narrow) const {
  return std::strcmp(Narrow(), narrow != nullptr ? narrow : "") == 0;
}

}  // namespace exlib
