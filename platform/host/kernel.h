#pragma once
// Kernel functions of the host substitute: the module path and the thread's last error.
#include <string>

#include "platform/host/types.h"

DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);

namespace hostwin {
// The path GetModuleFileNameW reports for the executable.
void SetModulePath(const std::u16string& path);
}  // namespace hostwin
