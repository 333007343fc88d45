#pragma once
// The Win32 functions the system calls, by their own names. On Windows they are the real ones;
// on the Linux host they are our substitute (platform/host), declared over char16_t.
#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#else
#include "platform/host/win32_host.h"
#endif

#include "platform/win_string.h"
