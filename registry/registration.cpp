// Writing and deleting a title's registration entries, lines of the form name=value.
#include "registry/registration.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "registry/registry_access.h"

namespace {

// Forward slashes become backslashes; then one trailing backslash goes, so that "%dir%\" in an
// entry puts exactly one back. The same text as RegexReplace("/", "\\") would give (up to the
// first NUL), without the regular-expression library: every program that holds title records
// links this, the launcher too, and that library with the locale support it pulls in was 913 KB
// of the launcher's 1.5 MB.
exlib::Tu_text NormalizeFolder(const exlib::Tu_text& folder) {
  if (!folder.HasWide())
    return folder;
  std::u16string path = folder.Wide();
  std::replace(path.begin(), path.end(), u'/', u'\\');
  if (!path.empty() && path.back() == u'\\')
    path.pop_back();
  return exlib::Tu_text(path.c_str());
}

// The source's text up to and including its first ":", or all of it.
exlib::Tu_text DriveOf(const exlib::Tu_text& source) {
  const int32_t colon = source.Find(":", 0);
  return colon >= 0 ? source.Left(colon + 1) : source;
}

// Decided on the entry's own value, before any folder is put in: "3" and "-1" are numbers,
// "%dir%\..." stays text whatever the folder starts with.
bool IsNumber(std::u16string_view value) {
  const size_t digit = !value.empty() && (value[0] == u'+' || value[0] == u'-') ? 1 : 0;
  return digit < value.size() && value[digit] >= u'0' && value[digit] <= u'9';
}

struct Placeholder {
  std::u16string_view name;
  std::u16string_view text;
};

// Each placeholder is replaced by its text as it stands, in one pass: a "$" in a folder name is
// no directive, and a folder named like a placeholder is not replaced again.
exlib::Tu_text Substitute(std::u16string_view value, const Placeholder (&placeholders)[3]) {
  std::u16string result;
  size_t position = 0;
  while (position < value.size()) {
    const Placeholder* found = nullptr;
    size_t found_at = std::u16string_view::npos;
    for (const Placeholder& placeholder : placeholders) {
      const size_t at = value.find(placeholder.name, position);
      if (at < found_at) {
        found_at = at;
        found = &placeholder;
      }
    }
    if (found == nullptr)
      break;
    result.append(value.substr(position, found_at - position));
    result.append(found->text);
    position = found_at + found->name.size();
  }
  if (position < value.size())
    result.append(value.substr(position));
  return exlib::Tu_text::FromWide(result);
}

// A line without "=" names no value: it is skipped, and nothing is written or deleted for it.
bool SplitEntry(const char* entry, exlib::Tu_text& name, exlib::Tu_text& value) {
  const exlib::Tu_text line(entry);
  const int32_t equals = line.Find("=", 0);
  if (equals < 0)
    return false;
  name = line.Left(equals);
  value = line.Mid(equals + 1);
  return true;
}

}  // namespace

bool WriteRegistrationEntries(HKEY root, const exlib::Tu_text& key_path, const char* const* entries,
                              exlib::Tu_text dir, exlib::Tu_text src) {
  const exlib::Tu_text folder = NormalizeFolder(dir);
  const exlib::Tu_text source = NormalizeFolder(src);
  const exlib::Tu_text drive = DriveOf(source);
  const Placeholder placeholders[3] = {
      {u"%dir%", folder.WideView()}, {u"%src%", source.WideView()}, {u"%drive%", drive.WideView()}};
  for (; *entries != nullptr; ++entries) {
    exlib::Tu_text name;
    exlib::Tu_text value;
    if (!SplitEntry(*entries, name, value))
      continue;
    // The number is read as a 64-bit value and stored as its low 32 bits.
    const bool written =
        IsNumber(value.WideView())
            ? RegWriteDword(root, key_path, name, static_cast<DWORD>(value.ToInt64()))
            : RegWriteText(root, key_path, name, Substitute(value.WideView(), placeholders));
    if (!written)
      return false;
  }
  return true;
}

bool DeleteRegistrationEntries(HKEY root, const exlib::Tu_text& key_path,
                               const char* const* entries) {
  bool all_deleted = true;
  for (; *entries != nullptr; ++entries) {
    exlib::Tu_text name;
    exlib::Tu_text value;
    // Pruning removes the key with its last value, so a value missing from the start finds no
    // key once the others are gone: what is gone counts as removed.
    if (SplitEntry(*entries, name, value)) {
      const bool removed =
          RegDeleteValueAndPrune(root, key_path, name) || RegValueIsAbsent(root, key_path, name);
      all_deleted = removed && all_deleted;
    }
  }
  return all_deleted;
}
