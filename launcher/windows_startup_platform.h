#pragma once
// The start-up sequence's operations, by the real calls.
#include "launcher/startup_sequence.h"

class WindowsStartupPlatform : public StartupPlatform {
 public:
  MutexOpenResult OpenNamedMutex(const char16_t* name) override;
  HANDLE CreateNamedMutex(const char16_t* name) override;
  void WaitForOwnership(HANDLE mutex) override;
  void ReleaseOwnership(HANDLE mutex) override;
  void CloseMutex(HANDLE mutex) override;
  void ShowRelatedProgramMessage() override;
  void EndProcess(UINT exit_code) override;
  void PrepareCommonControls() override;
  void RunLauncherWindow() override;
};
