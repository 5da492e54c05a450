// Colour values and their text forms: the toolkit's colour names ("clRed", or
// "$" and eight hex digits, or a decimal number), and the HTML form "#RRGGBB".
// What a system colour looks like right now is the platform's business; here a
// system colour is only its code.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// 0x00BBGGRR, or a system colour code: 0x80000000 | index of the system colour.
using TColor = int32_t;

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;

// The system colours' indices, numbered as the platform numbers them.
enum SystemColorIndex : int {
  kColorScrollBar = 0,
  kColorBackground = 1,
  kColorActiveCaption = 2,
  kColorInactiveCaption = 3,
  kColorMenu = 4,
  kColorWindow = 5,
  kColorWindowFrame = 6,
  kColorMenuText = 7,
  kColorWindowText = 8,
  kColorCaptionText = 9,
  kColorActiveBorder = 10,
  kColorInactiveBorder = 11,
  kColorAppWorkspace = 12,
  kColorHighlight = 13,
  kColorHighlightText = 14,
  kColorBtnFace = 15,
  kColorBtnShadow = 16,
  kColorGrayText = 17,
  kColorBtnText = 18,
  kColorInactiveCaptionText = 19,
  kColorBtnHighlight = 20,
  kColor3DDkShadow = 21,
  kColor3DLight = 22,
  kColorInfoText = 23,
  kColorInfoBk = 24,
};

constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<uint32_t>(index)); }
// True for a system colour code; its index is then the low byte.
constexpr bool IsSystemColor(TColor c) { return c < 0; }

// The colour's name, or "$" and eight uppercase hex digits for one without a name.
std::wstring ColorToText(TColor c);
// The reverse: a name (ASCII letters in any case), "$" and 1..8 hex digits, or
// a decimal number with an optional sign that fits 32 bits.
std::optional<TColor> TextToColor(std::wstring_view text);

// "#" and the hex digits of an RGB value 0x00BBGGRR, pair by pair reversed:
// red, green, blue. At least six digits are formed; a value past 0xFFFFFF has
// more, and only its first six make it into the text.
std::wstring RgbToHtml(uint32_t rgb);

// Reads an HTML colour text the colour combo's way: "$00" and the characters
// at (1-based) positions 6-7, 4-5 and 2-3, whatever the first one is, parsed
// as hex. Missing characters contribute nothing; an empty text is black. The
// result is always within 0..0xFFFFFF.
std::optional<TColor> HtmlToColor(std::wstring_view text);

// ASCII letters to upper case; other characters stay.
std::wstring UpperAscii(std::wstring_view text);

}  // namespace core
