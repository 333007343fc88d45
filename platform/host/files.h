#pragma once
// File attributes of the host substitute: GetFileAttributesW over the folders and files a test
// declares. Paths match without regard to ASCII case, as on Windows.
#include <string>

#include "platform/host/types.h"

#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020

DWORD GetFileAttributesW(LPCWSTR path);

namespace hostwin {

void ResetFiles();
void AddFolder(const std::u16string& path);
void AddFile(const std::u16string& path);

}  // namespace hostwin
