#include "textlib/paths.h"

#include <algorithm>
#include <string>

#include "platform/win32_api.h"

namespace exlib {
namespace {

bool IsSeparator(char16_t c) {
  return c == u'\\';
}

// One leading backslash is set aside, so a network path keeps its two; other runs collapse to
// one; one trailing backslash goes unless it follows a drive colon.
std::u16string CanonicalForm(std::u16string_view path) {
  std::u16string result;
  result.reserve(path.size());
  for (char16_t c : path) {
    if (c == u'/')
      c = u'\\';
    // result[0] is the leading unit set aside: a run can only start from result[1].
    if (IsSeparator(c) && result.size() >= 2 && IsSeparator(result.back()))
      continue;
    result.push_back(c);
  }
  const size_t n = result.size();
  if (n > 0 && IsSeparator(result[n - 1]) && !(n >= 2 && result[n - 2] == u':'))
    result.pop_back();
  return result;
}

}  // namespace

// A cut path comes back as the whole buffer: Windows terminates it inside the buffer, Wine does
// not terminate it at all. Only an answer shorter than the buffer is a whole path.
Tu_text ReadModulePath(const ModuleFileNameReader& read) {
  for (uint32_t size = MAX_PATH;; size = std::min(size * 2, kLongestPath + 1)) {
    std::u16string buffer(size, u'\0');
    const uint32_t length = read(buffer.data(), size);
    if (length == 0)
      return Tu_text();
    if (length < size)
      return Tu_text(buffer.c_str(), static_cast<int32_t>(length));
    if (size > kLongestPath)
      return Tu_text();
  }
}

Tu_text ModulePath() {
  return ReadModulePath([](char16_t* buffer, uint32_t size) -> uint32_t {
    return GetModuleFileNameW(nullptr, ToWin(buffer), size);
  });
}

Tu_text ModuleDirectory() {
  return ParentDirectory(ModulePath());
}

Tu_text ParentDirectory(Tu_text path) {
  const int32_t last = path.FindLast(Tu_text(u"\\"), 0);
  return last < 0 ? Tu_text(u"\\") : path.Left(last + 1);
}

Tu_text PathJoin(Tu_text first, Tu_text second) {
  return NormalizePath(first + Tu_text(u"\\") + second);
}

// A path without a wide form (a narrow form invalid in the code page) comes back as it is.
Tu_text NormalizePath(Tu_text path) {
  if (!path.HasWide())
    return path;
  return Tu_text(CanonicalForm(path.Wide()).c_str());
}

Tu_text& Tu_text::SlashesToBackslashes() {
  if (!wide_) {
    Clear();
    return *this;
  }
  std::u16string converted(Wide());
  std::replace(converted.begin(), converted.end(), u'/', u'\\');
  AssignWideString(std::move(converted));
  return *this;
}

}  // namespace exlib
