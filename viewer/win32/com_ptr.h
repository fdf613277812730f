// A move-only owner of one COM interface reference.
#pragma once

#include <unknwn.h>

#include <utility>

namespace veld {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& o) noexcept {
    if (this != &o) {
      reset();
      p_ = std::exchange(o.p_, nullptr);
    }
    return *this;
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For functions that hand out a new reference.
  T** put() {
    reset();
    return &p_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }
  void reset() {
    if (p_ != nullptr) std::exchange(p_, nullptr)->Release();
  }

  template <typename U>
  ComPtr<U> query(REFIID iid) const {
    ComPtr<U> out;
    if (p_ != nullptr) p_->QueryInterface(iid, out.putVoid());
    return out;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace veld
