// An owned item ID list. The shell allocates PIDLs with the task allocator and
// hands their ownership to the caller; this frees each exactly once.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <utility>

namespace shell {

class Pidl {
 public:
  Pidl() = default;
  explicit Pidl(PIDLIST_ABSOLUTE p) : p_(p) {}
  ~Pidl() { ::CoTaskMemFree(p_); }
  Pidl(Pidl&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  Pidl& operator=(Pidl&& o) noexcept {
    if (this != &o) reset(std::exchange(o.p_, nullptr));
    return *this;
  }
  Pidl(const Pidl&) = delete;
  Pidl& operator=(const Pidl&) = delete;

  PIDLIST_ABSOLUTE get() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  void reset(PIDLIST_ABSOLUTE p = nullptr) {
    ::CoTaskMemFree(p_);
    p_ = p;
  }
  // For out-parameters: frees the current list and receives the next one.
  PIDLIST_ABSOLUTE* put() {
    reset();
    return &p_;
  }

  // Copies of lists the caller does not own; empty when memory runs out.
  static Pidl Clone(PCUIDLIST_RELATIVE p) { return Pidl(p ? reinterpret_cast<PIDLIST_ABSOLUTE>(::ILClone(p)) : nullptr); }
  static Pidl Combine(PCIDLIST_ABSOLUTE parent, PCUIDLIST_RELATIVE child) {
    return Pidl(::ILCombine(parent, child));
  }

 private:
  PIDLIST_ABSOLUTE p_ = nullptr;
};

}  // namespace shell
