// The demo tour: plays a newcomer's steps through a laid-out demo pack by itself and saves a
// screenshot of each. Run inside a Wine desktop at the top left of the X display, so that the
// desktop is what the screenshots show.
//
//   pack_demo_tour <pack folder> <screenshot folder>
//
// The registry's titles and package list, and the demo root's folders, are put back as they were
// at the end, so that the tour leaves the prefix as it found it.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "contract/pack_contract.h"
#include "tests/launcher/e2e/button_states.h"
#include "tests/launcher/e2e/demo_pack.h"
#include "tests/launcher/e2e/harness.h"
#include "tests/launcher/e2e/title_registry.h"

namespace {

using e2e::kTrellTitles;

constexpr DWORD kStepPatience = 60000;

using e2e::ButtonStates;

bool Fail(const char* step) {
  std::fprintf(stderr, "tour: %s\n", step);
  return false;
}

class Tour {
 public:
  Tour(std::u16string pack, std::u16string shots) : pack_(pack), shots_(shots) {}

  bool Run() {
    launcher_ = e2e::Process::Start(pack_ + u"\\setup.exe", e2e::TempFolderPath());
    if (launcher_ == nullptr)
      return Fail("setup.exe did not start");
    HWND window = e2e::WaitForDialog(launcher_->Id(), e2e::kLauncherCaption, kStepPatience);
    if (window == nullptr)
      return Fail("the launcher window did not show");
    if (!Settled(window, "0000000 10") || !Shoot(u"1-empty-pack"))
      return false;

    e2e::Click(window, e2e::kInstallButton);
    auto installer = e2e::ForeignProcess::WaitForDialogOf(pack_ + u"\\inst.exe", kStepPatience);
    if (!installer)
      return Fail("the installer did not show");
    if (!Shoot(u"2-installer"))
      return false;
    e2e::Click(installer->Dialog(), e2e::kWizardNext);
    if (installer->WaitForExit(kStepPatience) != std::optional<DWORD>(0))
      return Fail("the installer did not finish");
    if (!Settled(window, "1010000 11") || !Shoot(u"3-two-titles-installed"))
      return false;

    e2e::Click(window, kTrellTitles[0].button);
    if (!e2e::WaitForDemoTitle(kStepPatience))
      return Fail("the title did not start");
    if (!Shoot(u"4-title-started"))
      return false;
    e2e::CloseDemoTitles();

    e2e::Click(window, e2e::kUninstallButton);
    if (!Settled(window, "1000000 11"))
      return false;
    if (!e2e::Eventually([] { return !e2e::MutexExists(kUninstallerMutexName); }, kStepPatience))
      return Fail("the uninstaller did not end");
    if (!Shoot(u"5-one-uninstalled"))
      return false;
    e2e::PressEscape(window);
    return launcher_->WaitForExit().has_value() || Fail("the launcher did not close");
  }

 private:
  bool Settled(HWND window, const std::string& states) {
    if (e2e::Eventually([&] { return ButtonStates(window) == states; }, kStepPatience))
      return true;
    std::fprintf(stderr, "tour: buttons show %s, not %s\n", ButtonStates(window).c_str(),
                 states.c_str());
    return false;
  }

  // Once two captures a moment apart agree, so that no window is caught half drawn.
  bool Shoot(const std::u16string& name) {
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    e2e::Capture previous = e2e::CaptureScreen(screen);
    e2e::Capture current;
    const bool steady = e2e::Eventually(
        [&] {
          current = e2e::CaptureScreen(screen);
          const bool same = !current.pixels.empty() &&
                            current.pixels.size() == previous.pixels.size() &&
                            std::memcmp(current.pixels.data(), previous.pixels.data(),
                                        current.pixels.size() * sizeof(RGBQUAD)) == 0;
          previous = current;
          return same;
        },
        kStepPatience);
    if (!steady)
      return Fail("the screen did not settle");
    if (!e2e::SaveAsBmp(current, shots_ + u"\\" + name + u".bmp"))
      return Fail("a screenshot could not be saved");
    return true;
  }

  std::u16string pack_;
  std::u16string shots_;
  std::unique_ptr<e2e::Process> launcher_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: pack_demo_tour <pack folder> <screenshot folder>\n");
    return 2;
  }
  e2e::TitleRegistry registry;
  e2e::DemoFolderGuard folders;
  e2e::ScopedEnvironmentVariable install_options(u"PACK_DEMO_INST_OPTIONS",
                                                 u"/TITLES=trell_dravel1,trell_dravel3");
  e2e::ScopedEnvironmentVariable uninstall_options(u"PACK_DEMO_UNINST_OPTIONS",
                                                   u"/S /TITLES=trell_dravel3");
  Tour tour(FromWin(argv[1]), FromWin(argv[2]));
  const bool done = tour.Run();
  e2e::CloseDemoTitles();
  return done ? 0 : 1;
}
