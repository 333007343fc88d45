#pragma once
// The system's own access to the registry. A value is named by a predefined root, a key path
// below it and a value name (empty for the key's default value). Each function opens what it
// needs and closes it again; only RegOpenOrCreateKey hands a handle to its caller.
#include "platform/win32_api.h"
#include "textlib/tu_text.h"

// True when the value exists and is of a text type (REG_SZ or REG_EXPAND_SZ).
bool RegHasTextValue(HKEY root, exlib::Tu_text key_path, exlib::Tu_text value_name);

// The value's text up to its first NUL, never past its stored size; empty on any failure.
// REG_EXPAND_SZ comes back as stored, unexpanded.
exlib::Tu_text RegReadText(HKEY root, exlib::Tu_text key_path, exlib::Tu_text value_name);

// The key of the path (trailing backslashes dropped) opened with all access, created with its
// missing parents; null when that key cannot be had. Never a parent in its place. The caller
// closes the handle.
HKEY RegOpenOrCreateKey(HKEY root, exlib::Tu_text key_path);

// Write a REG_DWORD / a REG_SZ with its NUL, creating the key; true when the value was written.
bool RegWriteDword(HKEY root, exlib::Tu_text key_path, exlib::Tu_text value_name, DWORD value);
bool RegWriteText(HKEY root, exlib::Tu_text key_path, exlib::Tu_text value_name,
                  exlib::Tu_text data);

// Deletes the value and then the key itself if that left it with no value and no subkey (never
// its parents). True when the key could be opened, whether or not the value existed.
bool RegDeleteValueAndPrune(HKEY root, exlib::Tu_text key_path, exlib::Tu_text value_name);

// True when the value does not exist, its key included; false when it exists or the key cannot
// be read.
bool RegValueIsAbsent(HKEY root, exlib::Tu_text key_path, exlib::Tu_text value_name);
