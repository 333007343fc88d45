// The path operations under arbitrary paths, against a model that follows the rules step by
// step: slashes to backslashes, one leading backslash set aside, runs collapsed, one trailing
// backslash dropped unless it follows a drive colon.
#include <string>

#include "fuzz/fuzz_support.h"
#include "textlib/paths.h"

using exlib::Tu_text;
using fuzz::WideOf;

namespace {

std::u16string ModelNormalize(std::u16string path) {
  for (char16_t& c : path) {
    if (c == u'/')
      c = u'\\';
  }
  if (path.empty())
    return path;
  std::u16string prefix;
  if (path[0] == u'\\') {
    prefix = u"\\";
    path.erase(0, 1);
  }
  std::u16string collapsed = prefix;
  bool in_run = false;
  for (char16_t c : path) {
    if (c == u'\\' && in_run)
      continue;
    in_run = c == u'\\';
    collapsed.push_back(c);
  }
  const size_t n = collapsed.size();
  if (n > 0 && collapsed[n - 1] == u'\\' && !(n >= 2 && collapsed[n - 2] == u':'))
    collapsed.pop_back();
  return collapsed;
}

std::u16string ModelParent(const std::u16string& path) {
  const size_t last = path.rfind(u'\\');
  return last == std::u16string::npos ? u"\\" : path.substr(0, last + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  fuzz::UseCodePage(input.ConsumeBool() ? fuzz::CodePage::kUtf8 : fuzz::CodePage::kClassic);
  // Paths hold no NUL: they come from NUL-terminated strings.
  const auto path_units = [&input] {
    std::u16string units = input.ConsumeBool() ? fuzz::ConsumeInterestingUnits(input, 48)
                                               : fuzz::ConsumeUnits(input, 48);
    return units.substr(0, units.find(u'\0'));
  };
  const std::u16string first = path_units();
  const std::u16string second = path_units();
  const Tu_text first_text = fuzz::TextOf(first);

  FUZZ_CHECK(WideOf(exlib::NormalizePath(first_text)) == ModelNormalize(first),
             "NormalizePath differs from the model");
  FUZZ_CHECK(WideOf(exlib::PathJoin(first_text, fuzz::TextOf(second))) ==
                 ModelNormalize(first + u"\\" + second),
             "PathJoin differs from normalising the joined paths");
  const Tu_text parent = exlib::ParentDirectory(first_text);
  FUZZ_CHECK(WideOf(parent) == ModelParent(first), "ParentDirectory differs from the model");

  // A path made from narrow bytes goes through the same operations once converted.
  const std::string bytes = input.ConsumeRandomLengthString(48);
  const Tu_text narrow_path(bytes.c_str());
  if (narrow_path.HasWide()) {
    FUZZ_CHECK(WideOf(exlib::NormalizePath(narrow_path)) == ModelNormalize(WideOf(narrow_path)),
               "NormalizePath of a narrow path differs from the model");
  }
  return 0;
}
