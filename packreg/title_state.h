#pragma once
// What packreg reports of a title, read afresh from the registry.
#include <optional>
#include <string>
#include <vector>

#include "titles/app_base.h"

namespace packreg {

struct TitleState {
  std::string id;  // UTF-8, as the rest
  std::string brand;
  bool installed;
  bool in_package_list;
  std::optional<std::string> executable;  // while installed
};

// Nothing when the title's key or the package list exists but cannot be read: the title's state
// is then unknown, not "not installed".
std::optional<TitleState> ReadTitleState(const AppBase& title);

// One line: id, brand, installed=yes|no, in_package_list=yes|no, the executable when installed.
std::string StateLine(const TitleState& state);

// One JSON document: an array of objects with the keys id, brand, installed, in_package_list and
// executable (null while not installed).
std::string StatesJson(const std::vector<TitleState>& states);

}  // namespace packreg
