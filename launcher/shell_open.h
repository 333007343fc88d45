#pragma once
// Hands programs, documents and web addresses to the shell with the verb "open". Each returns
// whether the shell accepted the request; nothing is shown on failure.
#include "textlib/tu_text.h"

// Starts a program or opens a file in its own folder, with an empty parameter string.
bool ShellOpenFile(exlib::Tu_text file);
bool ShellOpenFile(exlib::Tu_text file, exlib::Tu_text parameters);
// Opens a document or URL with neither parameters nor working directory.
bool ShellOpenTarget(exlib::Tu_text target);

// The folder of a file path, either slash counting as a separator, without a trailing backslash.
// A path without a separator past its first character is its own working directory.
exlib::Tu_text WorkingDirectoryOf(exlib::Tu_text file);
