#include "launcher/startup_sequence.h"

#include "contract/pack_contract.h"
#include "platform/com_apartment.h"

namespace {

// The programs the launcher must not run beside, in the order they are tested.
constexpr const char16_t* kRelatedMutexNames[] = {kInstallerMutexName, kUninstallerMutexName};

}  // namespace

void MutexHolder::Release() {
  if (mutex_ == nullptr)
    return;
  HANDLE mutex = mutex_;
  mutex_ = nullptr;
  platform_.ReleaseOwnership(mutex);
  platform_.CloseMutex(mutex);
}

void MutexHolder::Adopt(HANDLE mutex) {
  Release();
  mutex_ = mutex;
}

bool ProgramRunning(StartupPlatform& platform, const char16_t* mutex_name, MutexHolder& opened) {
  const MutexOpenResult result = platform.OpenNamedMutex(mutex_name);
  if (result.handle != nullptr) {
    opened.Adopt(result.handle);
    return true;
  }
  return result.error == ERROR_ACCESS_DENIED;
}

void RunStartupSequence(StartupPlatform& platform) {
  // Handles opened only to test for a program are never released on the way out: the process ends
  // at once. They sit in holders in case the platform throws instead.
  MutexHolder launcher_probe(platform);
  if (ProgramRunning(platform, kLauncherMutexName, launcher_probe)) {
    platform.EndProcess(0);
    return;
  }
  MutexHolder related_probe(platform);
  for (const char16_t* name : kRelatedMutexNames) {
    if (ProgramRunning(platform, name, related_probe)) {
      platform.ShowRelatedProgramMessage();
      platform.EndProcess(0);
      return;
    }
  }

  // Two launchers that pass the checks at once both get here; the second waits for the first.
  MutexHolder own(platform, platform.CreateNamedMutex(kLauncherMutexName));
  if (own.Get() != nullptr)
    platform.WaitForOwnership(own.Get());
  platform.PrepareCommonControls();
  {
    // For the whole run of the window: every shell call it makes needs COM.
    const ComApartment com;
    platform.RunLauncherWindow();
  }
  own.Release();
}
