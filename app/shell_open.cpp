#include "app/shell_open.h"

#include <shellapi.h>

#include <utility>

namespace app {
namespace {

ShellOpener& Installed() {
  static ShellOpener opener;
  return opener;
}

const wchar_t* OrNull(const std::optional<std::wstring>& s) { return s ? s->c_str() : nullptr; }

}  // namespace

ShellOpener SetShellOpener(ShellOpener opener) { return std::exchange(Installed(), std::move(opener)); }

void ShellOpen(const ShellOpenRequest& r) {
  if (Installed()) {
    Installed()(r);
    return;
  }
  ::ShellExecuteW(r.owner, r.verb.c_str(), r.file.c_str(), OrNull(r.parameters), OrNull(r.directory), r.show);
}

}  // namespace app
