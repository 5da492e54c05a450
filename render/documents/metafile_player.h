// Playing a checked enhanced metafile (core::PrepareEnhMetafile's copy) into a
// device context: GDI's player record by record, but for the few records it
// would misread, which the program plays itself; or GDI+, for metafiles with
// EMF+ records.
#pragma once
#include <windows.h>

namespace documents {

// The metafile scaled into `bounds` (logical units of dc), as PlayEnhMetaFile
// draws it.
void PlayWithGdi(HDC dc, HENHMETAFILE emf, const RECT& bounds);

// What GDI+ made of a metafile: whether it played it at all, and the EMF+
// records it refused to play (not implemented, or a parameter it does not
// take): all of them, and those that make objects or draw, with the type of
// the first of these.
struct GdiPlusPlay {
  bool played = false;
  unsigned refused = 0, refusedDrawing = 0;
  unsigned firstRefusedDrawing = 0;
  bool Whole() const { return played && refusedDrawing == 0; }
};

// The same metafile through GDI+, its EMF+ records drawn as Windows' own
// viewers draw them.
GdiPlusPlay PlayWithGdiPlus(HDC dc, HENHMETAFILE emf, const RECT& bounds);

}  // namespace documents
