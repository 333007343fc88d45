#pragma once
// A function of a loaded module, looked up by name and typed by the caller (who must give its
// calling convention: a wrong one compiles and fails only on 32-bit x86). Null when the module is
// null or lacks it.
#include "platform/win32_api.h"

namespace winui {

template <class Function>
Function FunctionIn(HMODULE module, const char* name) {
  if (module == nullptr)
    return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace winui
