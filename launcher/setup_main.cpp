// The launcher's entry point. Static objects (the title catalogue, the user's locale) exist by now.
#include "launcher/setup_app.h"
#include "platform/win/dll_search.h"
#include "platform/win32_api.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  winui::RestrictDllSearchToSystemFolder();
  SetupApp app;
  app.InitInstance();
  return 0;
}
