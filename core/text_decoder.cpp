#include "core/text_decoder.h"

namespace core {
namespace {

bool IsHigh(uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Bytes of the sequence that starts with `lead` and the range its second byte
// must lie in, which is what rules out overlong forms, encoded surrogates and
// code points above U+10FFFF; 0 for a byte that starts no sequence.
int SequenceLength(uint8_t lead, uint8_t& lo, uint8_t& hi) {
  lo = 0x80, hi = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead == 0xE0) lo = 0xA0;
  if (lead == 0xED) hi = 0x9F;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead == 0xF0) lo = 0x90;
  if (lead == 0xF4) hi = 0x8F;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

std::optional<std::wstring> FromUtf16(const uint8_t* p, size_t n, bool bigEndian) {
  if (n % 2 != 0) return std::nullopt;
  std::wstring s(n / 2, L'\0');
  for (size_t i = 0; i < s.size(); ++i) {
    const uint32_t hi = p[2 * i + (bigEndian ? 0 : 1)], lo = p[2 * i + (bigEndian ? 1 : 0)];
    s[i] = static_cast<wchar_t>(hi << 8 | lo);
  }
  for (size_t i = 0; i < s.size(); ++i) {
    const uint32_t u = static_cast<uint32_t>(s[i]);
    if (IsHigh(u) && i + 1 < s.size() && IsLow(static_cast<uint32_t>(s[i + 1])))
      ++i;
    else if (IsHigh(u) || IsLow(u))
      return std::nullopt;
  }
  return s;
}

}  // namespace

std::optional<std::wstring> DecodeUtf8(const uint8_t* p, size_t n) {
  std::wstring s;
  s.reserve(n);
  size_t i = 0;
  while (i < n) {
    const uint8_t lead = p[i];
    if (lead < 0x80) {
      s.push_back(static_cast<wchar_t>(lead));
      ++i;
      continue;
    }
    uint8_t lo, hi;
    const int len = SequenceLength(lead, lo, hi);
    if (len == 0 || n - i < size_t(len)) return std::nullopt;
    if (p[i + 1] < lo || p[i + 1] > hi) return std::nullopt;
    uint32_t cp = lead & (0xFF >> (len + 1));
    for (int k = 1; k < len; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) return std::nullopt;
      cp = cp << 6 | (p[i + k] & 0x3F);
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      s.push_back(static_cast<wchar_t>(0xD800 | (cp >> 10)));
      s.push_back(static_cast<wchar_t>(0xDC00 | (cp & 0x3FF)));
    } else {
      s.push_back(static_cast<wchar_t>(cp));
    }
    i += size_t(len);
  }
  return s;
}

std::optional<std::wstring> DecodeText(const uint8_t* p, size_t n, const CodePageDecoder& ansi) {
  if (n == 0) return std::nullopt;
  std::optional<std::wstring> text;
  if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF)
    text = DecodeUtf8(p + 3, n - 3);
  else if (n >= 2 && p[0] == 0xFF && p[1] == 0xFE)
    text = FromUtf16(p + 2, n - 2, false);
  else if (n >= 2 && p[0] == 0xFE && p[1] == 0xFF)
    text = FromUtf16(p + 2, n - 2, true);
  else if (!(text = DecodeUtf8(p, n)) && ansi)
    text = ansi(p, n);
  if (!text || text->find(L'\0') != std::wstring::npos) return std::nullopt;
  return text;
}

}  // namespace core
