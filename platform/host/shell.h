#pragma once
// Shell functions of the host substitute: ShellExecuteW records each call and answers the result a
// test chooses; SHGetFolderPathW knows the two application-data folders a test sets.
#include <optional>
#include <string>
#include <vector>

#include "platform/host/types.h"

typedef int INT;
typedef LONG HRESULT;

#define S_OK ((HRESULT)0L)
#define E_FAIL ((HRESULT)0x80004005L)
#define SW_SHOWNORMAL 1
#define CSIDL_APPDATA 0x001a
#define CSIDL_LOCAL_APPDATA 0x001c
#define SHGFP_TYPE_CURRENT 0

HINSTANCE ShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                        LPCWSTR directory, INT show);
HRESULT SHGetFolderPathW(HWND owner, int folder, HANDLE token, DWORD flags, LPWSTR path);

namespace hostwin {

// One ShellExecuteW call as received; an absent string was a null pointer.
struct ShellExecuteCall {
  HWND owner;
  std::optional<std::u16string> verb;
  std::optional<std::u16string> file;
  std::optional<std::u16string> parameters;
  std::optional<std::u16string> directory;
  INT show;
  bool com_apartment;  // COM was initialised apartment-threaded on the calling thread
};

// Forgets the recorded calls and the folders; ShellExecuteW answers 42 (accepted) again.
void ResetShell();
// The value every following ShellExecuteW call returns, as the HINSTANCE-sized number it is.
void SetShellExecuteResult(UINT_PTR result);
const std::vector<ShellExecuteCall>& ShellExecuteCalls();
// The path SHGetFolderPathW reports for CSIDL_APPDATA or CSIDL_LOCAL_APPDATA; unset, it fails.
void SetShellFolder(int folder, const std::u16string& path);

}  // namespace hostwin
