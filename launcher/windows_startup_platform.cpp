#include "launcher/windows_startup_platform.h"

#include <commctrl.h>

#include "launcher/setup_dlg.h"
#include "resources/resource.h"
#include "titles/editions.h"

MutexOpenResult WindowsStartupPlatform::OpenNamedMutex(const char16_t* name) {
  HANDLE mutex = OpenMutexW(MUTEX_ALL_ACCESS, TRUE, ToWin(name));
  return {mutex, mutex == nullptr ? GetLastError() : ERROR_SUCCESS};
}

HANDLE WindowsStartupPlatform::CreateNamedMutex(const char16_t* name) {
  return CreateMutexW(nullptr, FALSE, ToWin(name));
}

void WindowsStartupPlatform::WaitForOwnership(HANDLE mutex) {
  WaitForSingleObject(mutex, INFINITE);
}

void WindowsStartupPlatform::ReleaseOwnership(HANDLE mutex) {
  ReleaseMutex(mutex);
}

void WindowsStartupPlatform::CloseMutex(HANDLE mutex) {
  CloseHandle(mutex);
}

void WindowsStartupPlatform::ShowRelatedProgramMessage() {
  winui::ModalDialog message(IDD_RELATED_RUNNING, nullptr);
  message.RunModal();
}

void WindowsStartupPlatform::EndProcess(UINT exit_code) {
  ExitProcess(exit_code);
}

void WindowsStartupPlatform::PrepareCommonControls() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
}

void WindowsStartupPlatform::RunLauncherWindow() {
  SetupDlg window(static_cast<UINT>(BuildEdition().template_id), nullptr);
  window.BecomeMainWindowWhileRunning();
  window.RunModal();
}
