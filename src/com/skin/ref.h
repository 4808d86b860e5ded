#pragma once
// An owning interface pointer: AddRef on copy, Release on destruction.

#include <utility>

#include <unknwn.h>

namespace zentnet::com {

template <class T>
class Ref {
 public:
  Ref() = default;
  explicit Ref(T* p, bool addRef = true) : p_(p) {
    if (p_ && addRef) p_->AddRef();
  }
  Ref(const Ref& o) : Ref(o.p_) {}
  Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  Ref& operator=(Ref o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }
  ~Ref() {
    if (p_) p_->Release();
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For an out parameter: releases what is held first.
  T** put() {
    *this = Ref();
    return &p_;
  }
  // Hands the reference over to a raw out pointer.
  T* detach() { return std::exchange(p_, nullptr); }

  // QueryInterface; empty when the object lacks the interface.
  template <class U>
  Ref<U> As(const IID& iid) const {
    Ref<U> out;
    if (p_) p_->QueryInterface(iid, reinterpret_cast<void**>(out.put()));
    return out;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace zentnet::com
