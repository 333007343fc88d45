// packreg's commands run in-process against the registry: the host substitute, or the real one
// under Wine, each test in a registry of its own (the predefined keys pointed at scratch keys).
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "packreg/packreg.h"
#include "platform/win32_api.h"
#include "tests/support/refused_key.h"
#include "tests/support/registry_override.h"
#include "harness/registry_values.h"
#include "titles/catalogue.h"

namespace {

using testsupport::KeyExists;
using testsupport::RawValue;
using testsupport::ReadRaw;
using testsupport::TextBytes;

std::u16string Widen(const std::string& ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

const char16_t kDravel1Key[] = u"Software\\Trell\\DRAVELB";

struct Outcome {
  int exit_code;
  std::string out;
  std::string err;
};

Outcome Packreg(const std::vector<std::u16string>& arguments) {
  std::ostringstream out;
  std::ostringstream err;
  const int exit_code = packreg::RunPackreg(arguments, out, err);
  return {exit_code, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

const AppBase& Title(const char* id) {
  for (const AppBase* title : CatalogueRecords()) {
    if (title->TitleId == id)
      return *title;
  }
  ADD_FAILURE() << "no title " << id;
  return *CatalogueRecords()[0];
}

// Everything that registering a title could touch: each of its entries' values, its key and the
// package list with its key.
struct Snapshot {
  std::vector<RawValue> values;
  std::vector<bool> keys;
  bool operator==(const Snapshot& other) const {
    return values == other.values && keys == other.keys;
  }
};

Snapshot Take(const AppBase& title) {
  Snapshot snapshot;
  const std::u16string key_path = title.KeyPath.Wide();
  for (const char* const* entry = title.RegistrationEntries; *entry != nullptr; ++entry) {
    const std::string line = *entry;
    const std::string name = line.substr(0, line.find('='));
    snapshot.values.push_back(ReadRaw(title.RootKey, key_path, Widen(name)));
  }
  snapshot.values.push_back(ReadRaw(PackageListRoot(), kPackageListKey, kPackageListValue));
  snapshot.keys = {KeyExists(title.RootKey, key_path),
                   KeyExists(PackageListRoot(), kPackageListKey)};
  return snapshot;
}

class PackregTool : public testing::Test {
 protected:
  testsupport::RegistryOverride registry_;
};

struct BadArguments {
  const char* name;
  std::vector<std::u16string> arguments;
  int exit_code;
  const char* named;  // what the message names
  const char* usage;  // the start of the usage line that follows it
};

// Every bad command line: one message naming the problem, then the usage line, a non-zero exit and
// the registry unchanged.
TEST_F(PackregTool, BadArgumentsAreRefusedWithTheUsageAndChangeNothing) {
  const std::u16string dir = u"D:\\Games\\Dravel";
  const BadArguments cases[] = {
      {"no command",
       {},
       packreg::kBadArguments,
       "subcommand is required",
       "usage: packreg list [--json] |"},
      {"unknown command", {u"install"}, packreg::kBadArguments, "install", "usage: packreg list"},
      {"option before any command",
       {u"--json"},
       packreg::kBadArguments,
       "--json",
       "usage: packreg list"},
      {"extra argument to list",
       {u"list", u"all"},
       packreg::kBadArguments,
       "all",
       "usage: packreg list [--json]"},
      {"unknown option to list",
       {u"list", u"--xml"},
       packreg::kBadArguments,
       "--xml",
       "usage: packreg list [--json]"},
      {"status without id",
       {u"status"},
       packreg::kBadArguments,
       "title-id",
       "usage: packreg status <title-id>"},
      {"status with two ids",
       {u"status", u"trell_dravel1", u"trell_dravel2"},
       packreg::kBadArguments,
       "trell_dravel2",
       "usage: packreg status"},
      {"unknown id",
       {u"status", u"trell_dravel9"},
       packreg::kUnknownTitle,
       "trell_dravel9",
       "usage: packreg status"},
      {"id in another case",
       {u"unregister", u"TRELL_DRAVEL1"},
       packreg::kUnknownTitle,
       "TRELL_DRAVEL1",
       "usage: packreg unregister <title-id>"},
      {"id with a blank",
       {u"unregister", u"trell_dravel1 "},
       packreg::kUnknownTitle,
       "trell_dravel1 ",
       "usage: packreg unregister"},
      {"register without --dir",
       {u"register", u"trell_dravel1", u"--src", u"E:\\"},
       packreg::kBadArguments,
       "--dir",
       "usage: packreg register <title-id> --dir"},
      {"register with an empty --dir",
       {u"register", u"trell_dravel1", u"--dir", u"", u"--src", u"E:"},
       packreg::kBadArguments,
       "--dir is empty",
       "usage: packreg register"},
      {"register with --dir=",
       {u"register", u"trell_dravel1", u"--dir=", u"--src", u"E:"},
       packreg::kBadArguments,
       "--dir is empty",
       "usage: packreg register"},
      {"register with --dir and no value",
       {u"register", u"trell_dravel1", u"--src", u"E:", u"--dir"},
       packreg::kBadArguments,
       "--dir",
       "usage: packreg register"},
      {"register without --src",
       {u"register", u"trell_dravel1", u"--dir", dir},
       packreg::kBadArguments,
       "--src",
       "usage: packreg register"},
      {"register with an empty --src",
       {u"register", u"trell_dravel1", u"--dir", dir, u"--src", u""},
       packreg::kBadArguments,
       "--src is empty",
       "usage: packreg register"},
      {"register with an extra argument",
       {u"register", u"trell_dravel1", u"D:\\Other", u"--dir", dir, u"--src", u"E:"},
       packreg::kBadArguments,
       "D:\\Other",
       "usage: packreg register"},
      {"register with an unknown option",
       {u"register", u"trell_dravel1", u"--dir", dir, u"--src", u"E:", u"--force"},
       packreg::kBadArguments,
       "--force",
       "usage: packreg register"},
      {"register with --dir twice",
       {u"register", u"trell_dravel1", u"--dir", dir, u"--dir", u"D:\\B", u"--src", u"E:"},
       packreg::kBadArguments,
       "--dir",
       "usage: packreg register"},
      {"register of an unknown id",
       {u"register", u"dravel1", u"--dir", dir, u"--src", u"E:"},
       packreg::kUnknownTitle,
       "dravel1",
       "usage: packreg register"},
  };
  // A listed title in place, so that "unchanged" covers a list and a key that exist.
  ASSERT_EQ(
      Packreg({u"register", u"trell_dravel1", u"--dir", u"C:\\Before", u"--src", u"E:"}).exit_code,
      packreg::kSuccess);
  const Snapshot before = Take(Title("trell_dravel1"));
  for (const BadArguments& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome run = Packreg(c.arguments);
    EXPECT_EQ(run.exit_code, c.exit_code);
    EXPECT_EQ(run.out, "");
    const std::vector<std::string> lines = Lines(run.err);
    ASSERT_EQ(lines.size(), 2u) << run.err;
    EXPECT_EQ(lines[0].rfind("packreg: ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(c.named), std::string::npos) << lines[0];
    EXPECT_EQ(lines[1].rfind(c.usage, 0), 0u) << lines[1];
    EXPECT_TRUE(Take(Title("trell_dravel1")) == before);
  }
}

TEST_F(PackregTool, HelpDocumentsTheExitCodesAndVersionNamesTheRelease) {
  for (const char16_t* help : {u"--help", u"-h"}) {
    const Outcome run = Packreg({help});
    EXPECT_EQ(run.exit_code, packreg::kSuccess);
    EXPECT_EQ(run.err, "");
    for (const char* text : {"register", "unregister", "status", "list", "Exit codes",
                             "4  the registry refused", "5  the registry could not be read"}) {
      EXPECT_NE(run.out.find(text), std::string::npos) << text;
    }
  }
  const Outcome register_help = Packreg({u"register", u"--help"});
  EXPECT_EQ(register_help.exit_code, packreg::kSuccess);
  EXPECT_NE(register_help.out.find("--src"), std::string::npos) << register_help.out;

  const Outcome version = Packreg({u"--version"});
  EXPECT_EQ(version.exit_code, packreg::kSuccess);
  EXPECT_EQ(version.out, "packreg " PACK_VERSION "\n");
}

struct RoundTrip {
  const char* id;
  const char* brand;
  const char16_t* dir;
  const char* executable;  // as printed
};

// register -> status -> list -> unregister for a title of each brand, beside another listed title:
// each step reports the state, and the end leaves the registry exactly as it was.
TEST_F(PackregTool, RoundTripLeavesTheRegistryAsItWas) {
  const RoundTrip cases[] = {
      {"kavor_mr1", "KAVOR", u"D:\\Games\\Mr1\\", "D:\\Games\\Mr1\\mr1.exe"},
      {"nuva_briselmv", "Nuva", u"D:/Games/Moonveil", "D:\\Games\\Moonveil\\briselMV.exe"},
      {"trell_dravelbb2", "TRELL", u"C:\\Program Files\\DravelBB2",
       "C:\\Program Files\\DravelBB2\\DravelBB2.exe"},
  };
  ASSERT_EQ(
      Packreg({u"register", u"trell_dravel1", u"--dir", u"C:\\Dravel", u"--src", u"E:"}).exit_code,
      packreg::kSuccess);
  for (const RoundTrip& c : cases) {
    SCOPED_TRACE(c.id);
    const AppBase& title = Title(c.id);
    const std::u16string id = Widen(c.id);
    const Snapshot before = Take(title);
    const std::string installed_line = c.id + std::string(16 - std::string(c.id).size(), ' ') +
                                       c.brand + std::string(6 - std::string(c.brand).size(), ' ') +
                                       "installed=yes in_package_list=yes " + c.executable;

    const Outcome registered =
        Packreg({u"register", id, u"--dir", c.dir, u"--src", u"E:\\Setup\\"});
    EXPECT_EQ(registered.exit_code, packreg::kSuccess) << registered.err;
    EXPECT_EQ(registered.out, installed_line + "\n");
    EXPECT_EQ(registered.err, "");

    const Outcome status = Packreg({u"status", id});
    EXPECT_EQ(status.exit_code, packreg::kSuccess);
    EXPECT_EQ(status.out, installed_line + "\n");

    const std::vector<std::string> listed = Lines(Packreg({u"list"}).out);
    ASSERT_EQ(listed.size(), kCatalogueSize);
    EXPECT_NE(std::find(listed.begin(), listed.end(), installed_line), listed.end());

    const nlohmann::json json = nlohmann::json::parse(Packreg({u"list", u"--json"}).out);
    const auto object = std::find_if(json.begin(), json.end(),
                                     [&](const nlohmann::json& o) { return o["id"] == c.id; });
    ASSERT_NE(object, json.end());
    EXPECT_EQ(*object, (nlohmann::json{{"id", c.id},
                                       {"brand", c.brand},
                                       {"installed", true},
                                       {"in_package_list", true},
                                       {"executable", c.executable}}));

    const Outcome unregistered = Packreg({u"unregister", id});
    EXPECT_EQ(unregistered.exit_code, packreg::kSuccess) << unregistered.err;
    EXPECT_NE(unregistered.out.find("installed=no in_package_list=no"), std::string::npos);
    EXPECT_TRUE(Take(title) == before);
    EXPECT_EQ(Packreg({u"status", id}).exit_code, packreg::kNotInstalled);
  }
  EXPECT_EQ(ReadRaw(PackageListRoot(), kPackageListKey, kPackageListValue).bytes,
            TextBytes(u"trell_dravel1"));
}

// Every title in catalogue order, in both forms; only an installed title has an executable, and
// one installed by someone else is not in the package list.
TEST_F(PackregTool, ListShowsEveryTitleInCatalogueOrder) {
  testsupport::WriteText(HKEY_CURRENT_USER, u"Software\\Nuva\\Box\\KELDRA", u"INSTALL_PATH",
                         u"F:\\Keldra\\");
  const Outcome text = Packreg({u"list"});
  EXPECT_EQ(text.exit_code, packreg::kSuccess);
  const std::vector<std::string> lines = Lines(text.out);
  ASSERT_EQ(lines.size(), kCatalogueSize);
  const nlohmann::json json = nlohmann::json::parse(Packreg({u"list", u"--json"}).out);
  ASSERT_TRUE(json.is_array());
  ASSERT_EQ(json.size(), kCatalogueSize);
  for (size_t row = 0; row < kCatalogueSize; ++row) {
    const std::string id = CatalogueRecords()[row]->TitleId.Narrow();
    const bool keldra = id == "nuva_keldra";
    EXPECT_EQ(lines[row].rfind(id + " ", 0), 0u) << lines[row];
    EXPECT_NE(lines[row].find(keldra ? "installed=yes in_package_list=no F:\\Keldra\\keldra.exe"
                                     : "installed=no in_package_list=no"),
              std::string::npos)
        << lines[row];
    EXPECT_EQ(json[row]["id"], id);
    EXPECT_EQ(json[row]["installed"], keldra);
    EXPECT_EQ(json[row]["in_package_list"], false);
    EXPECT_EQ(json[row]["executable"],
              keldra ? nlohmann::json("F:\\Keldra\\keldra.exe") : nlohmann::json(nullptr));
  }
  EXPECT_EQ(json[0]["brand"], "KAVOR");
  EXPECT_EQ(json[6]["brand"], "Nuva");
  EXPECT_EQ(json[14]["brand"], "TRELL");
  EXPECT_EQ(lines[6].substr(16, 6), "Nuva  ");
}

struct Folder {
  const char* name;
  std::vector<std::u16string> dir_arguments;
  std::u16string install_path;  // as stored
};

// Folders reach the registry exactly as given, whatever characters they hold; only the trailing
// separator is the title model's own ("%dir%\").
TEST_F(PackregTool, FoldersAreRegisteredExactly) {
  const std::u16string lone_surrogate = std::u16string(u"D:\\x") + char16_t{0xD800} + u"y";
  const Folder cases[] = {
      {"blanks",
       {u"--dir", u"C:\\Program Files\\My  Games \\"},
       u"C:\\Program Files\\My  Games \\"},
      {"dollar signs", {u"--dir", u"D:\\$1 $$ $& $'\\"}, u"D:\\$1 $$ $& $'\\"},
      {"percent signs and placeholders",
       {u"--dir", u"D:\\100% %src% %drive%"},
       u"D:\\100% %src% %drive%\\"},
      {"Japanese", {u"--dir", u"D:\\ゲーム\\ドラヴェル"}, u"D:\\ゲーム\\ドラヴェル\\"},
      {"beyond the basic plane", {u"--dir", u"D:\\\U00020BB7"}, u"D:\\\U00020BB7\\"},
      {"a lone surrogate", {u"--dir", lone_surrogate}, lone_surrogate + u"\\"},
      {"one trailing backslash", {u"--dir", u"D:\\Dravel\\"}, u"D:\\Dravel\\"},
      {"two trailing backslashes", {u"--dir", u"D:\\Dravel\\\\"}, u"D:\\Dravel\\\\"},
      {"joined with =", {u"--dir=D:\\a=b\\"}, u"D:\\a=b\\"},
      {"a drive's root", {u"--dir", u"D:\\"}, u"D:\\"},
  };
  for (const Folder& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::u16string> arguments = {u"register", u"trell_dravel1"};
    arguments.insert(arguments.end(), c.dir_arguments.begin(), c.dir_arguments.end());
    arguments.insert(arguments.end(), {u"--src", u"E:\\"});
    const Outcome run = Packreg(arguments);
    EXPECT_EQ(run.exit_code, packreg::kSuccess) << run.err;
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kDravel1Key, u"INSTALL_PATH"),
              (RawValue{ERROR_SUCCESS, REG_SZ, TextBytes(c.install_path)}));
  }
  // The path is printed as UTF-8.
  const Outcome japanese =
      Packreg({u"register", u"trell_dravel1", u"--dir", u"D:\\ゲーム", u"--src", u"E:"});
  EXPECT_NE(japanese.out.find(u8"D:\\ゲーム\\DRAVEL.exe"), std::string::npos) << japanese.out;
}

// The source and its drive reach the entries that name them.
TEST_F(PackregTool, SourceIsRegisteredExactly) {
  const Outcome run = Packreg(
      {u"register", u"nuva_veloria", u"--dir", u"C:\\Veloria", u"--src", u"E:\\Setup $1 100%\\"});
  ASSERT_EQ(run.exit_code, packreg::kSuccess) << run.err;
  const std::u16string key = u"Software\\Nuva\\Box\\VELORIA";
  EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, key, u"install_cd").bytes,
            TextBytes(u"E:\\Setup $1 100%\\"));
  EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, key, u"L_INST_PATH").bytes, TextBytes(u"E:\\"));
}

