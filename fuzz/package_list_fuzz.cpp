// The package list over the host registry: arbitrary stored values (any type, any bytes, with or
// without a NUL), arbitrary ids, and now and then a registry call that fails. Without a failure
// each operation gives exactly what the model gives; with one, the list is either untouched or
// exactly the model's, and a list whose read failed is never written.
#include <string>

#include "contract/pack_contract.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/registry_failure.h"
#include "registry/package_list.h"

namespace {

const std::u16string kKey = kPackageListKey;
const std::u16string kList = kPackageListValue;
const std::u16string kNeighbour = u"neighbour";  // another value that shares the package key

fuzz::RawValue StoredList() {
  return fuzz::ReadRaw(PackageListRoot(), kKey, kList);
}

void StoreList(FuzzedDataProvider& input) {
  static const DWORD kTypes[] = {REG_SZ,    REG_EXPAND_SZ, REG_BINARY,
                                 REG_DWORD, REG_MULTI_SZ,  REG_NONE};
  const DWORD type = input.PickValueInArray(kTypes);
  std::vector<BYTE> bytes;
  if (input.ConsumeBool()) {
    bytes = fuzz::TextBytes(fuzz::ConsumeInterestingUnits(input, 40), input.ConsumeBool());
  } else {
    bytes = input.ConsumeBytes<BYTE>(input.ConsumeIntegralInRange<size_t>(0, 64));
  }
  fuzz::WriteRaw(PackageListRoot(), kKey, kList, type, bytes);
}

std::u16string Joined(const std::vector<std::u16string>& items) {
  std::u16string list;
  for (const std::u16string& item : items) {
    if (!list.empty())
      list += u',';
    list += item;
  }
  return list;
}

fuzz::RawValue AsStoredText(const std::u16string& text) {
  return fuzz::Stored(REG_SZ, fuzz::TextBytes(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  hostwin::ResetRegistry();
  fuzz::UseCodePage(input.ConsumeBool() ? fuzz::CodePage::kUtf8 : fuzz::CodePage::kClassic);

  if (input.ConsumeBool())
    StoreList(input);
  const bool has_neighbour = input.ConsumeBool();
  if (has_neighbour)
    fuzz::WriteRaw(PackageListRoot(), kKey, kNeighbour, REG_DWORD, {1, 0, 0, 0});
  std::u16string id = fuzz::ConsumeInterestingUnits(input, 8);
  id = id.substr(0, id.find_first_of(std::u16string(u",\0", 2)));
  if (id.empty())
    id = u"trell_dravel1";
  const exlib::Tu_text id_text = fuzz::TextOf(id);

  const fuzz::RawValue before = StoredList();
  const std::vector<std::u16string> items = fuzz::ItemsOf(fuzz::TextIn(before));
  bool listed = false;
  std::vector<std::u16string> kept;
  for (const std::u16string& item : items) {
    listed = listed || item == id;
    if (item != id && !(kept.empty() && item.empty()))
      kept.push_back(item);
  }

  const int operation = input.ConsumeIntegralInRange<int>(0, 2);
  fuzz::RegistryFailure failure(input);
  bool removed = false;
  switch (operation) {
    case 0: {
      const bool found = PackageListContains(id_text);
      FUZZ_CHECK(!found || listed, "an id not in the list was found");
      FUZZ_CHECK(found == listed || failure.Happened(), "a listed id was not found");
      break;
    }
    case 1:
      AppendToPackageList(id_text);
      break;
    case 2:
      removed = RemoveFromPackageList(id_text);
      break;
  }
  failure.Stop();

  const fuzz::RawValue after = StoredList();
  fuzz::RawValue expected = before;
  if (operation == 1) {
    const std::u16string text = fuzz::TextIn(before);
    expected = AsStoredText(text.empty() ? id : text + u"," + id);
  } else if (operation == 2 && Joined(kept) != fuzz::TextIn(before)) {
    expected = kept.empty() ? fuzz::Missing() : AsStoredText(Joined(kept));
  }

  FUZZ_CHECK(hostwin::OpenRegistryKeyCount() == 0, "a key handle was left open");
  if (has_neighbour) {
    FUZZ_CHECK(
        fuzz::ReadRaw(PackageListRoot(), kKey, kNeighbour) == fuzz::Stored(REG_DWORD, {1, 0, 0, 0}),
        "another value of the package key changed");
  }
  if (!failure.Happened()) {
    FUZZ_CHECK(after == expected, "the stored list differs from the model");
    FUZZ_CHECK(operation != 2 || removed, "removing failed without a registry failure");
    if (!fuzz::Exists(after) && !has_neighbour && operation == 2 && fuzz::Exists(before)) {
      FUZZ_CHECK(!fuzz::KeyExists(PackageListRoot(), kKey), "the emptied package key stayed");
    }
    return 0;
  }
  FUZZ_CHECK(after == before || after == expected, "a failure left a list of neither kind");
  if (failure.HappenedBeforeWriting())
    FUZZ_CHECK(after == before, "the list was written after its read failed");
  if (operation == 2 && !removed)
    FUZZ_CHECK(after == before || !fuzz::Exists(after), "a failed removal still rewrote the list");
  return 0;
}
