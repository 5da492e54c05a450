#include "controls/color_text.h"

#include <cstdio>
#include <cwctype>

namespace controls {
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
    {SystemColor(COLOR_SCROLLBAR), L"clScrollBar"},
    {SystemColor(COLOR_BACKGROUND), L"clBackground"},
    {SystemColor(COLOR_ACTIVECAPTION), L"clActiveCaption"},
    {SystemColor(COLOR_INACTIVECAPTION), L"clInactiveCaption"},
    {SystemColor(COLOR_MENU), L"clMenu"},
    {SystemColor(COLOR_WINDOW), L"clWindow"},
    {SystemColor(COLOR_WINDOWFRAME), L"clWindowFrame"},
    {SystemColor(COLOR_MENUTEXT), L"clMenuText"},
    {SystemColor(COLOR_WINDOWTEXT), L"clWindowText"},
    {SystemColor(COLOR_CAPTIONTEXT), L"clCaptionText"},
    {SystemColor(COLOR_ACTIVEBORDER), L"clActiveBorder"},
    {SystemColor(COLOR_INACTIVEBORDER), L"clInactiveBorder"},
    {SystemColor(COLOR_APPWORKSPACE), L"clAppWorkSpace"},
    {SystemColor(COLOR_HIGHLIGHT), L"clHighlight"},
    {SystemColor(COLOR_HIGHLIGHTTEXT), L"clHighlightText"},
    {SystemColor(COLOR_BTNFACE), L"clBtnFace"},
    {SystemColor(COLOR_BTNSHADOW), L"clBtnShadow"},
    {SystemColor(COLOR_GRAYTEXT), L"clGrayText"},
    {SystemColor(COLOR_BTNTEXT), L"clBtnText"},
    {SystemColor(COLOR_INACTIVECAPTIONTEXT), L"clInactiveCaptionText"},
    {SystemColor(COLOR_BTNHIGHLIGHT), L"clBtnHighlight"},
    {SystemColor(COLOR_3DDKSHADOW), L"cl3DDkShadow"},
    {SystemColor(COLOR_3DLIGHT), L"cl3DLight"},
    {SystemColor(COLOR_INFOTEXT), L"clInfoText"},
    {SystemColor(COLOR_INFOBK), L"clInfoBk"},
};

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  return -1;
}

bool EqualNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  return true;
}

// "$" and 1..8 hex digits.
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

}  // namespace

std::wstring ColorToText(TColor c) {
  for (const NamedColor& n : kNames)
    if (n.value == c) return n.name;
  wchar_t buf[16];
  std::swprintf(buf, 16, L"$%08X", static_cast<unsigned>(static_cast<uint32_t>(c)));
  return buf;
}

std::optional<TColor> TextToColor(std::wstring_view text) {
  for (const NamedColor& n : kNames)
    if (EqualNoCase(text, n.name)) return n.value;
  if (!text.empty() && text[0] == L'$') return ParseHex(text.substr(1));
  return ParseDecimal(text);
}

COLORREF ColorToRGB(TColor c) {
  if (c < 0) return ::GetSysColor(c & 0xFF);
  return static_cast<COLORREF>(c);
}

std::wstring ColorToHTML(TColor c) {
  // The digits of 0x00BBGGRR read BBGGRR; HTML wants them pair by pair reversed.
  wchar_t hex[16];
  std::swprintf(hex, 16, L"%06X", static_cast<unsigned>(ColorToRGB(c)));
  std::wstring html = L"#";
  html.append(hex + 4, 2);
  html.append(hex + 2, 2);
  html.append(hex, 2);
  return html;
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

}  // namespace controls
