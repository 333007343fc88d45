#include "platform/host/shell.h"

#include <algorithm>
#include <map>

#include "platform/host/com.h"
#include "platform/shell_on_first_use.h"

namespace {

constexpr UINT_PTR kAccepted = 42;

struct ShellState {
  UINT_PTR result = kAccepted;
  std::vector<hostwin::ShellExecuteCall> calls;
  std::map<int, std::u16string> folders;
};

ShellState& State() {
  static ShellState state;
  return state;
}

std::optional<std::u16string> Recorded(LPCWSTR text) {
  if (text == nullptr)
    return std::nullopt;
  return std::u16string(text);
}

}  // namespace

HINSTANCE ShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                        LPCWSTR directory, INT show) {
  ShellState& state = State();
  state.calls.push_back({owner, Recorded(verb), Recorded(file), Recorded(parameters),
                         Recorded(directory), show, hostwin::ComApartmentOnThread()});
  return reinterpret_cast<HINSTANCE>(state.result);
}

HINSTANCE ShellExecuteOnFirstUse(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                                 LPCWSTR directory, INT show) {
  return ShellExecuteW(owner, verb, file, parameters, directory, show);
}

HRESULT SHGetFolderPathOnFirstUse(HWND owner, int folder, HANDLE token, DWORD flags, LPWSTR path) {
  return SHGetFolderPathW(owner, folder, token, flags, path);
}

HRESULT SHGetFolderPathW(HWND, int folder, HANDLE, DWORD, LPWSTR path) {
  const auto& folders = State().folders;
  const auto found = folders.find(folder);
  if (found == folders.end() || found->second.size() >= MAX_PATH) {
    path[0] = u'\0';
    return E_FAIL;
  }
  std::copy(found->second.begin(), found->second.end(), path);
  path[found->second.size()] = u'\0';
  return S_OK;
}

void hostwin::ResetShell() {
  State() = ShellState();
}

void hostwin::SetShellExecuteResult(UINT_PTR result) {
  State().result = result;
}

const std::vector<hostwin::ShellExecuteCall>& hostwin::ShellExecuteCalls() {
  return State().calls;
}

void hostwin::SetShellFolder(int folder, const std::u16string& path) {
  State().folders[folder] = path;
}
