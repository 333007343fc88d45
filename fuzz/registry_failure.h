#pragma once
// An injected registry failure drawn from the fuzz input: the n-th registry call, or every call
// from the n-th on, fails with an error other than "not found" (which is an answer, not a
// failure). Closing a key never fails: nothing could be done about it.
#include <string>

#include "fuzz/fuzz_support.h"

namespace fuzz {

class RegistryFailure {
 public:
  explicit RegistryFailure(FuzzedDataProvider& input) {
    if (!input.ConsumeBool())
      return;
    static const LSTATUS kErrors[] = {ERROR_ACCESS_DENIED, ERROR_NOACCESS, ERROR_KEY_DELETED,
                                      ERROR_MORE_DATA};
    fail_at_ = input.ConsumeIntegralInRange<int>(0, 40);
    lasting_ = input.ConsumeBool();
    error_ = input.PickValueInArray(kErrors);
    hostwin::SetRegistryCallHook(
        [this](const char* function, const std::u16string&) { return OnCall(function); });
  }
  RegistryFailure(const RegistryFailure&) = delete;
  RegistryFailure& operator=(const RegistryFailure&) = delete;
  ~RegistryFailure() { Stop(); }

  void Stop() { hostwin::SetRegistryCallHook(nullptr); }
  bool Happened() const { return happened_; }
  // The first failure came before any call that creates, writes or deletes.
  bool HappenedBeforeWriting() const { return failed_before_writing_; }

 private:
  LSTATUS OnCall(const std::string& function) {
    if (function == "RegCloseKey")
      return ERROR_SUCCESS;
    const bool writes = function == "RegCreateKeyExW" || function == "RegSetValueExW" ||
                        function == "RegDeleteValueW" || function == "RegDeleteKeyW";
    const int call = calls_++;
    const bool fails = call == fail_at_ || (lasting_ && call > fail_at_);
    if (fails && !happened_)
      failed_before_writing_ = !writes && !tried_to_write_;
    happened_ = happened_ || fails;
    tried_to_write_ = tried_to_write_ || writes;
    return fails ? error_ : ERROR_SUCCESS;
  }

  int fail_at_ = -1;
  bool lasting_ = false;
  LSTATUS error_ = ERROR_SUCCESS;
  int calls_ = 0;
  bool happened_ = false;
  bool tried_to_write_ = false;
  bool failed_before_writing_ = false;
};

}  // namespace fuzz
