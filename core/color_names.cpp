#include "core/color_names.h"

namespace core {

const TColor StandardColors[kColorEntryCount] = {
    clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray, clSilver,
    clRed,   clLime,   clYellow, clBlue, clFuchsia, clAqua, clWhite,
    clWhite,  // the custom entry; only its first item text uses it
};

namespace {

// Windows-1252: \xFC is u-umlaut, \xDF sharp s, \xE9 e-acute.
const char* const kEnglish[kColorEntryCount] = {
    "Black", "Maroon", "Green", "Olive", "Navy", "Purple", "Teal",    "Gray",  "Silver",
    "Red",   "Lime",   "Yellow", "Blue", "Fuchsia", "Aqua", "White", "More...",
};
const char* const kDeutsch[kColorEntryCount] = {
    "Schwarz", "Dunkelrot", "Gr\xFCn", "Oliv", "Dunkelblau", "Purpur", "Gr\xFC" "nblau", "Grau",    "Silber",
    "Rot",     "Hellgr\xFC" "n", "Gelb", "Blau", "Rosa",       "Hellblau", "Wei\xDF",       "Mehr...",
};
const char* const kFrensh[kColorEntryCount] = {
    "Noir",  "Rouge fonc\xE9", "Vert",  "Marron clair", "Bleu fonc\xE9", "Violet", "Bleu-vert",  "Gris",
    "Argent\xE9", "Rouge", "Vert", "Jaune", "Bleu", "Fuchsia", "Vert d'eau", "Blanc", "Autres....",
};

}  // namespace

const char* ColorNameBytes(TCLanguage language, int index) {
  if (index < 0 || index >= kColorEntryCount) return nullptr;
  switch (language) {
    case TCLanguage::lgDeutsch:
      return kDeutsch[index];
    case TCLanguage::lgFrensh:
      return kFrensh[index];
    default:
      return kEnglish[index];
  }
}

}  // namespace core
