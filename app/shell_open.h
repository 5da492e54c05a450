// Opening a document or address through the shell (ShellExecute). The one
// place the program does so for its links, so tests can record the call
// instead of starting a browser.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace app {

struct ShellOpenRequest {
  HWND owner = nullptr;
  std::wstring verb;
  std::wstring file;
  std::optional<std::wstring> parameters;  // nullopt: none passed (a null pointer)
  std::optional<std::wstring> directory;
  int show = SW_SHOW;
};

using ShellOpener = std::function<void(const ShellOpenRequest&)>;

// Installs an opener (empty: the shell itself) and returns the previous one.
ShellOpener SetShellOpener(ShellOpener opener);

// Hands the request to the installed opener. The outcome is not reported:
// when the shell cannot open the address, nothing is shown.
void ShellOpen(const ShellOpenRequest& request);

// The maker's homepage, as the links show it and as they open it.
inline constexpr wchar_t kHomepageCaption[] = L"www.harvik.test";
inline constexpr wchar_t kHomepageUrl[] = L"https://www.harvik.test/";

}  // namespace app
