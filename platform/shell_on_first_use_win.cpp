#include "platform/shell_on_first_use.h"

#include "platform/function_in.h"

namespace {

using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
using GetFolderPathFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);

// Bound by hand: the 32-bit delay-import library that binutils' dlltool makes jumps to address 0
// with the mingw-w64 loader helper. By name is safe, since start-up restricts the DLL search to the
// system folder, and shell32 is a known DLL besides.
template <typename Function>
Function BindShellFunction(const char* name) {
  return winui::FunctionIn<Function>(LoadLibraryW(ToWin(u"shell32.dll")), name);
}

}  // namespace

HINSTANCE ShellExecuteOnFirstUse(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                                 LPCWSTR directory, INT show) {
  static const auto shell_execute = BindShellFunction<ShellExecuteFunction>("ShellExecuteW");
  if (shell_execute == nullptr)
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
  return shell_execute(owner, verb, file, parameters, directory, show);
}

HRESULT SHGetFolderPathOnFirstUse(HWND owner, int folder, HANDLE token, DWORD flags, LPWSTR path) {
  static const auto get_folder_path = BindShellFunction<GetFolderPathFunction>("SHGetFolderPathW");
  if (get_folder_path == nullptr)
    return E_FAIL;
  return get_folder_path(owner, folder, token, flags, path);
}
