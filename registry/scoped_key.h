#pragma once
// Owns an open registry key and closes it when it goes out of scope.
#include "platform/win32_api.h"

class ScopedKey {
 public:
  ScopedKey() = default;
  explicit ScopedKey(HKEY key) : key_(key) {}
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;
  ~ScopedKey() { Close(); }

  HKEY Get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }

  // For the calls that hand a handle out through a pointer; a key held before is closed first.
  HKEY* Receive() {
    Close();
    return &key_;
  }

 private:
  void Close() {
    if (key_ != nullptr)
      RegCloseKey(key_);
    key_ = nullptr;
  }

  HKEY key_ = nullptr;
};
