// The installer's edition lists are written for makensis, apart from the C++ tables the
// launcher is built from; these tests keep the two from drifting apart.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win32_api.h"
#include "titles/editions.h"

namespace {

struct ListedTitle {
  std::string id;
  std::string executable;
};

// The ${PackTitle} lines of an edition's list, in order.
std::vector<ListedTitle> ReadEditionList(const std::string& edition) {
  std::ifstream file(std::string(PACK_INSTALLER_DIR "/editions/") + edition + ".nsh");
  EXPECT_TRUE(file) << edition;
  const std::regex line_form(R"(^\s*\$\{PackTitle\}\s+(\S+)\s+(\S+)\s+"[^"]+"\s*$)");
  std::vector<ListedTitle> titles;
  std::string line;
  while (std::getline(file, line)) {
    const size_t start = line.find_first_not_of(" \t");
    if (line.find("${PackTitle}") == std::string::npos || line[start] == ';')
      continue;
    std::smatch match;
    if (std::regex_match(line, match, line_form)) {
      titles.push_back({match[1], match[2]});
    } else {
      ADD_FAILURE() << edition << ": not a title line: " << line;
    }
  }
  return titles;
}

// The paths compared here are ASCII.
std::string Ascii(const std::u16string& text) {
  std::string bytes;
  for (char16_t c : text) bytes += c < 0x80 ? static_cast<char>(c) : '?';
  return bytes;
}

TEST(EditionLists, ListTheEditionsTitlesInButtonOrder) {
  for (const Edition& edition : Editions()) {
    const std::vector<ListedTitle> listed = ReadEditionList(edition.name);
    ASSERT_EQ(listed.size(), edition.title_count) << edition.name;
    for (size_t i = 0; i < listed.size(); ++i) {
      EXPECT_EQ(listed[i].id, edition.titles[i]->TitleId.Narrow())
          << edition.name << ", title " << i + 1;
    }
  }
}

// The installer copies the title's program under the listed name into the folder it registers;
// registering that folder must make the launcher start exactly that file.
TEST(EditionLists, ListedExecutableIsWhatTheLauncherStartsAfterRegistration) {
  for (const Edition& edition : Editions()) {
    const std::vector<ListedTitle> listed = ReadEditionList(edition.name);
    ASSERT_EQ(listed.size(), edition.title_count) << edition.name;
    for (size_t i = 0; i < listed.size(); ++i) {
      hostwin::ResetRegistry();
      AppBase& title = *edition.titles[i];
      const std::string folder = "C:\\Users\\x\\AppData\\Local\\Demo\\" + listed[i].id;
      ASSERT_TRUE(title.RegisterPackage(folder.c_str(), "D:\\Pack")) << listed[i].id;
      EXPECT_EQ(Ascii(title.GetExecutablePath().Wide()), folder + "\\" + listed[i].executable)
          << edition.name << ": " << listed[i].id;
    }
  }
  hostwin::ResetRegistry();
}

}  // namespace
