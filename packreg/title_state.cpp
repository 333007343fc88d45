#include "packreg/title_state.h"

#include <nlohmann/json.hpp>

#include "packreg/utf8.h"
#include "registry/package_list.h"
#include "registry/text_value.h"
#include "titles/brand.h"

namespace packreg {
namespace {

std::string Utf8(const exlib::Tu_text& text) {
  return ToUtf8(text.WideView());
}

// The title model reads a key it cannot open as "not installed"; a key that exists but refuses
// reading must not be reported that way. Its default value is as good a probe as any.
bool TitleKeyReadable(const AppBase& title) {
  return ReadTextValue(title.RootKey, title.KeyPath, exlib::Tu_text()).outcome != TextRead::kFailed;
}

const char* YesNo(bool answer) {
  return answer ? "yes" : "no";
}

}  // namespace

std::optional<TitleState> ReadTitleState(const AppBase& title) {
  if (!TitleKeyReadable(title) || !PackageListReadable())
    return std::nullopt;
  TitleState state{Utf8(title.TitleId), BrandName(title), title.IsInstalled(),
                   title.IsInPackageList(), std::nullopt};
  if (state.installed)
    state.executable = Utf8(title.GetExecutablePath());
  return state;
}

std::string StateLine(const TitleState& state) {
  constexpr size_t kIdWidth = 16;  // the longest id, "trell_dravelbb2", and a blank
  constexpr size_t kBrandWidth = 6;
  std::string line = state.id;
  line.append(state.id.size() < kIdWidth ? kIdWidth - state.id.size() : 1, ' ');
  line += state.brand;
  line.append(state.brand.size() < kBrandWidth ? kBrandWidth - state.brand.size() : 1, ' ');
  line += std::string("installed=") + YesNo(state.installed);
  line += std::string(" in_package_list=") + YesNo(state.in_package_list);
  if (state.executable)
    line += " " + *state.executable;
  return line;
}

std::string StatesJson(const std::vector<TitleState>& states) {
  nlohmann::ordered_json document = nlohmann::ordered_json::array();
  for (const TitleState& state : states) {
    document.push_back({{"id", state.id},
                        {"brand", state.brand},
                        {"installed", state.installed},
                        {"in_package_list", state.in_package_list},
                        {"executable", state.executable ? nlohmann::ordered_json(*state.executable)
                                                        : nlohmann::ordered_json(nullptr)}});
  }
  return document.dump(2);
}

}  // namespace packreg
