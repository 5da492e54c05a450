#include "core/color_text.h"

namespace core {
namespace {

struct NamedColor {
  TColor value;
  const wchar_t* name;
};

// The names that the toolkit's colour naming knows; the first match wins.
constexpr NamedColor kNames[] = {
    {clBlack, L"clBlack"},
    {clMaroon, L"clMaroon"},
    {clGreen, L"clGreen"},
    {clOlive, L"clOlive"},
    {clNavy, L"clNavy"},
    {clPurple, L"clPurple"},
    {clTeal, L"clTeal"},
    {clGray, L"clGray"},
    {clSilver, L"clSilver"},
    {clRed, L"clRed"},
    {clLime, L"clLime"},
    {clYellow, L"clYellow"},
    {clBlue, L"clBlue"},
    {clFuchsia, L"clFuchsia"},
    {clAqua, L"clAqua"},
    {clWhite, L"clWhite"},
    {SystemColor(kColorScrollBar), L"clScrollBar"},
    {SystemColor(kColorBackground), L"clBackground"},
    {SystemColor(kColorActiveCaption), L"clActiveCaption"},
    {SystemColor(kColorInactiveCaption), L"clInactiveCaption"},
    {SystemColor(kColorMenu), L"clMenu"},
    {SystemColor(kColorWindow), L"clWindow"},
    {SystemColor(kColorWindowFrame), L"clWindowFrame"},
    {SystemColor(kColorMenuText), L"clMenuText"},
    {SystemColor(kColorWindowText), L"clWindowText"},
    {SystemColor(kColorCaptionText), L"clCaptionText"},
    {SystemColor(kColorActiveBorder), L"clActiveBorder"},
    {SystemColor(kColorInactiveBorder), L"clInactiveBorder"},
    {SystemColor(kColorAppWorkspace), L"clAppWorkSpace"},
    {SystemColor(kColorHighlight), L"clHighlight"},
    {SystemColor(kColorHighlightText), L"clHighlightText"},
    {SystemColor(kColorBtnFace), L"clBtnFace"},
    {SystemColor(kColorBtnShadow), L"clBtnShadow"},
    {SystemColor(kColorGrayText), L"clGrayText"},
    {SystemColor(kColorBtnText), L"clBtnText"},
    {SystemColor(kColorInactiveCaptionText), L"clInactiveCaptionText"},
    {SystemColor(kColorBtnHighlight), L"clBtnHighlight"},
    {SystemColor(kColor3DDkShadow), L"cl3DDkShadow"},
    {SystemColor(kColor3DLight), L"cl3DLight"},
    {SystemColor(kColorInfoText), L"clInfoText"},
    {SystemColor(kColorInfoBk), L"clInfoBk"},
};

constexpr wchar_t kHexDigits[] = L"0123456789ABCDEF";

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  return -1;
}

wchar_t LowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

// The names are ASCII, so folding ASCII letters is all the comparison needs.
bool EqualNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

// 1..8 hex digits.
std::optional<TColor> ParseHex(std::wstring_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  uint32_t v = 0;
  for (wchar_t c : digits) {
    const int d = HexDigit(c);
    if (d < 0) return std::nullopt;
    v = (v << 4) | static_cast<uint32_t>(d);
  }
  return static_cast<TColor>(v);
}

std::optional<TColor> ParseDecimal(std::wstring_view text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  if (i == text.size()) return std::nullopt;
  int64_t v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
    v = v * 10 + (text[i] - L'0');
    if (v > 0x80000000LL) return std::nullopt;
  }
  if (negative) v = -v;
  if (v > 0x7FFFFFFFLL) return std::nullopt;
  return static_cast<TColor>(v);
}

// Uppercase hex digits of v, at least `width` of them.
std::wstring Hex(uint32_t v, size_t width) {
  std::wstring digits;
  do {
    digits.insert(digits.begin(), kHexDigits[v & 0xF]);
    v >>= 4;
  } while (v != 0);
  if (digits.size() < width) digits.insert(0, width - digits.size(), L'0');
  return digits;
}

}  // namespace

std::wstring ColorToText(TColor c) {
  for (const NamedColor& n : kNames)
    if (n.value == c) return n.name;
  return L"$" + Hex(static_cast<uint32_t>(c), 8);
}

std::optional<TColor> TextToColor(std::wstring_view text) {
  for (const NamedColor& n : kNames)
    if (EqualNoCase(text, n.name)) return n.value;
  if (!text.empty() && text[0] == L'$') return ParseHex(text.substr(1));
  return ParseDecimal(text);
}

std::wstring RgbToHtml(uint32_t rgb) {
  // The digits of 0x00BBGGRR read BBGGRR; HTML wants them pair by pair reversed.
  const std::wstring hex = Hex(rgb, 6);
  return L"#" + hex.substr(4, 2) + hex.substr(2, 2) + hex.substr(0, 2);
}

std::optional<TColor> HtmlToColor(std::wstring_view text) {
  if (text.empty()) return clBlack;
  // Positions 6-7 hold blue, 4-5 green and 2-3 red (1-based); 0x00BBGGRR reads blue first.
  auto pair = [&](size_t at) { return at < text.size() ? text.substr(at, 2) : std::wstring_view{}; };
  std::wstring digits = L"00";
  digits.append(pair(5));
  digits.append(pair(3));
  digits.append(pair(1));
  return ParseHex(digits);
}

std::wstring UpperAscii(std::wstring_view text) {
  std::wstring s(text);
  for (wchar_t& c : s)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return s;
}

}  // namespace core
