// The fixed entries of the colour list: their colours and their captions in
// three languages, stored as single-byte Windows-1252 text.
#pragma once
#include "core/color_text.h"

namespace core {

enum class TCLanguage { lgEnglish = 0, lgDeutsch = 1, lgFrensh = 2 };

constexpr int kColorEntryCount = 17;
constexpr int kCustomColorEntry = 16;  // "More...": the colour dialog

extern const TColor StandardColors[kColorEntryCount];

// The caption as stored: single-byte Windows-1252 text; nullptr outside 0..16.
// A language outside the enumeration reads as English.
const char* ColorNameBytes(TCLanguage language, int index);

}  // namespace core
