// The start-up restriction of the DLL search, proven in a process of its own: it holds for the
// rest of the process, so this suite has this one test.
#include <gtest/gtest.h>

#include "platform/win/dll_search.h"
#include "platform/win32_api.h"

namespace {

// Beside the test executable, built with it.
constexpr char16_t kPlantedDll[] = u"pack_planted_probe.dll";

HMODULE LoadByBareName() {
  return LoadLibraryW(ToWin(kPlantedDll));
}

TEST(DllSearch, ADllBesideTheProgramIsFoundOnlyBeforeTheRestriction) {
  HMODULE before = LoadByBareName();
  ASSERT_NE(before, nullptr) << "the DLL beside the executable was not found at all";
  EXPECT_NE(GetProcAddress(before, "PlantedProbe"), nullptr);
  ASSERT_TRUE(FreeLibrary(before));
  ASSERT_EQ(GetModuleHandleW(ToWin(kPlantedDll)), nullptr) << "still loaded";

  winui::RestrictDllSearchToSystemFolder();
  HMODULE after = LoadByBareName();
  EXPECT_EQ(after, nullptr);
  if (after != nullptr)
    FreeLibrary(after);
  // A system DLL is still found by its bare name.
  HMODULE system = LoadLibraryW(ToWin(u"version.dll"));
  EXPECT_NE(system, nullptr);
  if (system != nullptr)
    FreeLibrary(system);
}

}  // namespace
