#include "registry/package_list.h"

#include <string>
#include <string_view>

#include "contract/pack_contract.h"
#include "registry/registry_access.h"
#include "registry/text_value.h"

namespace {

const exlib::Tu_text& ListKeyPath() {
  static const exlib::Tu_text path(kPackageListKey);
  return path;
}

const exlib::Tu_text& ListValueName() {
  static const exlib::Tu_text name(kPackageListValue);
  return name;
}

TextValue ReadList() {
  return ReadTextValue(PackageListRoot(), ListKeyPath(), ListValueName());
}

// Lists are joined on the wide forms, so that an item the code page cannot represent is kept.
void AppendItem(std::u16string& list, const exlib::Tu_text& item) {
  if (!list.empty())
    list += u',';
  list.append(item.WideView());
}

}  // namespace

// The stored text is scanned in place: a refresh asks this of every installed title every 50 ms,
// so its cost must stay linear in the list however long the list grows. Items are cut as Split
// cuts them (a trailing "," ends the last item rather than adding an empty one).
bool PackageListContains(const exlib::Tu_text& title_id) {
  const std::u16string stored =
      ReadWideTextValue(PackageListRoot(), ListKeyPath(), ListValueName()).text;
  const std::u16string_view list(stored);
  const std::u16string_view id(title_id.Wide());
  size_t start = 0;
  while (start < list.size()) {
    const size_t comma = list.find(u',', start);
    const size_t end = comma == std::u16string_view::npos ? list.size() : comma;
    if (list.substr(start, end - start) == id)
      return true;
    if (comma == std::u16string_view::npos)
      break;
    start = comma + 1;
  }
  return false;
}

bool PackageListReadable() {
  return ReadList().outcome != TextRead::kFailed;
}

// A list that exists but could not be read is left alone: writing the id on its own would drop
// every other title's entry.
void AppendToPackageList(const exlib::Tu_text& title_id) {
  const TextValue stored = ReadList();
  if (stored.outcome == TextRead::kFailed)
    return;
  std::u16string list(stored.text.WideView());
  AppendItem(list, title_id);
  RegWriteText(PackageListRoot(), ListKeyPath(), ListValueName(), exlib::Tu_text::FromWide(list));
}

// Every item equal to the id goes and the others keep their order. Empty items before the first
// kept one vanish, those between kept ones stay, and the list is rewritten only when that changed
// it; an empty list is no value at all.
bool RemoveFromPackageList(const exlib::Tu_text& title_id) {
  const TextValue stored = ReadList();
  if (stored.outcome == TextRead::kFailed)
    return false;
  exlib::Tu_owned_array<exlib::Tu_text> items;
  stored.text.Split(items, ",");
  std::u16string kept;
  for (uint32_t i = 0; i < items.Count(); ++i) {
    if (*items.GetAt(i) != title_id)
      AppendItem(kept, *items.GetAt(i));
  }
  const exlib::Tu_text rebuilt = exlib::Tu_text::FromWide(kept);
  if (rebuilt == stored.text)
    return true;
  if (kept.empty())
    return RegDeleteValueAndPrune(PackageListRoot(), ListKeyPath(), ListValueName());
  return RegWriteText(PackageListRoot(), ListKeyPath(), ListValueName(), rebuilt);
}
