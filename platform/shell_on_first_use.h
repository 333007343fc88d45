#pragma once
// The shell functions the product calls. On Windows shell32 is loaded at the first call rather
// than imported: a launcher that opens nothing never loads the shell and what it pulls in. On the
// host they are the substitute's own.
#include "platform/win32_api.h"

// As ShellExecuteW; SE_ERR_DLLNOTFOUND when the shell cannot be loaded.
HINSTANCE ShellExecuteOnFirstUse(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                                 LPCWSTR directory, INT show);

// As SHGetFolderPathW; E_FAIL when the shell cannot be loaded.
HRESULT SHGetFolderPathOnFirstUse(HWND owner, int folder, HANDLE token, DWORD flags, LPWSTR path);
