#pragma once
// Registry functions of the host substitute: an in-memory registry that answers as Windows does
// (checked by the registry suites, which also run against Wine's real registry).
#include <functional>
#include <string>

#include "platform/host/types.h"

typedef DWORD REGSAM;

// Predefined roots, sign-extended from 32 bits as the Windows headers do.
#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)((LONG)0x80000000))
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)((LONG)0x80000001))
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)((LONG)0x80000002))
#define HKEY_USERS ((HKEY)(ULONG_PTR)((LONG)0x80000003))

#define DELETE 0x00010000L
#define READ_CONTROL 0x00020000L
#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_WOW64_64KEY 0x0100
#define KEY_WOW64_32KEY 0x0200
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_MULTI_SZ 7
#define REG_QWORD 11

#define REG_OPTION_NON_VOLATILE 0x00000000L
#define REG_CREATED_NEW_KEY 0x00000001L
#define REG_OPENED_EXISTING_KEY 0x00000002L

#define ERROR_BAD_PATHNAME 161L
#define ERROR_NOACCESS 998L
#define ERROR_KEY_DELETED 1018L
#define ERROR_NO_MORE_ITEMS 259L

LSTATUS RegOpenKeyExW(HKEY key, LPCWSTR sub_key, DWORD options, REGSAM desired, PHKEY result);
LSTATUS RegCreateKeyExW(HKEY key, LPCWSTR sub_key, DWORD reserved, LPWSTR key_class, DWORD options,
                        REGSAM desired, const LPSECURITY_ATTRIBUTES security, PHKEY result,
                        LPDWORD disposition);
LSTATUS RegQueryValueExW(HKEY key, LPCWSTR value_name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                         LPDWORD data_size);
// Like Windows, a text given without its NUL is checked for one in the two bytes after data_size
// (read on purpose beyond the stated size) and stored one character longer when it is there.
LSTATUS RegSetValueExW(HKEY key, LPCWSTR value_name, DWORD reserved, DWORD type, const BYTE* data,
                       DWORD data_size);
LSTATUS RegDeleteValueW(HKEY key, LPCWSTR value_name);
LSTATUS RegQueryInfoKeyW(HKEY key, LPWSTR key_class, LPDWORD class_length, LPDWORD reserved,
                         LPDWORD sub_keys, LPDWORD max_sub_key_length, LPDWORD max_class_length,
                         LPDWORD values, LPDWORD max_value_name_length, LPDWORD max_value_length,
                         LPDWORD security_descriptor_size, PFILETIME last_write_time);
LSTATUS RegDeleteKeyW(HKEY key, LPCWSTR sub_key);
// Enumeration in the order the names were first stored; the name lengths are in characters,
// without the NUL.
LSTATUS RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD name_length, LPDWORD reserved,
                      LPWSTR key_class, LPDWORD class_length, PFILETIME last_write_time);
LSTATUS RegEnumValueW(HKEY key, DWORD index, LPWSTR value_name, LPDWORD value_name_length,
                      LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD data_size);
LSTATUS RegCloseKey(HKEY key);
// Points a predefined key at an open key for this process, keeping a reference of its own (the
// handle may be closed at once); a null key restores the predefined key's own mapping. The key
// given must not be a predefined one.
LSTATUS RegOverridePredefKey(HKEY key, HKEY new_key);

namespace hostwin {

// Empties HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE, forgets every open handle, override and the
// hook.
void ResetRegistry();
// Handles opened or created and not yet closed (the predefined roots and the overrides' own
// references are not counted).
size_t OpenRegistryKeyCount();

// Runs at the start of every registry function, given the function's name and the subkey or
// value name it was called with (empty for none). A result other than ERROR_SUCCESS makes that
// call fail with it, having changed nothing. Registry calls made by the hook itself bypass it.
using RegistryCallHook = std::function<LSTATUS(const char* function, const std::u16string& name)>;
void SetRegistryCallHook(RegistryCallHook hook);

}  // namespace hostwin
