#pragma once
// A heap buffer of plain elements whose allocation and release are virtual operations.
#include <cstdint>
#include <cstring>

namespace exlib {

template <class T>
class Tu_base {
 public:
  Tu_base(const Tu_base&) = delete;
  Tu_base& operator=(const Tu_base&) = delete;
  virtual ~Tu_base() {}
  virtual void Allocate(uint32_t size, bool zero) = 0;
  virtual void Release() = 0;

  T* Data() const { return data_; }
  uint32_t Size() const { return size_; }

 protected:
  Tu_base() = default;
  uint32_t size_ = 0;
  T* data_ = nullptr;
};

template <class T>
class Tu_prim : public Tu_base<T> {
 public:
  explicit Tu_prim(uint32_t size = 0) {
    if (size != 0) {
      this->size_ = size;
      Allocate(size, true);
    }
  }
  ~Tu_prim() override { Release(); }

  // Replaces any block held; the caller sets the size.
  void Allocate(uint32_t size, bool zero) override {
    T* block = new T[size];
    if (zero)
      std::memset(block, 0, sizeof(T) * size);
    delete[] this->data_;
    this->data_ = block;
  }

  // A released buffer holds nothing, so releasing again or destroying it afterwards is harmless.
  void Release() override {
    delete[] this->data_;
    this->data_ = nullptr;
    this->size_ = 0;
  }
};

}  // namespace exlib
