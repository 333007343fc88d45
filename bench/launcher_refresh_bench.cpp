// One refresh of the launcher's buttons over this build's titles against the host registry, and
// how many registry calls it makes.
#include <benchmark/benchmark.h>

#include <string>

#include "contract/pack_contract.h"
#include "launcher/app_list_titles.h"
#include "launcher/title_buttons.h"
#include "platform/win32_api.h"
#include "registry/registry_access.h"
#include "titles/app_list.h"

namespace {

class IgnoredControls : public ButtonControls {
 public:
  void Enable(int, bool) override {}
};

void InstallAll(bool listed) {
  hostwin::ResetRegistry();
  const exlib::Tu_array<AppBase>* titles = GetAppList();
  std::string list;
  for (uint32_t i = 0; i < titles->Count(); ++i) {
    const AppBase* title = titles->GetAt(i);
    RegWriteText(title->RootKey, title->KeyPath, kTrellKeys.marker_value, "C:\\Games\\Title\\");
    list += (list.empty() ? "" : ",") + std::string(title->TitleId.Narrow());
  }
  if (listed) {
    RegWriteText(PackageListRoot(), kPackageListKey, kPackageListValue, list.c_str());
  }
}

void BM_RefreshButtons(benchmark::State& state, bool installed, bool listed) {
  hostwin::ResetRegistry();
  if (installed)
    InstallAll(listed);
  long calls = 0;
  hostwin::SetRegistryCallHook([&calls](const char*, const std::u16string&) {
    ++calls;
    return static_cast<LSTATUS>(ERROR_SUCCESS);
  });
  const AppListTitles titles;
  IgnoredControls controls;
  for (auto _ : state) RefreshButtons(titles, controls);
  state.counters["registry_calls_per_refresh"] =
      static_cast<double>(calls) / static_cast<double>(state.iterations());
  hostwin::ResetRegistry();
}

BENCHMARK_CAPTURE(BM_RefreshButtons, none_installed, false, false);
BENCHMARK_CAPTURE(BM_RefreshButtons, seven_installed, true, false);
BENCHMARK_CAPTURE(BM_RefreshButtons, seven_installed_and_listed, true, true);

}  // namespace

BENCHMARK_MAIN();
