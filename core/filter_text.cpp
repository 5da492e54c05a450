#include "core/filter_text.h"

namespace core {

std::vector<FilterEntry> SplitFilterText(std::wstring_view text) {
  std::vector<std::wstring> parts;
  if (text.empty()) return {};
  size_t start = 0;
  for (;;) {
    const size_t bar = text.find(L'|', start);
    if (bar == std::wstring_view::npos) {
      parts.emplace_back(text.substr(start));
      break;
    }
    parts.emplace_back(text.substr(start, bar - start));
    start = bar + 1;
  }
  std::vector<FilterEntry> entries;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) entries.push_back({parts[i], parts[i + 1]});
  if (parts.size() % 2 == 1 && !parts.back().empty()) entries.push_back({parts.back(), L""});
  return entries;
}

}  // namespace core
