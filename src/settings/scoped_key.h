#pragma once

#include <windows.h>

#include <utility>

namespace skimdex {

// Owns an open registry key; closes it when dropped.
class ScopedKey {
 public:
  ScopedKey() = default;
  explicit ScopedKey(HKEY key) : key_(key) {}
  ScopedKey(ScopedKey&& other) noexcept : key_(other.release()) {}
  ScopedKey& operator=(ScopedKey&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~ScopedKey() { reset(); }

  HKEY get() const { return key_; }
  bool valid() const { return key_ != nullptr; }
  HKEY release() { return std::exchange(key_, nullptr); }
  void reset(HKEY key = nullptr) {
    if (valid()) RegCloseKey(key_);
    key_ = key;
  }

 private:
  HKEY key_ = nullptr;
};

}  // namespace skimdex
