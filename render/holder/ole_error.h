// The error LinkDocument raises: carries the failing call's result code.
#pragma once
#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace render {

class OleError : public std::runtime_error {
 public:
  OleError(HRESULT hr, const char* call) : std::runtime_error(Describe(hr, call)), hr_(hr) {}
  HRESULT Result() const { return hr_; }

 private:
  static std::string Describe(HRESULT hr, const char* call) {
    char text[96];
    std::snprintf(text, sizeof text, "%s failed: 0x%08lX", call, static_cast<unsigned long>(hr));
    return text;
  }
  HRESULT hr_;
};

}  // namespace render
