#pragma once
// COM initialised apartment-threaded on the calling thread for as long as the object lives: the
// shell needs it for handlers that go through COM, and the image decoder is a COM object.
#include "platform/win32_api.h"

class ComApartment {
 public:
  ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (initialised_)
      CoUninitialize();
  }

 private:
  bool initialised_;
};
