// Plain-text decoding and layout on any bytes:
//   - decoded text holds no NUL, and pairs every surrogate;
//   - text that decodes as UTF-8 without a byte-order mark encodes back to the
//     very same bytes (so the strict decoder neither drops nor invents any);
//   - the layout's lines fit the page's columns, never split a surrogate pair,
//     keep no blank at their end, and the page is at least one A4 high and
//     grows by one line height per line.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/text_decoder.h"
#include "core/text_layout.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

bool IsHigh(uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

std::string ToUtf8(const std::wstring& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    uint32_t cp = static_cast<uint32_t>(s[i]);
    if (IsHigh(cp) && i + 1 < s.size()) cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<uint32_t>(s[++i]) - 0xDC00);
    if (cp < 0x80) {
      out.push_back(char(cp));
    } else if (cp < 0x800) {
      out += {char(0xC0 | cp >> 6), char(0x80 | (cp & 0x3F))};
    } else if (cp < 0x10000) {
      out += {char(0xE0 | cp >> 12), char(0x80 | ((cp >> 6) & 0x3F)), char(0x80 | (cp & 0x3F))};
    } else {
      out += {char(0xF0 | cp >> 18), char(0x80 | ((cp >> 12) & 0x3F)), char(0x80 | ((cp >> 6) & 0x3F)),
              char(0x80 | (cp & 0x3F))};
    }
  }
  return out;
}

// Latin-1 in place of a code page, marked so a fallback shows.
std::optional<std::wstring> Latin1(const uint8_t* p, size_t n) {
  std::wstring s(1, L'\x00A4');
  for (size_t i = 0; i < n; ++i) s.push_back(static_cast<wchar_t>(p[i]));
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::optional<std::wstring> text = core::DecodeText(data, size, Latin1);
  const std::optional<std::wstring> utf8 = core::DecodeUtf8(data, size);
  if (utf8) Check(ToUtf8(*utf8) == std::string(reinterpret_cast<const char*>(data), size));
  if (!text) return 0;
  Check(size > 0 && text->find(L'\0') == std::wstring::npos);
  for (size_t i = 0; i < text->size(); ++i) {
    const uint32_t u = static_cast<uint32_t>((*text)[i]);
    Check(u <= 0xFFFF);
    if (IsHigh(u)) Check(i + 1 < text->size() && IsLow(static_cast<uint32_t>((*text)[++i])));
    else Check(!IsLow(u));
  }
  core::TextLayout layout;
  if (!core::LayoutText(*text, layout)) return 0;
  for (const std::wstring& line : layout.lines) {
    Check(core::CellCount(line) <= size_t(core::page::kColumns));
    Check(line.empty() || (line.back() != L' ' && !IsHigh(static_cast<uint32_t>(line.back())) &&
                           !IsLow(static_cast<uint32_t>(line.front()))));
    for (wchar_t c : line) Check(c >= 0x20 && c != 0x7F);
  }
  const int64_t height = 2 * int64_t(core::page::kMargin) + int64_t(layout.lines.size()) * core::page::kLineHeight;
  Check(layout.pageHeight == (height < core::page::kMinHeight ? core::page::kMinHeight : height));
  return 0;
}
