#include "core/text_layout.h"

#include <algorithm>
#include <cstdint>

namespace core {
namespace {

bool IsLow(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Tabs to the next stop, other controls to spaces.
std::wstring Clean(const std::wstring& para) {
  std::wstring out;
  size_t cells = 0;
  for (wchar_t c : para) {
    if (c == L'\t') {
      do {
        out.push_back(L' ');
      } while (++cells % page::kTabSize != 0);
      continue;
    }
    out.push_back(c < 0x20 || c == 0x7F ? L' ' : c);
    if (!IsLow(c)) ++cells;
  }
  return out;
}

// Index just past the first `cells` characters of s.
size_t Advance(const std::wstring& s, size_t from, size_t cells) {
  size_t i = from;
  while (i < s.size() && cells > 0) {
    ++i;
    if (i < s.size() && IsLow(s[i])) ++i;
    --cells;
  }
  return i;
}

void Wrap(const std::wstring& para, std::vector<std::wstring>& lines) {
  size_t start = 0;
  do {
    const size_t limit = Advance(para, start, page::kColumns);
    if (limit >= para.size()) {
      size_t end = para.size();
      while (end > start && para[end - 1] == L' ') --end;
      lines.push_back(para.substr(start, end - start));
      return;
    }
    size_t cut = limit;
    if (para[limit] != L' ') {
      const size_t space = para.rfind(L' ', limit);
      if (space != std::wstring::npos && space > start) cut = space;
    }
    size_t end = cut;
    while (end > start && para[end - 1] == L' ') --end;  // no trailing blanks
    lines.push_back(para.substr(start, end - start));
    start = cut;
    while (start < para.size() && para[start] == L' ') ++start;
  } while (start < para.size());
}

}  // namespace

size_t CellCount(const std::wstring& s) {
  size_t n = 0;
  for (wchar_t c : s) n += !IsLow(c);
  return n;
}

bool LayoutText(const std::wstring& text, TextLayout& out) {
  out = TextLayout();
  constexpr size_t kMaxLines = (INT32_MAX - 2 * page::kMargin) / page::kLineHeight;
  size_t begin = 0;
  while (begin <= text.size()) {
    size_t end = text.find_first_of(L"\r\n", begin);
    if (end == std::wstring::npos) end = text.size();
    Wrap(Clean(text.substr(begin, end - begin)), out.lines);
    if (out.lines.size() > kMaxLines) return false;
    if (end == text.size()) break;
    begin = end + ((text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n') ? 2 : 1);
    if (begin == text.size()) break;  // a final line break opens no new line
  }
  const int64_t height = 2 * int64_t(page::kMargin) + int64_t(out.lines.size()) * page::kLineHeight;
  out.pageHeight = static_cast<int32_t>(std::max<int64_t>(page::kMinHeight, height));
  return true;
}

}  // namespace core
