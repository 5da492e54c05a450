// A settings store in a profile (INI) file, read and written through the
// platform's private profile functions. A name without a folder is handed
// over as it is, so the platform puts the file into the Windows folder.
#pragma once
#include "toolkit/settings_store.h"

namespace tk {

class TIniStore final : public TSettingsStore {
 public:
  explicit TIniStore(std::wstring fileName) : fileName_(std::move(fileName)) {}

  // Values (and defaults) that the profile functions would unquote on
  // reading get one more pair of quotes, so they come back as they were.
  std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& fallback) override;
  // Failure: "nach <file> kann nicht geschrieben werden".
  void WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) override;

  const std::wstring& FileName() const { return fileName_; }

 private:
  std::wstring fileName_;
};

}  // namespace tk
