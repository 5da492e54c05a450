// Colour values and their text forms: the toolkit's colour names ("clRed", or
// "$" and eight hex digits), and the HTML form "#RRGGBB". Handle-free.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace controls {

// 0x00BBGGRR, or a system colour code: 0x80000000 | COLOR_xxx.
using TColor = int32_t;

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;

constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<uint32_t>(index)); }

// The colour's name, or "$" and eight uppercase hex digits for one without a name.
std::wstring ColorToText(TColor c);
// The reverse: a name (any case), "$" and hex digits, or a decimal number.
std::optional<TColor> TextToColor(std::wstring_view text);

// The RGB value; a system colour code becomes that colour's current value.
COLORREF ColorToRGB(TColor c);

// "#" and six uppercase hex digits for red, green and blue.
std::wstring ColorToHTML(TColor c);

// Reads an HTML colour text the control's way: "$00" and the characters at
// (1-based) positions 6-7, 4-5 and 2-3, whatever the first one is, parsed as
// hex. Missing characters contribute nothing; an empty text is black.
std::optional<TColor> HtmlToColor(std::wstring_view text);

// ASCII letters to upper case; other characters stay.
std::wstring UpperAscii(std::wstring_view text);

}  // namespace controls
