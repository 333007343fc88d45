#pragma once
// packreg's commands over the title model, once their arguments are known to be well formed.
// Each prints the titles' states on `out` and its messages on `err`, and returns an ExitCode.
#include <ostream>
#include <string>
#include <string_view>

#include "titles/app_base.h"

namespace packreg {

// The catalogue's record with exactly this id; null for none.
AppBase* FindTitle(std::u16string_view title_id);

int ListTitles(bool json, std::ostream& out, std::ostream& err);
int RegisterTitle(AppBase& title, const std::u16string& dir, const std::u16string& src,
                  std::ostream& out, std::ostream& err);
int UnregisterTitle(AppBase& title, std::ostream& out, std::ostream& err);
int ReportStatus(const AppBase& title, std::ostream& out, std::ostream& err);

}  // namespace packreg
