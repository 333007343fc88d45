#pragma once
// The application's main window, the owner of any window the shell shows on our behalf.
#include "platform/win32_api.h"

// Null while no main window runs.
HWND MainWindow();
void SetMainWindow(HWND window);
