// The fixed entries of the colour list: colours and stored captions come from
// the core; the captions are decoded for display here.
#pragma once
#include <string>

#include "controls/color_text.h"
#include "core/color_names.h"

namespace controls {

using core::ColorNameBytes;
using core::kColorEntryCount;
using core::kCustomColorEntry;
using core::StandardColors;
using core::TCLanguage;

// The caption of entry `index` for display, decoded from Windows-1252; empty
// outside 0..16.
std::wstring ColorCaption(TCLanguage language, int index);

}  // namespace controls
