#include "platform/host/com.h"

namespace {

struct ThreadCom {
  int initialisations = 0;
  DWORD model = 0;
};

thread_local ThreadCom thread_com;

}  // namespace

// The first call on a thread answers S_OK, later ones of the same model S_FALSE, another model
// RPC_E_CHANGED_MODE (which needs no CoUninitialize).
HRESULT CoInitializeEx(void*, DWORD model) {
  if (thread_com.initialisations > 0 && thread_com.model != model)
    return RPC_E_CHANGED_MODE;
  thread_com.model = model;
  return thread_com.initialisations++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize() {
  if (thread_com.initialisations > 0)
    --thread_com.initialisations;
}

bool hostwin::ComApartmentOnThread() {
  return thread_com.initialisations > 0 && thread_com.model == COINIT_APARTMENTTHREADED;
}
