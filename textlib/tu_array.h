#pragma once
// Growable arrays of pointers. Storage grows in fixed steps and never shrinks before Reset.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

namespace exlib {

template <class T>
class Tu_array {
 public:
  static constexpr uint32_t kDefaultGrowBy = 256;

  Tu_array() = default;
  Tu_array(const Tu_array&) = delete;
  Tu_array& operator=(const Tu_array&) = delete;
  ~Tu_array() { delete[] items_; }

  uint32_t Count() const { return count_; }
  uint32_t Capacity() const { return capacity_; }
  uint32_t GrowBy() const { return grow_by_; }
  bool HasStorage() const { return items_ != nullptr; }

  T* GetAt(uint32_t index) const { return index < count_ ? items_[index] : nullptr; }

  // Ensures room for n slots, rounded up to a whole number of growth steps. A request whose slot
  // count or byte size does not fit the size types fails like an exhausted allocator, before any
  // field changes.
  void Reserve(uint32_t n) {
    if (capacity_ >= n)
      return;
    const uint64_t steps = (uint64_t{n} + grow_by_ - 1) / grow_by_;
    const uint64_t slots = steps * grow_by_;
    if (slots > UINT32_MAX || slots > SIZE_MAX / sizeof(T*))
      throw std::bad_alloc();
    T** grown = new T*[static_cast<size_t>(slots)]();
    if (items_ != nullptr) {
      std::memcpy(grown, items_, sizeof(T*) * capacity_);
      delete[] items_;
    }
    items_ = grown;
    capacity_ = static_cast<uint32_t>(slots);
  }

  // index must not exceed Count().
  void InsertAt(uint32_t index, T* p) {
    if (count_ == UINT32_MAX)
      throw std::bad_alloc();
    Reserve(count_ + 1);
    if (index < count_) {
      std::memmove(items_ + index + 1, items_ + index, sizeof(T*) * (count_ - index));
    }
    items_[index] = p;
    ++count_;
  }

  void Add(T* p) { InsertAt(count_, p); }

  // Frees the slots, not what they point to.
  void Reset() {
    delete[] items_;
    items_ = nullptr;
    grow_by_ = kDefaultGrowBy;
    capacity_ = 0;
    count_ = 0;
  }

 protected:
  void DeleteElements() {
    for (uint32_t i = 0; i < count_; ++i) delete items_[i];
  }

 private:
  T** items_ = nullptr;
  uint32_t grow_by_ = kDefaultGrowBy;
  uint32_t capacity_ = 0;
  uint32_t count_ = 0;
};

// The same array, owning its elements: destruction deletes every non-null one, in index order.
template <class T>
class Tu_owned_array : public Tu_array<T> {
 public:
  Tu_owned_array() = default;
  ~Tu_owned_array() { this->DeleteElements(); }
};

}  // namespace exlib
