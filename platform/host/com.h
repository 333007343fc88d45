#pragma once
// COM of the host substitute: only whether and how the calling thread initialised it, counted as
// Windows counts nested initialisations.
#include "platform/host/shell.h"

#define S_FALSE ((HRESULT)1L)
#define RPC_E_CHANGED_MODE ((HRESULT)0x80010106L)
#define COINIT_MULTITHREADED 0x0
#define COINIT_APARTMENTTHREADED 0x2
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

HRESULT CoInitializeEx(void* reserved, DWORD model);
void CoUninitialize();

namespace hostwin {
// Whether the calling thread has COM initialised, apartment-threaded.
bool ComApartmentOnThread();
}  // namespace hostwin
