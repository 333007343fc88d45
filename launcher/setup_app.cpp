#include "launcher/setup_app.h"

#include "launcher/startup_sequence.h"
#include "launcher/windows_startup_platform.h"

void SetupApp::InitInstance() {
  WindowsStartupPlatform platform;
  RunStartupSequence(platform);
}
