#include "packreg/packreg.h"

#include <CLI/CLI.hpp>
#include <exception>
#include <string>
#include <utility>

#include "packreg/commands.h"
#include "packreg/utf8.h"

namespace packreg {
namespace {

constexpr char kVersion[] = "packreg " PACK_VERSION;

// Under every command's help.
std::string Footer() {
  std::string footer =
      "Output is UTF-8 with LF line ends; messages go to the error stream.\n"
      "Exit codes:";
  for (const ExitCodeMeaning& exit_code : kExitCodeMeanings)
    footer += "\n  " + std::to_string(exit_code.code) + "  " + exit_code.meaning;
  return footer;
}

struct Usage {
  const char* command;
  const char* line;
};

constexpr Usage kUsages[] = {
    {"list", "usage: packreg list [--json]"},
    {"register", "usage: packreg register <title-id> --dir <folder> --src <source>"},
    {"unregister", "usage: packreg unregister <title-id>"},
    {"status", "usage: packreg status <title-id>"},
};
constexpr char kUsage[] =
    "usage: packreg list [--json] | register <title-id> --dir <folder> --src <source> | "
    "unregister <title-id> | status <title-id> | --help | --version";

// The usage of the command that the parser had reached, or of them all.
const char* UsageFor(const CLI::App& app) {
  for (const CLI::App* command : app.get_subcommands()) {
    for (const Usage& usage : kUsages) {
      if (command->get_name() == usage.command)
        return usage.line;
    }
  }
  return kUsage;
}

int Refuse(int exit_code, const std::string& problem, const CLI::App& app, std::ostream& err) {
  err << "packreg: " << problem << '\n' << UsageFor(app) << '\n';
  return exit_code;
}

// Spellings of arguments back as the exact UTF-16 arguments, and as UTF-8 for messages.
std::u16string Exact(const std::string& spelling) {
  return ReadSpelling(spelling);
}
std::string Shown(const std::string& spelling) {
  return ToUtf8(ReadSpelling(spelling));
}

// The arguments as the parser takes them: spelt in 8 bits, last first. "--name=value" is split
// here, since the parser reads "--dir=" as "--dir" waiting for the next argument.
std::vector<std::string> ParserArguments(const std::vector<std::u16string>& arguments) {
  std::vector<std::string> spellings;
  for (auto it = arguments.rbegin(); it != arguments.rend(); ++it) {
    const size_t equals = it->find(u'=');
    if (it->rfind(u"--", 0) == 0 && equals != std::u16string::npos) {
      spellings.push_back(SpellArgument(std::u16string_view(*it).substr(equals + 1)));
      spellings.push_back(SpellArgument(std::u16string_view(*it).substr(0, equals)));
    } else {
      spellings.push_back(SpellArgument(*it));
    }
  }
  return spellings;
}

struct Options {
  bool json = false;
  std::string title_id;
  std::string dir;
  std::string src;
};

CLI::App* AddTitleCommand(CLI::App& app, const char* name, const char* description,
                          Options& options) {
  CLI::App* command = app.add_subcommand(name, description);
  command->add_option("title-id", options.title_id, "a title id, as `packreg list` shows")
      ->required();
  command->footer(Footer());
  return command;
}

int Run(const std::vector<std::u16string>& arguments, std::ostream& out, std::ostream& err) {
  CLI::App app("Registers the pack's titles for installer scripts, and tells their state.",
               "packreg");
  app.set_version_flag("--version", kVersion);
  app.require_subcommand(1);
  app.footer(Footer());

  Options options;
  CLI::App* list =
      app.add_subcommand("list", "every title: id, brand, installed, listed, executable");
  list->add_flag("--json", options.json, "one JSON document instead of one line per title");
  list->footer(Footer());
  CLI::App* add = AddTitleCommand(
      app, "register", "writes the title's registry values and lists it in the pack", options);
  add->add_option("--dir", options.dir, "the folder the title is installed in")->required();
  add->add_option("--src", options.src, "the folder or drive it is installed from")->required();
  CLI::App* remove = AddTitleCommand(
      app, "unregister", "removes a title that the pack registered, and its list item", options);
  AddTitleCommand(app, "status", "prints the title's state; exit 0 when installed, 1 when not",
                  options);

  try {
    app.parse(ParserArguments(arguments));
  } catch (const CLI::CallForVersion& version) {
    out << version.what() << '\n';
    return kSuccess;
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return kSuccess;
  } catch (const CLI::ParseError& error) {
    // Without a command the parser only says that one is required.
    if (app.get_subcommands().empty() && !arguments.empty())
      return Refuse(kBadArguments, "unknown command: " + ToUtf8(arguments.front()), app, err);
    return Refuse(kBadArguments, error.what(), app, err);
  }

  if (list->parsed())
    return ListTitles(options.json, out, err);
  if (add->parsed()) {
    if (options.dir.empty())
      return Refuse(kBadArguments, "--dir is empty", app, err);
    if (options.src.empty())
      return Refuse(kBadArguments, "--src is empty", app, err);
  }
  AppBase* title = FindTitle(Exact(options.title_id));
  if (title == nullptr)
    return Refuse(kUnknownTitle, "unknown title id: " + Shown(options.title_id), app, err);
  if (add->parsed())
    return RegisterTitle(*title, Exact(options.dir), Exact(options.src), out, err);
  if (remove->parsed())
    return UnregisterTitle(*title, out, err);
  return ReportStatus(*title, out, err);
}

}  // namespace

int RunPackreg(const std::vector<std::u16string>& arguments, std::ostream& out, std::ostream& err) {
  try {
    return Run(arguments, out, err);
  } catch (const std::exception& failure) {
    err << "packreg: " << failure.what() << '\n';
    return kOtherFailure;
  }
}

}  // namespace packreg
