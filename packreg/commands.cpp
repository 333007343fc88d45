#include "packreg/commands.h"

#include <optional>
#include <vector>

#include "packreg/packreg.h"
#include "packreg/title_state.h"
#include "packreg/utf8.h"
#include "registry/package_list.h"
#include "titles/catalogue.h"

namespace packreg {
namespace {

std::string Id(const AppBase& title) {
  return ToUtf8(title.TitleId.WideView());
}

std::string KeyName(HKEY root, std::u16string_view path) {
  return (root == HKEY_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\") +
         ToUtf8(path);
}

std::string KeyName(const AppBase& title) {
  return KeyName(title.RootKey, title.KeyPath.WideView());
}

std::string PackageListName() {
  return KeyName(PackageListRoot(), kPackageListKey) + ' ' + ToUtf8(kPackageListValue);
}

int Unreadable(const AppBase& title, std::ostream& err) {
  err << "packreg: cannot read " << KeyName(title) << " or the package list (" << PackageListName()
      << ")\n";
  return kOtherFailure;
}

// Reports the title's state after a change; a state that cannot be read back is a failure.
int PrintState(const AppBase& title, std::ostream& out, std::ostream& err) {
  const std::optional<TitleState> state = ReadTitleState(title);
  if (!state)
    return Unreadable(title, err);
  out << StateLine(*state) << '\n';
  return kSuccess;
}

}  // namespace

AppBase* FindTitle(std::u16string_view title_id) {
  for (AppBase* title : CatalogueRecords()) {
    if (title->TitleId.WideView() == title_id) {
      return title;
    }
  }
  return nullptr;
}

int ListTitles(bool json, std::ostream& out, std::ostream& err) {
  std::vector<TitleState> states;
  for (const AppBase* title : CatalogueRecords()) {
    std::optional<TitleState> state = ReadTitleState(*title);
    if (!state)
      return Unreadable(*title, err);
    states.push_back(std::move(*state));
  }
  if (json) {
    out << StatesJson(states) << '\n';
  } else {
    for (const TitleState& state : states) out << StateLine(state) << '\n';
  }
  return kSuccess;
}

// The title model does not report a package list it could not write: the list is read back.
int RegisterTitle(AppBase& title, const std::u16string& dir, const std::u16string& src,
                  std::ostream& out, std::ostream& err) {
  if (!ReadTitleState(title))
    return Unreadable(title, err);
  if (!title.RegisterPackage(exlib::Tu_text::FromWide(dir), exlib::Tu_text::FromWide(src))) {
    err << "packreg: the registry refused the values of " << Id(title) << " under "
        << KeyName(title) << "; values written before the refusal stay\n";
    return kWriteRefused;
  }
  if (!title.IsInPackageList()) {
    if (!PackageListReadable()) {
      err << "packreg: cannot read the package list (" << PackageListName() << ")\n";
      return kOtherFailure;
    }
    err << "packreg: " << Id(title) << "'s values are written, but the registry refused the "
        << "package list (" << PackageListName() << ")\n";
    return kWriteRefused;
  }
  return PrintState(title, out, err);
}

int UnregisterTitle(AppBase& title, std::ostream& out, std::ostream& err) {
  if (!ReadTitleState(title))
    return Unreadable(title, err);
  if (!title.IsInPackageList()) {
    err << "packreg: " << Id(title) << " is not in the package list; nothing to unregister\n";
    return PrintState(title, out, err);
  }
  if (!title.UnregisterPackage()) {
    err << "packreg: the registry refused to remove " << Id(title) << " (" << KeyName(title)
        << " or " << PackageListName() << ")\n";
    return kWriteRefused;
  }
  return PrintState(title, out, err);
}

int ReportStatus(const AppBase& title, std::ostream& out, std::ostream& err) {
  const std::optional<TitleState> state = ReadTitleState(title);
  if (!state)
    return Unreadable(title, err);
  out << StateLine(*state) << '\n';
  return state->installed ? kSuccess : kNotInstalled;
}

}  // namespace packreg
