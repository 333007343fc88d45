#pragma once
// packreg: the registration tool that the pack's installer scripts run to register, unregister
// and query titles, over the same title model as the launcher.
#include <ostream>
#include <string>
#include <vector>

namespace packreg {

enum ExitCode : int {
  kSuccess = 0,       // for `status`: the title is installed
  kNotInstalled = 1,  // `status` only
  kBadArguments = 2,  // the usage line follows the message
  kUnknownTitle = 3,
  kWriteRefused = 4,  // the registry refused or failed a write: nothing is reported as done
  kOtherFailure = 5,  // the registry could not be read, or anything else went wrong
};

// Runs one command line (the arguments after the program's name). `out` receives the results,
// `err` the messages, both as UTF-8. Bad arguments change nothing.
int RunPackreg(const std::vector<std::u16string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace packreg
