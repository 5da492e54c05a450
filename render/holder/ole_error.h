// The error LinkDocument raises: carries the failing call's result code and
// why it failed in words.
#pragma once
#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "render/documents/import_reason.h"

namespace render {

class OleError : public std::runtime_error {
 public:
  OleError(HRESULT hr, const char* call, std::wstring reason = {})
      : std::runtime_error(Describe(hr, call)),
        hr_(hr),
        reason_(reason.empty() ? documents::ResultText(hr) : std::move(reason)) {}
  HRESULT Result() const { return hr_; }
  // The document check's refusal ("refused: ..."), or the result code with its
  // system text ("0x80070002: The system cannot find the file specified.").
  const std::wstring& Reason() const { return reason_; }

 private:
  static std::string Describe(HRESULT hr, const char* call) {
    char text[96];
    std::snprintf(text, sizeof text, "%s failed: 0x%08lX", call, static_cast<unsigned long>(hr));
    return text;
  }
  HRESULT hr_;
  std::wstring reason_;
};

}  // namespace render
