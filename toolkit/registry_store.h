// A settings store under a registry key: each section a subkey, each value
// of type REG_SZ (numbers and flags are text, as in a profile file).
#pragma once
#include <windows.h>

#include "toolkit/handles.h"
#include "toolkit/settings_store.h"

namespace tk {

enum class TRegistryRoot { prCurrentUser, prLocalMachine, prCurrentConfig, prClassesRoot, prUsers, prDynData };

HKEY RegistryRootKey(TRegistryRoot root);

class TRegistryStore final : public TSettingsStore {
 public:
  // Opens root\keyPath with full access, creating it when missing. Throws
  // "Erzeugung von Schlüssel <key> misslungen" when that fails.
  TRegistryStore(TRegistryRoot root, std::wstring keyPath);

  // The section's subkey is opened for reading only; a missing subkey or
  // value gives the fallback. A value that is not text throws
  // "Ungültiger Datentyp für '<key>'".
  std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& fallback) override;
  // Creates the section's subkey when missing ("Erzeugung von Schlüssel ...
  // misslungen") and sets the value ("Konnte Daten für '<key>' nicht setzen").
  void WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) override;

 private:
  std::wstring SubkeyPath(const std::wstring& section) const;

  std::wstring keyPath_;
  RegKey key_;
};

}  // namespace tk
