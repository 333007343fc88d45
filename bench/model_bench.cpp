// The title model's share of one refresh tick of the launcher window: IsInstalled for every title
// of the build list and IsInPackageList for each installed one, against the host registry.
#include <benchmark/benchmark.h>

#include <string>

#include "contract/pack_contract.h"
#include "platform/win32_api.h"
#include "registry/registry_access.h"
#include "titles/app_list.h"

namespace {

enum class RegistryState { kNoneInstalled, kSevenInstalled, kSevenListed, kListedAmongOthers };

// ids: how many items the package list holds in all (kListedAmongOthers only). Returns the
// stored list's size in bytes.
size_t PrepareRegistry(RegistryState state, int ids) {
  hostwin::ResetRegistry();
  if (state == RegistryState::kNoneInstalled)
    return 0;
  const exlib::Tu_array<AppBase>* titles = GetAppList();
  std::string list;
  if (state == RegistryState::kListedAmongOthers) {
    // Other titles' ids first, so that every lookup walks most of the list.
    for (int i = static_cast<int>(titles->Count()); i < ids; ++i) {
      list += "trell_other" + std::to_string(i) + ",";
    }
  }
  for (uint32_t i = 0; i < titles->Count(); ++i) {
    const AppBase* title = titles->GetAt(i);
    RegWriteText(title->RootKey, title->KeyPath, kTrellKeys.marker_value, "C:\\Games\\Title\\");
    list += std::string(title->TitleId.Narrow()) + ",";
  }
  list.pop_back();
  if (state == RegistryState::kSevenInstalled)
    return 0;
  RegWriteText(PackageListRoot(), kPackageListKey, kPackageListValue, list.c_str());
  return (list.size() + 1) * sizeof(char16_t);
}

void BM_RefreshTick(benchmark::State& state, RegistryState registry) {
  const size_t list_bytes = PrepareRegistry(registry, static_cast<int>(state.range(0)));
  const exlib::Tu_array<AppBase>* titles = GetAppList();
  int listed = 0;
  for (auto _ : state) {
    listed = 0;
    for (uint32_t i = 0; i < titles->Count(); ++i) {
      const AppBase* title = titles->GetAt(i);
      if (title->IsInstalled() && title->IsInPackageList())
        ++listed;
    }
    benchmark::DoNotOptimize(listed);
  }
  state.counters["listed"] = listed;
  state.counters["list_bytes"] = static_cast<double>(list_bytes);
  hostwin::ResetRegistry();
}

BENCHMARK_CAPTURE(BM_RefreshTick, none_installed, RegistryState::kNoneInstalled)->Arg(0);
BENCHMARK_CAPTURE(BM_RefreshTick, seven_installed, RegistryState::kSevenInstalled)->Arg(0);
BENCHMARK_CAPTURE(BM_RefreshTick, seven_listed, RegistryState::kSevenListed)->Arg(0);
// The list's length in ids; the refresh must stay linear in it.
BENCHMARK_CAPTURE(BM_RefreshTick, seven_listed_among_ids, RegistryState::kListedAmongOthers)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(123000)  // a list of 4 MiB
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
