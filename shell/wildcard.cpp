#include "shell/wildcard.h"

#include <windows.h>

namespace shell {
namespace {

// Upper-cases the whole string at once; the same folding for name and mask is
// all the comparison needs.
std::wstring Fold(std::wstring_view s) {
  std::wstring r(s);
  if (!r.empty()) ::CharUpperBuffW(r.data(), static_cast<DWORD>(r.size()));
  return r;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

bool MatchesMask(std::wstring_view name, std::wstring_view mask) {
  if (mask == L"*.*" || mask == L"*") return true;
  const std::wstring n = Fold(name), m = Fold(mask);
  // Greedy match with one backtrack point: the most recent "*" and the name
  // position it currently swallows up to. Linear in practice, never recursive.
  size_t ni = 0, mi = 0;
  size_t starMask = std::wstring::npos, starName = 0;
  while (ni < n.size()) {
    if (mi < m.size() && (m[mi] == L'?' || m[mi] == n[ni])) {
      ++ni;
      ++mi;
    } else if (mi < m.size() && m[mi] == L'*') {
      starMask = mi++;
      starName = ni;
    } else if (starMask != std::wstring::npos) {
      mi = starMask + 1;
      ni = ++starName;
    } else {
      return false;
    }
  }
  while (mi < m.size() && m[mi] == L'*') ++mi;
  return mi == m.size();
}

std::vector<std::wstring> SplitMasks(std::wstring_view filter) {
  std::vector<std::wstring> masks;
  size_t start = 0;
  while (start <= filter.size()) {
    size_t end = filter.find(L';', start);
    if (end == std::wstring_view::npos) end = filter.size();
    size_t a = start, b = end;
    while (a < b && IsBlank(filter[a])) ++a;
    while (b > a && IsBlank(filter[b - 1])) --b;
    if (b > a) masks.emplace_back(filter.substr(a, b - a));
    start = end + 1;
  }
  return masks;
}

bool MatchesFilter(std::wstring_view name, std::wstring_view filter) {
  const auto masks = SplitMasks(filter);
  if (masks.empty()) return true;
  for (const auto& m : masks)
    if (MatchesMask(name, m)) return true;
  return false;
}

}  // namespace shell
