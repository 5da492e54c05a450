// Where a window's stored settings live: sections of named text values, in a
// profile (INI) file or under a registry key. A store is opened for one
// restore or save and closed after it.
#pragma once
#include <exception>
#include <string>

namespace tk {

// A store that could not be written (or a registry value of the wrong type);
// the message is the text the user sees.
class ESettingsError : public std::exception {
 public:
  explicit ESettingsError(std::wstring message) : message_(std::move(message)) {}
  const std::wstring& Message() const { return message_; }
  const char* what() const noexcept override { return "settings store error"; }

 private:
  std::wstring message_;
};

class TSettingsStore {
 public:
  virtual ~TSettingsStore() = default;
  // The stored text, or `fallback` when section or value do not exist.
  virtual std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                                  const std::wstring& fallback) = 0;
  // Throws ESettingsError when the value cannot be written.
  virtual void WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) = 0;
};

}  // namespace tk
