// The editions against the window templates they are shown in, read from the resource script:
// every listed title's button is in the template, every title button of the template is listed,
// in the same order, under its brand's group box. Built once per edition, so that each build's
// list is checked to be its own edition's (PACK_TEST_EDITION).
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "titles/app_list.h"
#include "titles/brand.h"
#include "titles/catalogue.h"
#include "titles/editions.h"

namespace {

std::string ReadFile(const char* path) {
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file) << path;
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The numbers that resource.h gives the names of the dialog templates.
std::map<std::string, int> TemplateIds() {
  std::map<std::string, int> ids;
  const std::string header = ReadFile(PACK_RESOURCE_HEADER);
  const std::regex define(R"(#define (IDD_\w+) (\d+))");
  for (auto it = std::sregex_iterator(header.begin(), header.end(), define);
       it != std::sregex_iterator(); ++it) {
    ids[(*it)[1]] = std::stoi((*it)[2]);
  }
  return ids;
}

struct DialogTemplate {
  std::vector<std::string> group_boxes;  // their texts, in template order
  std::vector<int> title_buttons;        // in template order
};

// Each "<name> DIALOGEX" block of the resource script up to its END, by template id.
std::map<int, DialogTemplate> DialogTemplates() {
  const std::map<std::string, int> ids = TemplateIds();
  std::map<int, DialogTemplate> templates;
  std::istringstream script(ReadFile(PACK_RESOURCE_SCRIPT));
  const std::regex start(R"(^(IDD_\w+) DIALOGEX)");
  const std::regex group_box(R"re(^\s*GROUPBOX "([^"]*)")re");
  const std::regex title_button(R"(^\s*TITLE_BUTTON\((\d+),)");
  DialogTemplate* current = nullptr;
  for (std::string line; std::getline(script, line);) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    std::smatch match;
    if (std::regex_search(line, match, start)) {
      EXPECT_EQ(ids.count(match[1]), 1u) << match[1];
      current = &templates[ids.count(match[1]) != 0 ? ids.at(match[1]) : -1];
    } else if (line == "END") {
      current = nullptr;
    } else if (current != nullptr && std::regex_search(line, match, group_box)) {
      current->group_boxes.push_back(match[1]);
    } else if (current != nullptr && std::regex_search(line, match, title_button)) {
      current->title_buttons.push_back(std::stoi(match[1]));
    }
  }
  return templates;
}

TEST(Editions, EachListsExactlyItsTemplatesTitleButtonsInOrderUnderTheirBrands) {
  const std::map<int, DialogTemplate> templates = DialogTemplates();
  const std::map<std::string, int> ids = TemplateIds();
  const char* const names[] = {"all", "kavor", "nuva", "trell"};
  for (size_t i = 0; i < kEditionCount; ++i) {
    const Edition& edition = Editions()[i];
    SCOPED_TRACE(edition.name);
    EXPECT_STREQ(edition.name, names[i]);
    std::string upper = edition.name;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(edition.template_id, ids.at("IDD_SETUP_" + upper));
    ASSERT_EQ(templates.count(edition.template_id), 1u);
    const DialogTemplate& dialog = templates.at(edition.template_id);

    std::vector<int> buttons;
    std::vector<std::string> brands;
    for (const AppBase* title : edition) {
      buttons.push_back(title->ButtonId);
      if (brands.empty() || brands.back() != BrandName(*title))
        brands.push_back(BrandName(*title));
    }
    EXPECT_EQ(buttons, dialog.title_buttons);
    EXPECT_EQ(brands, dialog.group_boxes);
  }
  EXPECT_EQ(Editions()[0].title_count, kCatalogueSize);
}

// Between them the single-brand editions hold every catalogue title once.
TEST(Editions, BrandEditionsShareOutTheCatalogue) {
  std::map<const AppBase*, int> seen;
  for (const Edition& edition : Editions()) {
    if (edition.id == EditionId::kAll)
      continue;
    for (const AppBase* title : edition) ++seen[title];
  }
  EXPECT_EQ(seen.size(), kCatalogueSize);
  for (const AppBase* title : CatalogueRecords()) EXPECT_EQ(seen[title], 1) << title->ButtonId;
}

TEST(Editions, TheBuildListsItsOwnEdition) {
  EXPECT_STREQ(BuildEdition().name, PACK_TEST_EDITION);
  const exlib::Tu_array<AppBase>* list = GetAppList();
  ASSERT_EQ(list->Count(), BuildEdition().title_count);
  for (uint32_t i = 0; i < list->Count(); ++i) EXPECT_EQ(list->GetAt(i), BuildEdition().titles[i]);
}

}  // namespace
