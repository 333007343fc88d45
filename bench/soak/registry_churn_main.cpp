// The soak's second process: changes the registry under the running launcher as installers,
// uninstallers and broken programs would, until the soak signals its stop event, then leaves this
// build's titles installed and listed.
//
//   launcher_soak_churn.exe <stop event name> <folder the titles are installed in>
//
// Each change is undone after a pause of up to three ticks, then the next one follows after
// another such pause, so the launcher sees the registry changed about half the time.
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "contract/pack_contract.h"
#include "harness/registry_values.h"
#include "platform/win32_api.h"
#include "titles/app_list.h"

namespace {

class Churn {
 public:
  Churn(HANDLE stop, std::u16string games, testsupport::RawValue full_list)
      : stop_(stop), games_(std::move(games)), full_list_(std::move(full_list)) {}

  // One change and its undoing; false once the stop event is signalled.
  bool Step() {
    const exlib::Tu_array<AppBase>* titles = GetAppList();
    AppBase& title = *titles->GetAt(static_cast<uint32_t>(next_() % titles->Count()));
    const unsigned kind = step_++ % 7;
    switch (kind) {
      case 0:  // a title unregistered, then registered again
        title.UnregisterPackage();
        return PauseThen([&] { Register(title); });
      case 1:  // the package list rewritten: a part of it, in another order, with blanks
        WriteList(REG_SZ, testsupport::TextBytes(PartOfList()));
        return PauseThen([&] { RestoreList(); });
      case 2:  // a marker of a wrong type
        testsupport::WriteRaw(title.RootKey, KeyOf(title), kTrellKeys.marker_value, WrongType(),
                              testsupport::TextBytes(games_ + u"\\"));
        return PauseThen([&] { Register(title); });
      case 3:  // a title's key deleted and made again at once
        testsupport::DeleteKeyTree(title.RootKey, KeyOf(title));
        Register(title);
        return PauseThen([] {});
      case 4:  // the package list of a wrong type
        WriteList(WrongType(), full_list_.bytes);
        return PauseThen([&] { RestoreList(); });
      case 5:  // the package list's key deleted, then made again
        testsupport::DeleteKeyTree(PackageListRoot(), kPackageListKey);
        return PauseThen([&] { RestoreList(); });
      default:  // the installer's or the uninstaller's mutex held, then released
        return HoldMutex(step_ % 2 ? kInstallerMutexName : kUninstallerMutexName);
    }
  }

  unsigned long long Steps() const { return step_; }

  bool RestoreList() { return WriteList(full_list_.type, full_list_.bytes); }

 private:
  static std::u16string KeyOf(const AppBase& title) {
    return std::u16string(title.KeyPath.WideView());
  }

  bool Register(AppBase& title) {
    return title.RegisterPackage(exlib::Tu_text::FromWide(games_),
                                 exlib::Tu_text::FromWide(games_));
  }

  static bool WriteList(DWORD type, const std::vector<BYTE>& bytes) {
    return testsupport::WriteRaw(PackageListRoot(), kPackageListKey, kPackageListValue, type,
                                 bytes) == ERROR_SUCCESS;
  }

  // Waits up to three ticks; false when the stop event came.
  bool Pause() { return WaitForSingleObject(stop_, next_() % 150) == WAIT_TIMEOUT; }

  template <class Undo>
  bool PauseThen(Undo undo) {
    const bool go_on = Pause();
    undo();
    return go_on && Pause();
  }

  bool HoldMutex(const char16_t* name) {
    HANDLE mutex = CreateMutexW(nullptr, TRUE, ToWin(name));
    const bool go_on = Pause();
    if (mutex != nullptr) {
      ReleaseMutex(mutex);
      CloseHandle(mutex);
    }
    return go_on && Pause();
  }

  DWORD WrongType() {
    static constexpr DWORD kTypes[] = {REG_DWORD, REG_BINARY, REG_MULTI_SZ, REG_NONE, REG_QWORD};
    return kTypes[next_() % (sizeof(kTypes) / sizeof(kTypes[0]))];
  }

  std::u16string PartOfList() {
    const exlib::Tu_array<AppBase>* titles = GetAppList();
    std::u16string list;
    for (uint32_t k = 0; k < titles->Count(); ++k) {
      const AppBase& title = *titles->GetAt(static_cast<uint32_t>((k + step_) % titles->Count()));
      if (next_() % 2)
        list += std::u16string(title.TitleId.WideView()) + (next_() % 3 ? u"," : u" , ,");
    }
    return list;
  }

  HANDLE stop_;
  std::u16string games_;
  testsupport::RawValue full_list_;
  std::minstd_rand next_{18};
  unsigned long long step_ = 0;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: launcher_soak_churn <stop event name> <games folder>\n");
    return 2;
  }
  HANDLE stop = OpenEventW(SYNCHRONIZE, FALSE, argv[1]);
  if (stop == nullptr) {
    std::fprintf(stderr, "launcher_soak_churn: no stop event (error %lu)\n", GetLastError());
    return 2;
  }
  // The list as the soak's own registration wrote it, put back after each change to it.
  const testsupport::RawValue full_list =
      testsupport::ReadRaw(PackageListRoot(), kPackageListKey, kPackageListValue);
  Churn churn(stop, FromWin(argv[2]), full_list);
  while (churn.Step()) {
  }
  CloseHandle(stop);
  bool restored = churn.RestoreList();
  const exlib::Tu_array<AppBase>* titles = GetAppList();
  for (uint32_t i = 0; i < titles->Count(); ++i) {
    restored = titles->GetAt(i)->RegisterPackage(exlib::Tu_text::FromWide(FromWin(argv[2])),
                                                 exlib::Tu_text::FromWide(FromWin(argv[2]))) &&
               restored;
  }
  std::printf("registry changes made and undone: %llu\n", churn.Steps());
  return restored && full_list.status == ERROR_SUCCESS ? 0 : 1;
}
