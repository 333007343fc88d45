// The installers' include and the README carry copies of the pack's shared names for makensis and
// for readers; these tests keep each copy equal to contract/pack_contract.h.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>

#include "contract/pack_contract.h"

namespace {

std::string Ascii(const char16_t* text) {
  std::string bytes;
  for (; *text != u'\0'; ++text) bytes += *text < 0x80 ? static_cast<char>(*text) : '?';
  return bytes;
}

// The `!define NAME "value"` lines of an NSIS include.
std::map<std::string, std::string> ReadDefines(const std::string& path) {
  std::ifstream file(path);
  EXPECT_TRUE(file) << path;
  const std::regex define_form(R"(^\s*!define\s+(\w+)\s+"([^"]*)\"\s*(;.*)?$)");
  std::map<std::string, std::string> defines;
  std::string line;
  while (std::getline(file, line)) {
    std::smatch match;
    if (std::regex_match(line, match, define_form))
      defines[match[1]] = match[2];
  }
  return defines;
}

// The rows of the README's exit-code table: code and meaning, backquotes dropped.
std::map<int, std::string> ReadExitCodeTable(const std::string& path) {
  std::ifstream file(path);
  EXPECT_TRUE(file) << path;
  const std::regex row_form(R"(^\|\s*(\d+)\s*\|\s*(.*?)\s*\|\s*$)");
  std::map<int, std::string> rows;
  bool in_table = false;
  std::string line;
  while (std::getline(file, line)) {
    if (line.rfind("| Exit code | Meaning |", 0) == 0) {
      in_table = true;
      continue;
    }
    std::smatch match;
    if (in_table && std::regex_match(line, match, row_form)) {
      std::string meaning = match[2];
      meaning.erase(std::remove(meaning.begin(), meaning.end(), '`'), meaning.end());
      rows[std::stoi(match[1])] = meaning;
    } else if (in_table && line.rfind("|", 0) != 0) {
      break;
    }
  }
  return rows;
}

TEST(ContractCopies, InstallerIncludeNamesThePackageListAndMutexes) {
  const std::map<std::string, std::string> defines =
      ReadDefines(PACK_SOURCE_DIR "/installer/pack.nsh");
  const std::map<std::string, std::string> expected = {
      {"PACK_LIST_KEY", Ascii(kPackageListKey)},
      {"PACK_LIST_VALUE", Ascii(kPackageListValue)},
      {"PACK_INSTALLER_MUTEX", Ascii(kInstallerMutexName)},
      {"PACK_UNINSTALLER_MUTEX", Ascii(kUninstallerMutexName)},
  };
  for (const auto& [name, value] : expected) {
    const auto found = defines.find(name);
    ASSERT_NE(found, defines.end()) << name;
    EXPECT_EQ(found->second, value) << name;
  }
  // The installers read the list where the launcher does.
  EXPECT_EQ(PackageListRoot(), HKEY_LOCAL_MACHINE);
}

// The demo pack's readme.htm tells a publisher which mutex the installer must hold.
TEST(ContractCopies, DemoReadmeNamesTheInstallersMutex) {
  std::ifstream file(PACK_SOURCE_DIR "/demo/readme.htm");
  ASSERT_TRUE(file);
  const std::string page((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_NE(page.find("<code>" + Ascii(kInstallerMutexName) + "</code>"), std::string::npos);
}

TEST(ContractCopies, ReadmeTableGivesEveryExitCodeItsMeaning) {
  const std::map<int, std::string> rows = ReadExitCodeTable(PACK_SOURCE_DIR "/README.md");
  ASSERT_EQ(rows.size(), std::size(packreg::kExitCodeMeanings));
  for (const packreg::ExitCodeMeaning& exit_code : packreg::kExitCodeMeanings) {
    const auto row = rows.find(exit_code.code);
    ASSERT_NE(row, rows.end()) << exit_code.code;
    EXPECT_EQ(row->second, exit_code.meaning) << exit_code.code;
  }
}

}  // namespace
