// Registering and unregistering a title over the host registry with arbitrary entry lines,
// folders, sources and stored lists, and an injected registry failure. Another title, registered
// beforehand, must come through untouched: its values, and its item in the package list, with
// every other item in its order. No key handle may stay open.
#include <algorithm>
#include <string>
#include <vector>

#include "contract/pack_contract.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/registry_failure.h"
#include "registry/package_list.h"
#include "titles/trell_app.h"

namespace {

const std::u16string kPackageKey = kPackageListKey;
const std::u16string kList = kPackageListValue;
const std::u16string kTitleKey = std::u16string(kTrellKeys.key_prefix) + u"Fuzzed";
const std::u16string kNeighbourKey = std::u16string(kTrellKeys.key_prefix) + u"Neighbour";
const std::u16string kNeighbourId = u"trell_neighbour";

const char* const kNeighbourEntries[] = {"INSTALL_PATH=%dir%\\", "install_cd=%src%\\",
                                         "install_type=3", "MEDIA_TYPE=DVD", nullptr};
const std::u16string kNeighbourValues[] = {u"INSTALL_PATH", u"install_cd", u"install_type",
                                           u"MEDIA_TYPE"};

std::u16string Widen(const std::string& ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

std::vector<fuzz::RawValue> NeighbourValues() {
  std::vector<fuzz::RawValue> values;
  for (const std::u16string& name : kNeighbourValues)
    values.push_back(fuzz::ReadRaw(kTrellKeys.Root(), kNeighbourKey, name));
  return values;
}

std::vector<std::u16string> ListItems() {
  return fuzz::ItemsOf(fuzz::TextIn(fuzz::ReadRaw(PackageListRoot(), kPackageKey, kList)));
}

// The items that belong to other titles: neither the title's own id nor empty.
std::vector<std::u16string> OthersItems(std::vector<std::u16string> items,
                                        const std::u16string& id) {
  items.erase(
      std::remove_if(items.begin(), items.end(),
                     [&](const std::u16string& item) { return item.empty() || item == id; }),
      items.end());
  return items;
}

size_t CountOf(const std::vector<std::u16string>& items, const std::u16string& id) {
  return static_cast<size_t>(std::count(items.begin(), items.end(), id));
}

std::vector<std::string> ConsumeEntries(FuzzedDataProvider& input) {
  static const char* const kLines[] = {"INSTALL_PATH=%dir%\\",
                                       "install_cd=%src%\\",
                                       "L_INST_PATH=%drive%\\",
                                       "install_type=3",
                                       "MEDIA_TYPE=DVD",
                                       "MEDIA_TYPE=0",
                                       "minus=-1",
                                       "EMPTY=",
                                       "both=%dir%;%src%=%drive%",
                                       "install_path=%dir%\\data\\"};
  std::vector<std::string> lines(input.ConsumeIntegralInRange<size_t>(0, 6));
  for (std::string& line : lines) {
    line = input.ConsumeBool() ? input.PickValueInArray(kLines)
                               : input.ConsumeRandomLengthString(24).c_str();
  }
  return lines;
}

std::u16string ConsumeFolder(FuzzedDataProvider& input) {
  std::u16string folder = fuzz::ConsumeInterestingUnits(input, 24);
  return folder.substr(0, folder.find(u'\0'));
}

// The names the lines write: the text before the first "=" of each line that has one.
std::vector<std::u16string> EntryNames(const std::vector<std::string>& lines) {
  std::vector<std::u16string> names;
  for (const std::string& line : lines) {
    const exlib::Tu_text text(line.c_str());
    const int32_t equals = text.Find("=", 0);
    if (equals >= 0)
      names.push_back(fuzz::WideOf(text.Left(equals)));
  }
  return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  hostwin::ResetRegistry();
  fuzz::UseCodePage(input.ConsumeBool() ? fuzz::CodePage::kUtf8 : fuzz::CodePage::kClassic);

  TrellApp neighbour(1017, 154, kNeighbourEntries, 0, "n", "n", fuzz::TextOf(kNeighbourId),
                     "Neighbour", "n.exe");
  FUZZ_CHECK(neighbour.RegisterPackage("C:\\Games\\N", "D:\\"), "the neighbour did not register");

  // Ids that differ from the neighbour's only in case or by a blank are other titles.
  static const char* const kIds[] = {"trell_fuzzed", "TRELL_NEIGHBOUR", "trell_neighbour "};
  const std::u16string id = Widen(input.PickValueInArray(kIds));
  const std::vector<std::string> lines = ConsumeEntries(input);
  std::vector<const char*> entries;
  for (const std::string& line : lines) entries.push_back(line.c_str());
  entries.push_back(nullptr);
  TrellApp title(1018, 155, entries.data(), 0, "t", "t", fuzz::TextOf(id), "Fuzzed", "t.exe");

  // A stored list around the neighbour's item, holding this title's id or not.
  if (input.ConsumeBool()) {
    std::u16string list = ConsumeFolder(input);
    list += (list.empty() ? u"" : u",") + kNeighbourId;
    if (input.ConsumeBool())
      list += u"," + id;
    list += ConsumeFolder(input);
    list = list.substr(0, list.find(u'\0'));
    fuzz::WriteRaw(PackageListRoot(), kPackageKey, kList, REG_SZ, fuzz::TextBytes(list));
  }
  if (input.ConsumeBool())
    fuzz::WriteRaw(kTrellKeys.Root(), kTitleKey, kTrellKeys.marker_value, REG_SZ,
                   fuzz::TextBytes(u"C:\\Before"));

  const std::vector<fuzz::RawValue> neighbour_before = NeighbourValues();
  const std::u16string dir = ConsumeFolder(input);
  const std::u16string src = ConsumeFolder(input);
  const bool registering = input.ConsumeBool();
  const std::vector<std::u16string> items_before = ListItems();
  const bool was_in_list = title.IsInPackageList();

  bool succeeded;
  {
    fuzz::RegistryFailure failure(input);
    succeeded = registering ? title.RegisterPackage(fuzz::TextOf(dir), fuzz::TextOf(src))
                            : title.UnregisterPackage();
    failure.Stop();
    const std::vector<std::u16string> items_after = ListItems();

    FUZZ_CHECK(hostwin::OpenRegistryKeyCount() == 0, "a key handle was left open");
    FUZZ_CHECK(NeighbourValues() == neighbour_before, "another title's values changed");
    FUZZ_CHECK(CountOf(items_after, kNeighbourId) == CountOf(items_before, kNeighbourId),
               "another title's item was lost or doubled");
    FUZZ_CHECK(OthersItems(items_after, id) == OthersItems(items_before, id),
               "the other titles' items changed");
    if (failure.Happened())
      return 0;
  }

  const std::vector<std::u16string> items_after = ListItems();
  const std::vector<std::u16string> names = EntryNames(lines);
  if (registering) {
    FUZZ_CHECK(succeeded, "registering failed without a registry failure");
    for (const std::u16string& name : names) {
      const fuzz::RawValue value = fuzz::ReadRaw(kTrellKeys.Root(), kTitleKey, name);
      FUZZ_CHECK(fuzz::Exists(value) && (value.type == REG_SZ || value.type == REG_DWORD),
                 "an entry was not written as a number or a text");
    }
    const size_t listed_before = CountOf(items_before, id);
    const bool listed_now = title.IsInstalled() && listed_before > 0;
    FUZZ_CHECK(CountOf(items_after, id) == listed_before + (listed_now ? 0 : 1),
               "the title was listed a wrong number of times");
    return 0;
  }
  FUZZ_CHECK(succeeded, "unregistering failed without a registry failure");
  if (was_in_list) {
    for (const std::u16string& name : names) {
      FUZZ_CHECK(!fuzz::Exists(fuzz::ReadRaw(kTrellKeys.Root(), kTitleKey, name)),
                 "an entry stayed after unregistering");
    }
    FUZZ_CHECK(CountOf(items_after, id) == 0, "the title stayed listed after unregistering");
  } else {
    FUZZ_CHECK(items_after == items_before, "unregistering a title not in the list changed it");
  }
  return 0;
}
