// The stock kinds of bitmap buttons: caption, modal result, default and cancel
// roles and glyph of each. Captions are string resources and glyphs bitmap
// resources of the program; a glyph is loaded on first use and shared by all
// buttons until the program ends.
#pragma once
#include <string>

#include "controls/button_glyph.h"

namespace controls {

enum class TBitBtnXPKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

struct StockKind {
  int captionId;           // string resource
  const wchar_t* glyphName;  // bitmap resource
  int modalResult;
  bool isDefault;
  bool isCancel;
};

// The stock kind's entry; nullptr for bkCustom.
const StockKind* StockKindOf(TBitBtnXPKind kind);
std::wstring StockCaption(TBitBtnXPKind kind);
// The shared stock glyph (empty when the program has no such resource).
const GlyphBitmap& StockGlyph(TBitBtnXPKind kind);

}  // namespace controls
