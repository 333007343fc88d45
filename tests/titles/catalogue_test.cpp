#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <type_traits>

#include "titles/app_list.h"
#include "titles/catalogue.h"
#include "titles/kavor_app.h"
#include "titles/nuva_app.h"
#include "titles/trell_app.h"

namespace {

static_assert(!std::is_copy_constructible_v<AppBase> && !std::is_copy_assignable_v<AppBase>,
              "title records are never copied");

const AppBase& Row(int row) {
  return *CatalogueRecords()[row - 1];
}

std::u16string Wide(const exlib::Tu_text& text) {
  return text.Wide();
}

// Rows 1-6 are KAVOR, 7-14 Nuva, 15-21 TRELL.
enum class Brand { kKavor, kNuva, kTrell };

Brand BrandOfRow(int row) {
  return row <= 6 ? Brand::kKavor : row <= 14 ? Brand::kNuva : Brand::kTrell;
}

TEST(Catalogue, RowsAreOfTheirBrandsClass) {
  for (int row = 1; row <= static_cast<int>(kCatalogueSize); ++row) {
    const AppBase& title = Row(row);
    const Brand brand = BrandOfRow(row);
    EXPECT_EQ(dynamic_cast<const KavorApp*>(&title) != nullptr, brand == Brand::kKavor) << row;
    EXPECT_EQ(dynamic_cast<const NuvaApp*>(&title) != nullptr, brand == Brand::kNuva) << row;
    EXPECT_EQ(dynamic_cast<const TrellApp*>(&title) != nullptr, brand == Brand::kTrell) << row;
    EXPECT_EQ(title.IsKavorTitle(), brand == Brand::kKavor) << row;
  }
}

TEST(Catalogue, IdsRunInRowOrderAndTitleIdsAreUnique) {
  std::set<std::u16string> title_ids;
  const char* const brand_words[] = {"kavor_", "nuva_", "trell_"};
  for (int row = 1; row <= static_cast<int>(kCatalogueSize); ++row) {
    const AppBase& title = Row(row);
    EXPECT_EQ(title.ButtonId, 1002 + row);
    EXPECT_EQ(title.ImageId, 139 + row);
    EXPECT_TRUE(title_ids.insert(Wide(title.TitleId)).second)
        << "repeated " << title.TitleId.Narrow();
    const char* word = brand_words[static_cast<int>(BrandOfRow(row))];
    EXPECT_EQ(std::strncmp(title.TitleId.Narrow(), word, std::strlen(word)), 0) << row;
    for (const char16_t c : Wide(title.TitleId)) {
      EXPECT_TRUE((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_')
          << "row " << row << ": " << title.TitleId.Narrow();
    }
  }
}

TEST(Catalogue, KeysFollowTheirBrandsPrefix) {
  for (int row = 1; row <= static_cast<int>(kCatalogueSize); ++row) {
    const AppBase& title = Row(row);
    if (const auto* kavor = dynamic_cast<const KavorApp*>(&title)) {
      EXPECT_EQ(title.RootKey, HKEY_LOCAL_MACHINE);
      EXPECT_EQ(Wide(title.KeyPath), u"Software\\Delvarin\\QRV." + Wide(kavor->KeySuffix));
    } else if (const auto* nuva = dynamic_cast<const NuvaApp*>(&title)) {
      EXPECT_EQ(title.RootKey, HKEY_CURRENT_USER);
      EXPECT_EQ(Wide(title.KeyPath), u"Software\\Nuva\\" + Wide(nuva->KeySuffix));
    } else {
      const auto& trell = dynamic_cast<const TrellApp&>(title);
      EXPECT_EQ(title.RootKey, HKEY_CURRENT_USER);
      EXPECT_EQ(Wide(title.KeyPath), u"Software\\Trell\\" + Wide(trell.KeySuffix));
    }
  }
  EXPECT_EQ(Wide(Row(1).KeyPath), u"Software\\Delvarin\\QRV.mr1");
  EXPECT_EQ(Wide(Row(9).KeyPath), u"Software\\Nuva\\Box\\Brisel StoryEdition\\brisel");
  EXPECT_EQ(Wide(Row(15).KeyPath), u"Software\\Trell\\DRAVELB");
}

TEST(Catalogue, DiskSizesAreWholePagesSomeBeyondTwoGigabytes) {
  std::set<int> beyond_2_31;
  for (int row = 1; row <= static_cast<int>(kCatalogueSize); ++row) {
    EXPECT_EQ(Row(row).DiskSize % 4096, 0u) << row;
    if (Row(row).DiskSize > (uint64_t{1} << 31))
      beyond_2_31.insert(row);
  }
  EXPECT_EQ(beyond_2_31, (std::set<int>{2, 4, 6, 14, 18, 19}));
  EXPECT_EQ(Row(14).DiskSize, 3077197824u);
}

// Every table ends with a null entry and writes the value by which its brand tells that the title
// is installed, so registering a title makes it installed.
TEST(Catalogue, EntryTablesEndWithNullAndWriteTheMarker) {
  const size_t line_counts[kCatalogueSize] = {1,  1, 1, 1, 1, 1, 4, 4, 9, 9, 10,
                                              10, 8, 8, 8, 8, 8, 8, 8, 8, 8};
  const char* const markers[] = {"executeprogram=", "install_path=", "install_path="};
  for (int row = 1; row <= static_cast<int>(kCatalogueSize); ++row) {
    const char* const* entries = Row(row).RegistrationEntries;
    ASSERT_NE(entries, nullptr);
    size_t lines = 0;
    int marker_lines = 0;
    for (; entries[lines] != nullptr && lines <= 10; ++lines) {
      const std::string line = entries[lines];
      EXPECT_NE(line.find('='), std::string::npos) << "row " << row << ": " << line;
      std::string lower = line;
      for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      const char* marker = markers[static_cast<int>(BrandOfRow(row))];
      if (lower.rfind(marker, 0) == 0) {
        ++marker_lines;
        EXPECT_EQ(lower.compare(std::strlen(marker), 6, "%dir%\\"), 0) << line;
      }
    }
    EXPECT_EQ(lines, line_counts[row - 1]) << row;
    EXPECT_EQ(marker_lines, 1) << row;
  }
  EXPECT_STREQ(Row(4).RegistrationEntries[0], "ExecuteProgram=%dir%\\mr3.exe");
}

struct NameCase {
  const exlib::Tu_text& narrow;
  const char16_t* wide;
};

// The names are narrow literals in the user's code page (Shift-JIS under Wine's code page 932):
// a copy made after start-up reads them as the right characters, and back again gives the same
// bytes.
TEST(Catalogue, JapaneseNamesRoundTripThroughTheUserCodePage) {
  const NameCase cases[] = {
      {Row(1).ShortName, u"ミルフェリア"},
      {Row(2).LongName, u"ミルフェリア2 ポルカネット"},
      {dynamic_cast<const KavorApp&>(Row(2)).DataFolderName, u"ミルフェリア２ DVD-Edition"},
      {Row(6).LongName, u"ミルフェリア123 DVD EDITION ミニシナリオ"},
      {Row(13).LongName, u"オルヴィン!!A (オルヴィン!!SA)"},
      {Row(16).LongName, u"ドラヴェル2 ～ノクティエル"},
      {Row(21).ShortName, u"ドラヴェルBB-2"},
  };
  for (const NameCase& c : cases) {
    const exlib::Tu_text copy(c.narrow);
    EXPECT_EQ(Wide(copy), c.wide);
    EXPECT_STREQ(exlib::Tu_text(c.wide).Narrow(), c.narrow.Narrow())
        << testing::PrintToString(std::u16string(c.wide));
  }
}

// The only test here that asks for the build list: the first call pairs the two halves of row 13
// and 14's title and lists rows 15 to 21; later calls hand back the same list.
TEST(BuildList, FirstCallListsRows15To21AndPairsTheSplitTitle) {
  for (const AppBase* title : CatalogueRecords()) EXPECT_EQ(title->PairedTitle, nullptr);

  const exlib::Tu_array<AppBase>* list = GetAppList();
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->Count(), 7u);
  EXPECT_EQ(list->Capacity(), 256u);
  for (uint32_t i = 0; i < 7; ++i) {
    EXPECT_EQ(list->GetAt(i), &Row(15 + static_cast<int>(i)));
    EXPECT_EQ(list->GetAt(i)->ButtonId, static_cast<int32_t>(1017 + i));
    EXPECT_EQ(list->GetAt(i)->ImageId, static_cast<int32_t>(154 + i));
  }
  for (int row = 1; row <= static_cast<int>(kCatalogueSize); ++row) {
    EXPECT_EQ(Row(row).PairedTitle, row == 13 ? &Row(14) : nullptr) << row;
  }

  EXPECT_EQ(GetAppList(), list);
  EXPECT_EQ(list->Count(), 7u);
  EXPECT_EQ(list->GetAt(0), &Row(15));
}

}  // namespace
