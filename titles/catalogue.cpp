// The 21 title records, the editions' lists, this build's title list, and the point in start-up
// where the user's code page takes over. Static initialisation runs this unit top to bottom: the
// records first (their names are converted under the runtime's initial locale, so read them through
// a copy), then the locale, then the list, all before the application object in another unit.
#include <initializer_list>

#include "resources/resource.h"
#include "textlib/codepage.h"
#include "titles/app_list.h"
#include "titles/catalogue.h"
#include "titles/editions.h"
#include "titles/kavor_app.h"
#include "titles/nuva_app.h"
#include "titles/trell_app.h"

namespace {

// clang-format off

// Registration entry lines (name=value), each table ended by a null entry. Every table writes the
// value by which its brand tells that the title is installed.
const char* const kEntriesMr1[] = {"ExecuteProgram=%dir%\\mr1.exe", nullptr};
const char* const kEntriesMr2[] = {"ExecuteProgram=%dir%\\mr2.exe", nullptr};
const char* const kEntriesPq1[] = {"ExecuteProgram=%dir%\\pq1.exe", nullptr};
const char* const kEntriesMr3[] = {"ExecuteProgram=%dir%\\mr3.exe", nullptr};
const char* const kEntriesPq2[] = {"ExecuteProgram=%dir%\\pq2.exe", nullptr};
const char* const kEntriesMrg[] = {"ExecuteProgram=%dir%\\mrg.exe", nullptr};
const char* const kEntriesN1[] = {"L_INST_PATH=%drive%\\", "install_cd=%src%\\", "install_path=%dir%\\", "install_type=3", nullptr};
const char* const kEntriesN2[] = {"L_INST_PATH=%drive%\\", "INSTALL_PATH=%dir%\\", "SCRIPT_ARC=%dir%\\script.arc", "PICT_ARC=%dir%\\pict.arc", "BGM_ARC=%dir%\\bgm.arc",
                                  "VOICE_ARC=%dir%\\voice.arc", "SE_ARC=%dir%\\se.arc", "INSTALL_TYPE=0", "MEDIA_TYPE=0", nullptr};
const char* const kEntriesN3[] = {"L_INST_PATH=%drive%\\", "INSTALL_PATH=%dir%\\", "SCRIPT_ARC=%dir%\\script.arc", "PICT_ARC=%dir%\\pict.arc", "BGM_ARC=%dir%\\bgm.arc",
                                  "VOICE_ARC=%dir%\\voice0.arc", "VOICE2_ARC=%dir%\\voice1.arc", "SE_ARC=%dir%\\se.arc", "INSTALL_TYPE=0", "MEDIA_TYPE=0", nullptr};
const char* const kEntriesD1[] = {"INSTALL_TYPE=0", "INSTALL_PATH=%dir%\\", "SCRIPT_ARC=%dir%\\msg.arc", "PICT_ARC=%dir%\\gra.arc", "SOUND_ARC=%dir%\\snd.arc",
                                  "DATA_ARC=%dir%\\dat.arc", "LIB_ARC=%dir%\\sys.arc", "MEDIA_TYPE=DVD", nullptr};
const char* const kEntriesD2[] = {"INSTALL_TYPE=0", "INSTALL_PATH=%dir%\\", "SCRIPT_ARC=%dir%\\script.arc", "PICT_ARC=%dir%\\pict.arc", "BGM_ARC=%dir%\\bgm.arc",
                                  "VOICE_ARC=%dir%\\voice.arc", "SE_ARC=%dir%\\se.arc", "MEDIA_TYPE=DVD", nullptr};
const char* const kEntriesD3[] = {"INSTALL_TYPE=0", "INSTALL_PATH=%dir%\\", "SCRIPT_ARC=%dir%\\msg.arc", "PICT_ARC=%dir%\\gra.arc", "SOUND_ARC=%dir%\\snd.arc",
                                  "DATA_ARC=%dir%\\dat.arc", "LIB_ARC=%dir%\\system.arc", "MEDIA_TYPE=DVD", nullptr};

// Class Record     Button Image Entries      DiskSize    LongName                                    ShortName            TitleId            KeySuffix                                    DataFolderName / ExecutableName
KavorApp mr1       {1003,  140,  kEntriesMr1, 906461184,  "ミルフェリア",                             "ミルフェリア",      "kavor_mr1",       "mr1",                                       "ミルフェリア DVD-Edition"};
KavorApp mr2       {1004,  141,  kEntriesMr2, 2192535552, "ミルフェリア2 ポルカネット",               "ミルフェリア2",     "kavor_mr2",       "mr2",                                       "ミルフェリア２ DVD-Edition"};
KavorApp pq1       {1005,  142,  kEntriesPq1, 1042763776, "ミルフェリア ペチカルーン ミニシナリオ",   "ペチカルーン",      "kavor_pq1",       "pq1",                                       "ペチカルーン DVD-Edition"};
KavorApp mr3       {1006,  143,  kEntriesMr3, 2247131136, "ミルフェリア3 ～Lunavelle～",              "ミルフェリア3",     "kavor_mr3",       "mr3",                                       "ミルフェリア３ DVD-Edition"};
KavorApp pq2       {1007,  144,  kEntriesPq2, 1646059520, "ミルフェリア3 ヴァニエッタ ミニシナリオ",  "ヴァニエッタ",      "kavor_pq2",       "pq2",                                       "ヴァニエッタ DVD-Edition"};
KavorApp mrg       {1008,  145,  kEntriesMrg, 2386321408, "ミルフェリア123 DVD EDITION ミニシナリオ", "ミルフェリア123",   "kavor_mrg",       "mrg",                                       "ミルフェ DVD-Edition おまけシナリオ"};
NuvaApp  veloria   {1009,  146,  kEntriesN1,  1716826112, "ヴェロリア～グランメーヌ～",               "ヴェロリア",        "nuva_veloria",    "Box\\VELORIA",                              "veloria.exe"};
NuvaApp  torvane   {1010,  147,  kEntriesN1,  1514594304, "トルヴァネ～ザイン～",                     "トルヴァネ",        "nuva_torvane",    "Box\\TORVANE",                              "torvane.exe"};
NuvaApp  brisel    {1011,  148,  kEntriesN2,  1131565056, "Brisel... (BriselStoryEdition)",           "Brisel...",         "nuva_brisel",     "Box\\Brisel StoryEdition\\brisel",          "brisel.exe"};
NuvaApp  briselmv  {1012,  149,  kEntriesN2,  646983680,  "Brisel...Moonveil (BriselStoryEdition)",   "Brisel...Moonveil", "nuva_briselmv",   "Box\\Brisel StoryEdition\\Brisel Moonveil", "briselMV.exe"};
NuvaApp  keldra    {1013,  150,  kEntriesN3,  1657135104, "ケルドラ",                                 "ケルドラ",          "nuva_keldra",     "Box\\KELDRA",                               "keldra.exe"};
NuvaApp  zalvie    {1014,  151,  kEntriesN3,  983740416,  "ザルヴィエ",                               "ザルヴィエ",        "nuva_zalvie",     "Box\\ZALVIE",                               "zalvie.exe"};
NuvaApp  orvina    {1015,  152,  kEntriesD1,  1439453184, "オルヴィン!!A (オルヴィン!!SA)",           "オルヴィン!!A",     "nuva_orvina",     "OrvinSA_A",                                 "OrvinA.exe"};
NuvaApp  orvins    {1016,  153,  kEntriesD1,  3077197824, "オルヴィン!!S (オルヴィン!!SA)",           "オルヴィン!!S",     "nuva_orvins",     "OrvinSA_S",                                 "OrvinS.exe"};
TrellApp dravel1   {1017,  154,  kEntriesD2,  848924672,  "ドラヴェル ～ヴェスパリオ～",              "ドラヴェル",        "trell_dravel1",   "DRAVELB",                                   "DRAVEL.exe"};
TrellApp dravel2   {1018,  155,  kEntriesD3,  1629638656, "ドラヴェル2 ～ノクティエル",               "ドラヴェル2",       "trell_dravel2",   "DRAVEL2B",                                  "Dravel2.exe"};
TrellApp dravel3   {1019,  156,  kEntriesD3,  1659125760, "ドラヴェル3 ～カルディオン～",             "ドラヴェル3",       "trell_dravel3",   "DRAVEL3B",                                  "Dravel3.exe"};
TrellApp dravel4   {1020,  157,  kEntriesD3,  2244530176, "ドラヴェル4 ～ZORVANTH～",                 "ドラヴェル4",       "trell_dravel4",   "DRAVEL4B",                                  "Dravel4.exe"};
TrellApp dravel5   {1021,  158,  kEntriesD1,  2412806144, "ドラヴェル5 ～Elvarith～",                 "ドラヴェル5",       "trell_dravel5",   "DRAVEL5B",                                  "Dravel5.exe"};
TrellApp dravelbb1 {1022,  159,  kEntriesD1,  1018146816, "ドラヴェルBB Mirathel",                    "ドラヴェルBB-1",    "trell_dravelbb1", "DravelBB1B",                                "DravelBB1.exe"};
TrellApp dravelbb2 {1023,  160,  kEntriesD1,  1675112448, "ドラヴェルBB Tessarine",                   "ドラヴェルBB-2",    "trell_dravelbb2", "DravelBB2B",                                "DravelBB2.exe"};

// clang-format on

// Set during start-up between the records and the application object; every text conversion from
// here on uses the user's code page.
const struct UserDefaultLocale {
  UserDefaultLocale() { exlib::SetUserDefaultLocale(); }
} user_default_locale;

exlib::Tu_array<AppBase> AppList;

constexpr std::array<AppBase*, kCatalogueSize> kCatalogueRecords = {
    &mr1,     &mr2,     &pq1,      &mr3,     &pq2,     &mrg,       &veloria,
    &torvane, &brisel,  &briselmv, &keldra,  &zalvie,  &orvina,    &orvins,
    &dravel1, &dravel2, &dravel3,  &dravel4, &dravel5, &dravelbb1, &dravelbb2};

// Each edition lists its titles in the order of their buttons in its template.
constexpr AppBase* kKavorTitles[] = {&mr1, &mr2, &pq1, &mr3, &pq2, &mrg};
constexpr AppBase* kNuvaTitles[] = {&veloria, &torvane, &brisel, &briselmv,
                                    &keldra,  &zalvie,  &orvina, &orvins};
constexpr AppBase* kTrellTitles[] = {&dravel1, &dravel2,   &dravel3,  &dravel4,
                                     &dravel5, &dravelbb1, &dravelbb2};

template <size_t N>
constexpr Edition MakeEdition(EditionId id, const char* name, int32_t template_id,
                              AppBase* const (&titles)[N]) {
  return Edition{id, name, template_id, titles, N};
}

constexpr std::array<Edition, kEditionCount> kEditions = {
    Edition{EditionId::kAll, "all", IDD_SETUP_ALL, kCatalogueRecords.data(), kCatalogueSize},
    MakeEdition(EditionId::kKavor, "kavor", IDD_SETUP_KAVOR, kKavorTitles),
    MakeEdition(EditionId::kNuva, "nuva", IDD_SETUP_NUVA, kNuvaTitles),
    MakeEdition(EditionId::kTrell, "trell", IDD_SETUP_TRELL, kTrellTitles)};
constexpr bool EditionsAreIndexedById() {
  for (size_t i = 0; i < kEditions.size(); ++i) {
    if (static_cast<size_t>(kEditions[i].id) != i)
      return false;
  }
  return true;
}
static_assert(EditionsAreIndexedById(), "BuildEdition() indexes the table by id");

}  // namespace

const std::array<AppBase*, kCatalogueSize>& CatalogueRecords() {
  return kCatalogueRecords;
}

const std::array<Edition, kEditionCount>& Editions() {
  return kEditions;
}

const Edition& BuildEdition() {
  return kEditions[static_cast<size_t>(kBuildEdition)];
}

const exlib::Tu_array<AppBase>* GetAppList() {
  if (AppList.Count() >= 1)
    return &AppList;
  orvina.PairedTitle = &orvins;
  AppList.Reset();
  for (AppBase* title : BuildEdition()) AppList.Add(title);
  return &AppList;
}
