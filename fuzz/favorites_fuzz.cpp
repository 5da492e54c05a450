// The favourites format on any bytes, NULs and 8-bit bytes included:
//   - no line holds a CR or a Ctrl-Z, and the lines account for every byte
//     before the first Ctrl-Z but their line ends;
//   - joining the lines and splitting again gives the same lines;
//   - moving the first line's folder to the front keeps every other entry in
//     its order and leaves the folder once at the top.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/favorites_lines.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

std::wstring Widen(const std::string& s) {
  std::wstring w;
  for (unsigned char c : s) w.push_back(static_cast<wchar_t>(c));
  return w;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = core::SplitFavoriteLines(bytes);

  const std::string_view content = bytes.substr(0, bytes.find('\x1A'));
  size_t lineBytes = 0;
  for (const auto& l : lines) {
    Check(l.find('\r') == std::string::npos && l.find('\x1A') == std::string::npos);
    lineBytes += l.size();
  }
  size_t ends = 0, endBytes = 0;
  for (size_t i = 0; i < content.size(); ++i) {
    if (content[i] != '\r') continue;
    ++ends;
    ++endBytes;
    if (i + 1 < content.size() && content[i + 1] == '\n') ++endBytes;
  }
  Check(lineBytes + endBytes == content.size());
  // One line per line end, and one more for text after the last end.
  const bool tail = !content.empty() && content.back() != '\r' &&
                    !(content.size() >= 2 && content.substr(content.size() - 2) == "\r\n");
  Check(lines.size() == ends + (tail ? 1 : 0));

  Check(core::SplitFavoriteLines(core::JoinFavoriteLines(lines)) == lines);

  // The order rules do not depend on the list's length; a bounded list keeps
  // the runs fast when the input is mostly line ends.
  std::vector<std::wstring> list;
  for (size_t i = 0; i < lines.size() && i < 256; ++i) list.push_back(Widen(lines[i]));
  if (!list.empty()) {
    const std::wstring folder = list.back();
    const std::ptrdiff_t last = core::LastEqual(list, folder);
    Check(last == static_cast<std::ptrdiff_t>(list.size()) - 1);
    std::vector<std::wstring> moved = list;
    core::MoveToFront(moved, folder);
    Check(moved.size() == list.size() && moved.front() == folder);
    Check(std::equal(list.begin(), list.end() - 1, moved.begin() + 1));
  }
  const std::wstring first = list.empty() ? std::wstring() : list.front();
  std::vector<std::wstring> moved = list;
  const std::ptrdiff_t last = core::LastEqual(list, first);
  core::MoveToFront(moved, first);
  Check(moved.front() == first);
  Check(moved.size() == list.size() + (last < 0 ? 1 : 0));
  std::vector<std::wstring> rest = list;
  if (last >= 0) rest.erase(rest.begin() + last);
  Check(std::equal(rest.begin(), rest.end(), moved.begin() + 1, moved.end()));
  return 0;
}
