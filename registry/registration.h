#pragma once
// A title's registration: the registry values its entry lines name=value produce under its key.
#include "platform/win32_api.h"
#include "textlib/tu_text.h"

// Writes a title's entry lines name=value under root\key_path with %dir%, %src%, %drive%
// substituted; stops at the first failed write (false).
bool WriteRegistrationEntries(HKEY root, const exlib::Tu_text& key_path, const char* const* entries,
                              exlib::Tu_text dir, exlib::Tu_text src);
// Deletes (RegDeleteValueAndPrune) every entry's value; false when a value's key could not be
// opened while the value may still be there (a value already gone, its key included, counts as
// deleted).
bool DeleteRegistrationEntries(HKEY root, const exlib::Tu_text& key_path,
                               const char* const* entries);
