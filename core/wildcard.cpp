#include "core/wildcard.h"

namespace core {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

bool MatchesMask(std::wstring_view n, std::wstring_view m) {
  if (m == L"*.*" || m == L"*") return true;
  // Greedy match with one backtrack point: the most recent "*" and the name
  // position it currently swallows up to. Linear in practice, never recursive.
  size_t ni = 0, mi = 0;
  size_t starMask = std::wstring_view::npos, starName = 0;
  while (ni < n.size()) {
    if (mi < m.size() && (m[mi] == L'?' || m[mi] == n[ni])) {
      ++ni;
      ++mi;
    } else if (mi < m.size() && m[mi] == L'*') {
      starMask = mi++;
      starName = ni;
    } else if (starMask != std::wstring_view::npos) {
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

}  // namespace core
