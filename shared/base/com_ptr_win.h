// Owner of one COM interface reference, for every Win32 part that holds COM objects
// (the journal's shell links, the windows' shell and drag-and-drop objects).
#pragma once

#include <windows.h>
#include <objbase.h>

namespace qm {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller already holds (no AddRef).
  explicit ComPtr(T* p) : p_(p) {}
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : p_(other.Detach()) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) Reset(other.Detach());
    return *this;
  }
  ~ComPtr() { Reset(); }

  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For out-parameters: releases what is held and hands out the slot.
  T** Put() {
    Reset();
    return &p_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  T* Detach() {
    T* p = p_;
    p_ = nullptr;
    return p;
  }
  void Reset(T* p = nullptr) {
    T* old = p_;
    p_ = p;
    if (old && old != p) old->Release();
  }
  // Asks the held object for another interface; an empty pointer on failure.
  template <typename U>
  ComPtr<U> As(REFIID iid) const {
    ComPtr<U> out;
    if (p_) p_->QueryInterface(iid, out.PutVoid());
    return out;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace qm
