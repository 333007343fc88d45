#include "platform/host/files.h"

#include <map>

namespace {

std::u16string FoldedCase(std::u16string path) {
  for (char16_t& c : path) {
    if (c >= u'a' && c <= u'z')
      c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return path;
}

std::map<std::u16string, DWORD>& Entries() {
  static std::map<std::u16string, DWORD> entries;
  return entries;
}

}  // namespace

// A folder is also found with one trailing backslash, as Windows finds it.
DWORD GetFileAttributesW(LPCWSTR path) {
  const auto& entries = Entries();
  std::u16string key = FoldedCase(path);
  auto found = entries.find(key);
  if (found == entries.end() && !key.empty() && key.back() == u'\\') {
    key.pop_back();
    found = entries.find(key);
    if (found != entries.end() && (found->second & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      found = entries.end();
    }
  }
  if (found == entries.end()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_FILE_ATTRIBUTES;
  }
  return found->second;
}

void hostwin::ResetFiles() {
  Entries().clear();
}

void hostwin::AddFolder(const std::u16string& path) {
  Entries()[FoldedCase(path)] = FILE_ATTRIBUTE_DIRECTORY;
}

void hostwin::AddFile(const std::u16string& path) {
  Entries()[FoldedCase(path)] = FILE_ATTRIBUTE_ARCHIVE;
}
