#pragma once
// The user's shell folders and the one file-system test the title records make.
#include "textlib/tu_text.h"

// The path of a shell folder (CSIDL_APPDATA, CSIDL_LOCAL_APPDATA); empty when the shell has none.
exlib::Tu_text ShellFolderPath(int folder_id);
// The path when it names an existing directory, otherwise the empty text.
exlib::Tu_text ExistingDirectoryOrEmpty(exlib::Tu_text path);
