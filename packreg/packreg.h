#pragma once
// packreg: the registration tool that the pack's installer scripts run to register, unregister
// and query titles, over the same title model as the launcher.
#include <ostream>
#include <string>
#include <vector>

#include "contract/pack_contract.h"

namespace packreg {

// Runs one command line (the arguments after the program's name). `out` receives the results,
// `err` the messages, both as UTF-8. Bad arguments change nothing.
int RunPackreg(const std::vector<std::u16string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace packreg
