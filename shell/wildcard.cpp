#include "shell/wildcard.h"

#include <windows.h>

#include "core/wildcard.h"

namespace shell {

std::wstring FoldCase(std::wstring_view text) {
  std::wstring r(text);
  if (!r.empty()) ::CharUpperBuffW(r.data(), static_cast<DWORD>(r.size()));
  return r;
}

bool MatchesFilter(std::wstring_view name, std::wstring_view filter) {
  return core::MatchesFilter(FoldCase(name), FoldCase(filter));
}

}  // namespace shell
