#pragma once
// Owns one reference to a COM interface.
namespace winui {

template <class Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() {
    if (pointer_ != nullptr)
      pointer_->Release();
  }

  Interface* operator->() const { return pointer_; }
  Interface* Get() const { return pointer_; }
  // For the out-parameter of a call that hands over a reference; only on an empty pointer.
  Interface** Receive() { return &pointer_; }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace winui