// Registering twice lists the title once; unregistering a title that is not listed changes
// nothing and says so.
TEST_F(PackregTool, RepeatedCommandsAreHarmless) {
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(
        Packreg({u"register", u"trell_dravel1", u"--dir", u"D:\\D", u"--src", u"E:"}).exit_code,
        packreg::kSuccess);
  }
  EXPECT_EQ(ReadRaw(PackageListRoot(), kPackageListKey, kPackageListValue).bytes,
            TextBytes(u"trell_dravel1"));
  EXPECT_EQ(Packreg({u"unregister", u"trell_dravel1"}).exit_code, packreg::kSuccess);

  testsupport::WriteText(HKEY_CURRENT_USER, kDravel1Key, u"INSTALL_PATH", u"D:\\Other\\");
  const Snapshot before = Take(Title("trell_dravel1"));
  const Outcome again = Packreg({u"unregister", u"trell_dravel1"});
  EXPECT_EQ(again.exit_code, packreg::kSuccess);
  EXPECT_NE(again.err.find("not in the package list"), std::string::npos) << again.err;
  EXPECT_TRUE(Take(Title("trell_dravel1")) == before);
}

// A write the registry refuses is reported with its own exit code, never as done; a key that
// cannot be read gives no answer rather than "not installed".
TEST_F(PackregTool, RefusedWritesAndReadsAreReported) {
  using testsupport::Refusal;
  using testsupport::RefusedKey;
  {
    SCOPED_TRACE("the title's own key");
    const RefusedKey refused(HKEY_CURRENT_USER, kDravel1Key, Refusal::kWrites);
    const Outcome run =
        Packreg({u"register", u"trell_dravel1", u"--dir", u"D:\\D", u"--src", u"E:"});
    EXPECT_EQ(run.exit_code, packreg::kWriteRefused);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("HKEY_CURRENT_USER\\Software\\Trell\\DRAVELB"), std::string::npos);
  }
  EXPECT_EQ(Packreg({u"status", u"trell_dravel1"}).exit_code, packreg::kNotInstalled);
  EXPECT_FALSE(KeyExists(PackageListRoot(), kPackageListKey));
  {
    SCOPED_TRACE("the package list, on registering");
    const RefusedKey refused(PackageListRoot(), kPackageListKey, Refusal::kWrites);
    const Outcome run =
        Packreg({u"register", u"trell_dravel1", u"--dir", u"D:\\D", u"--src", u"E:"});
    EXPECT_EQ(run.exit_code, packreg::kWriteRefused);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("package list"), std::string::npos) << run.err;
  }
  EXPECT_EQ(ReadRaw(PackageListRoot(), kPackageListKey, kPackageListValue).status,
            ERROR_FILE_NOT_FOUND);
  for (const char16_t* id : {u"trell_dravel1", u"trell_dravel2"}) {
    ASSERT_EQ(Packreg({u"register", id, u"--dir", u"D:\\D", u"--src", u"E:"}).exit_code,
              packreg::kSuccess);
  }
  {
    SCOPED_TRACE("the package list, on unregistering");
    const RefusedKey refused(PackageListRoot(), kPackageListKey, Refusal::kWrites);
    const Outcome run = Packreg({u"unregister", u"trell_dravel1"});
    EXPECT_EQ(run.exit_code, packreg::kWriteRefused);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(ReadRaw(PackageListRoot(), kPackageListKey, kPackageListValue).bytes,
            TextBytes(u"trell_dravel1,trell_dravel2"));
  {
    SCOPED_TRACE("a key that cannot be read");
    const RefusedKey refused(HKEY_CURRENT_USER, u"Software\\Trell\\DRAVEL2B", Refusal::kEverything);
    for (const std::vector<std::u16string>& arguments :
         {std::vector<std::u16string>{u"status", u"trell_dravel2"},
          {u"list"},
          {u"unregister", u"trell_dravel2"}}) {
      const Outcome run = Packreg(arguments);
      EXPECT_EQ(run.exit_code, packreg::kOtherFailure);
      EXPECT_EQ(run.out, "");
      EXPECT_NE(run.err.find("cannot read"), std::string::npos) << run.err;
    }
  }
  EXPECT_EQ(Packreg({u"status", u"trell_dravel2"}).exit_code, packreg::kSuccess);
}

}  // namespace
