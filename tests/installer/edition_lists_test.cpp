// The installer's edition lists are written for makensis, apart from the C++ tables the
// launcher is built from; these tests keep the two from drifting apart.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win32_api.h"
#include "titles/app_list.h"
#include "titles/catalogue.h"
#include "titles/kavor_app.h"
#include "titles/nuva_app.h"
#include "titles/trell_app.h"

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

template <class Brand>
std::vector<const AppBase*> CatalogueTitlesOf() {
  std::vector<const AppBase*> titles;
  for (const AppBase* title : CatalogueRecords()) {
    if (dynamic_cast<const Brand*>(title) != nullptr)
      titles.push_back(title);
  }
  return titles;
}

std::vector<const AppBase*> BuildList() {
  std::vector<const AppBase*> titles;
  const auto* list = GetAppList();
  for (uint32_t i = 0; i < list->Count(); ++i) titles.push_back(list->GetAt(i));
  return titles;
}

struct Edition {
  const char* name;
  std::vector<const AppBase*> titles;  // in button order
};

std::vector<Edition> Editions() {
  return {{"all", {CatalogueRecords().begin(), CatalogueRecords().end()}},
          {"kavor", CatalogueTitlesOf<KavorApp>()},
          {"nuva", CatalogueTitlesOf<NuvaApp>()},
          {"trell", BuildList()}};
}

std::string Utf8(const std::u16string& text) {
  std::string bytes;
  for (char16_t c : text) bytes += c < 0x80 ? static_cast<char>(c) : '?';
  return bytes;
}

TEST(EditionLists, ListTheEditionsTitlesInButtonOrder) {
  for (const Edition& edition : Editions()) {
    const std::vector<ListedTitle> listed = ReadEditionList(edition.name);
    ASSERT_EQ(listed.size(), edition.titles.size()) << edition.name;
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
    ASSERT_EQ(listed.size(), edition.titles.size()) << edition.name;
    for (size_t i = 0; i < listed.size(); ++i) {
      hostwin::ResetRegistry();
      AppBase& title = *const_cast<AppBase*>(edition.titles[i]);
      const std::string folder = "C:\\Users\\x\\AppData\\Local\\Demo\\" + listed[i].id;
      ASSERT_TRUE(title.RegisterPackage(folder.c_str(), "D:\\Pack")) << listed[i].id;
      EXPECT_EQ(Utf8(title.GetExecutablePath().Wide()), folder + "\\" + listed[i].executable)
          << edition.name << ": " << listed[i].id;
    }
  }
  hostwin::ResetRegistry();
}

}  // namespace
