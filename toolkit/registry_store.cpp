#include "toolkit/registry_store.h"

#include <vector>

namespace tk {

HKEY RegistryRootKey(TRegistryRoot root) {
  switch (root) {
    case TRegistryRoot::prLocalMachine:
      return HKEY_LOCAL_MACHINE;
    case TRegistryRoot::prCurrentConfig:
      return HKEY_CURRENT_CONFIG;
    case TRegistryRoot::prClassesRoot:
      return HKEY_CLASSES_ROOT;
    case TRegistryRoot::prUsers:
      return HKEY_USERS;
    case TRegistryRoot::prDynData:
      return HKEY_DYN_DATA;
    default:
      return HKEY_CURRENT_USER;
  }
}

TRegistryStore::TRegistryStore(TRegistryRoot root, std::wstring keyPath) : keyPath_(std::move(keyPath)) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(RegistryRootKey(root), keyPath_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    throw ESettingsError(L"Erzeugung von Schl\u00FCssel " + keyPath_ + L" misslungen");
  key_.reset(key);
}

std::wstring TRegistryStore::SubkeyPath(const std::wstring& section) const {
  return section.empty() ? keyPath_ : keyPath_ + L"\\" + section;
}

std::wstring TRegistryStore::ReadString(const std::wstring& section, const std::wstring& key,
                                        const std::wstring& fallback) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(key_.get(), section.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return fallback;
  const RegKey sectionKey(opened);
  DWORD type = 0, bytes = 0;
  LSTATUS status = ::RegQueryValueExW(sectionKey.get(), key.c_str(), nullptr, &type, nullptr, &bytes);
  std::vector<BYTE> data;
  // The value may grow between asking for its size and reading it.
  while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) throw ESettingsError(L"Ung\u00FCltiger Datentyp f\u00FCr '" + key + L"'");
    data.assign(static_cast<size_t>(bytes) + sizeof(wchar_t), 0);
    DWORD got = bytes;
    status = ::RegQueryValueExW(sectionKey.get(), key.c_str(), nullptr, &type, data.data(), &got);
    if (status == ERROR_SUCCESS) {
      if (type != REG_SZ && type != REG_EXPAND_SZ) continue;
      // The stored text need not end with a NUL; it ends at the first one.
      std::wstring text(got / sizeof(wchar_t), L'\0');
      std::copy(data.begin(), data.begin() + static_cast<ptrdiff_t>(text.size() * sizeof(wchar_t)),
                reinterpret_cast<BYTE*>(text.data()));
      return text.substr(0, text.find(L'\0'));
    }
    bytes = got;
  }
  return fallback;
}

void TRegistryStore::WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  HKEY created = nullptr;
  if (::RegCreateKeyExW(key_.get(), section.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &created, nullptr) != ERROR_SUCCESS)
    throw ESettingsError(L"Erzeugung von Schl\u00FCssel " + SubkeyPath(section) + L" misslungen");
  const RegKey sectionKey(created);
  const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  if (::RegSetValueExW(sectionKey.get(), key.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       bytes) != ERROR_SUCCESS)
    throw ESettingsError(L"Konnte Daten f\u00FCr '" + key + L"' nicht setzen");
}

}  // namespace tk
