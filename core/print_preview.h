// The print dialog's preview: the page scaled into the preview box, with the
// printable area and the picture where they will print on it.
#pragma once
#include <cstdint>

#include "core/print_layout.h"

namespace core {

// A printer's page in device pixels: the whole sheet, and the printable area
// with its offset from the sheet's top-left corner.
struct PageGeometry {
  int32_t pageWidth = 0, pageHeight = 0;
  int32_t printableX = 0, printableY = 0, printableWidth = 0, printableHeight = 0;
};

struct PagePreview {
  PrintRect page;       // the sheet, fitted and centred in the box
  PrintRect printable;  // the printable area on it
  PrintRect picture;    // the picture on it; empty when nothing prints
};

// Scales the sheet into a box of boxWidth x boxHeight less `margin` on every
// side, its aspect kept, centred. `placed` is the picture's rectangle in the
// printable area (PlaceOnPage). Edges are mapped one by one, so rectangles
// that touch on the page touch in the preview; a picture that prints keeps at
// least one preview pixel each way. An empty sheet or box gives all empty.
PagePreview PreviewPage(const PageGeometry& page, const PrintRect& placed, int32_t boxWidth, int32_t boxHeight,
                        int32_t margin);

}  // namespace core
