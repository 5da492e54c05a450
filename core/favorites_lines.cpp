#include "core/favorites_lines.h"

namespace core {

std::vector<std::string> SplitFavoriteLines(std::string_view bytes) {
  const size_t eof = bytes.find('\x1A');
  if (eof != std::string_view::npos) bytes = bytes.substr(0, eof);
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < bytes.size()) {
    const size_t cr = bytes.find('\r', pos);
    if (cr == std::string_view::npos) {
      lines.emplace_back(bytes.substr(pos));
      break;
    }
    lines.emplace_back(bytes.substr(pos, cr - pos));
    pos = cr + 1;
    if (pos < bytes.size() && bytes[pos] == '\n') ++pos;
  }
  return lines;
}

std::string JoinFavoriteLines(const std::vector<std::string>& lines) {
  size_t total = 0;
  for (const auto& l : lines) total += l.size() + 2;
  std::string out;
  out.reserve(total);
  for (const auto& l : lines) {
    out += l;
    out += "\r\n";
  }
  return out;
}

std::ptrdiff_t LastEqual(const std::vector<std::wstring>& list, const std::wstring& folder) {
  for (size_t i = list.size(); i-- > 0;)
    if (list[i] == folder) return static_cast<std::ptrdiff_t>(i);
  return -1;
}

void MoveToFront(std::vector<std::wstring>& list, const std::wstring& folder) {
  const std::ptrdiff_t last = LastEqual(list, folder);
  if (last >= 0) list.erase(list.begin() + last);
  list.insert(list.begin(), folder);
}

}  // namespace core
