// The title model's share of one refresh tick of the launcher window: IsInstalled for every title
// of the build list and IsInPackageList for each installed one, against the host registry.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/win32_api.h"
#include "registry/registry_access.h"
#include "titles/app_list.h"

namespace {

enum class RegistryState { kNoneInstalled, kSevenInstalled, kSevenListed, kThousandIds };

void PrepareRegistry(RegistryState state) {
  hostwin::ResetRegistry();
  if (state == RegistryState::kNoneInstalled)
    return;
  const exlib::Tu_array<AppBase>* titles = GetAppList();
  std::string list;
  if (state == RegistryState::kThousandIds) {
    // Other titles' ids first, so that every lookup walks most of the list.
    for (int i = static_cast<int>(titles->Count()); i < 1000; ++i) {
      list += "trell_other" + std::to_string(i) + ",";
    }
  }
  for (uint32_t i = 0; i < titles->Count(); ++i) {
    const AppBase* title = titles->GetAt(i);
    RegWriteText(title->RootKey, title->KeyPath, "INSTALL_PATH", "C:\\Games\\Title\\");
    list += std::string(title->TitleId.Narrow()) + ",";
  }
  list.pop_back();
  if (state != RegistryState::kSevenInstalled) {
    RegWriteText(HKEY_LOCAL_MACHINE, "Software\\Delvarin\\morvex", "installed_package_list",
                 list.c_str());
  }
}

void BM_RefreshTick(benchmark::State& state, RegistryState registry) {
  PrepareRegistry(registry);
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
  hostwin::ResetRegistry();
}

BENCHMARK_CAPTURE(BM_RefreshTick, none_installed, RegistryState::kNoneInstalled);
BENCHMARK_CAPTURE(BM_RefreshTick, seven_installed, RegistryState::kSevenInstalled);
BENCHMARK_CAPTURE(BM_RefreshTick, seven_listed, RegistryState::kSevenListed);
BENCHMARK_CAPTURE(BM_RefreshTick, seven_listed_among_1000_ids, RegistryState::kThousandIds);

}  // namespace

BENCHMARK_MAIN();
