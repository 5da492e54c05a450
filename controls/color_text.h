// Colour values as the controls use them: the text forms come from the core;
// what a system colour looks like is asked of the platform here.
#pragma once
#include <windows.h>

#include <string>

#include "core/color_text.h"

namespace controls {

using core::TColor;
using core::clBlack, core::clMaroon, core::clGreen, core::clOlive, core::clNavy, core::clPurple, core::clTeal,
    core::clGray, core::clSilver, core::clRed, core::clLime, core::clYellow, core::clBlue, core::clFuchsia,
    core::clAqua, core::clWhite;
using core::ColorToText;
using core::HtmlToColor;
using core::SystemColor;
using core::TextToColor;
using core::UpperAscii;

// The RGB value; a system colour code becomes that colour's current value.
COLORREF ColorToRGB(TColor c);

// "#" and six uppercase hex digits for red, green and blue of the colour's
// current RGB value.
std::wstring ColorToHTML(TColor c);

}  // namespace controls
