#include "core/wmf_records.h"

#include <iterator>

namespace core {
namespace {

struct Name {
  uint16_t function;
  const char* name;
};

constexpr Name kNames[] = {
    {meta::kEof, "META_EOF"},
    {meta::kSaveDC, "META_SAVEDC"},
    {meta::kRealizePalette, "META_REALIZEPALETTE"},
    {meta::kSetPalEntries, "META_SETPALENTRIES"},
    {meta::kSetBkMode, "META_SETBKMODE"},
    {meta::kSetMapMode, "META_SETMAPMODE"},
    {meta::kSetRop2, "META_SETROP2"},
    {meta::kSetRelAbs, "META_SETRELABS"},
    {meta::kSetPolyFillMode, "META_SETPOLYFILLMODE"},
    {meta::kSetStretchBltMode, "META_SETSTRETCHBLTMODE"},
    {meta::kSetTextCharExtra, "META_SETTEXTCHAREXTRA"},
    {meta::kRestoreDC, "META_RESTOREDC"},
    {meta::kInvertRegion, "META_INVERTREGION"},
    {meta::kPaintRegion, "META_PAINTREGION"},
    {meta::kSelectClipRegion, "META_SELECTCLIPREGION"},
    {meta::kSelectObject, "META_SELECTOBJECT"},
    {meta::kSetTextAlign, "META_SETTEXTALIGN"},
    {meta::kResizePalette, "META_RESIZEPALETTE"},
    {meta::kDibCreatePatternBrush, "META_DIBCREATEPATTERNBRUSH"},
    {meta::kDeleteObject, "META_DELETEOBJECT"},
    {meta::kCreatePatternBrush, "META_CREATEPATTERNBRUSH"},
    {meta::kSetBkColor, "META_SETBKCOLOR"},
    {meta::kSetTextColor, "META_SETTEXTCOLOR"},
    {meta::kSetTextJustification, "META_SETTEXTJUSTIFICATION"},
    {meta::kSetWindowOrg, "META_SETWINDOWORG"},
    {meta::kSetWindowExt, "META_SETWINDOWEXT"},
    {meta::kSetViewportOrg, "META_SETVIEWPORTORG"},
    {meta::kSetViewportExt, "META_SETVIEWPORTEXT"},
    {meta::kOffsetWindowOrg, "META_OFFSETWINDOWORG"},
    {meta::kOffsetViewportOrg, "META_OFFSETVIEWPORTORG"},
    {meta::kLineTo, "META_LINETO"},
    {meta::kMoveTo, "META_MOVETO"},
    {meta::kOffsetClipRgn, "META_OFFSETCLIPRGN"},
    {meta::kFillRegion, "META_FILLREGION"},
    {meta::kSetMapperFlags, "META_SETMAPPERFLAGS"},
    {meta::kSelectPalette, "META_SELECTPALETTE"},
    {meta::kCreatePenIndirect, "META_CREATEPENINDIRECT"},
    {meta::kCreateFontIndirect, "META_CREATEFONTINDIRECT"},
    {meta::kCreateBrushIndirect, "META_CREATEBRUSHINDIRECT"},
    {meta::kPolygon, "META_POLYGON"},
    {meta::kPolyline, "META_POLYLINE"},
    {meta::kScaleWindowExt, "META_SCALEWINDOWEXT"},
    {meta::kScaleViewportExt, "META_SCALEVIEWPORTEXT"},
    {meta::kExcludeClipRect, "META_EXCLUDECLIPRECT"},
    {meta::kIntersectClipRect, "META_INTERSECTCLIPRECT"},
    {meta::kEllipse, "META_ELLIPSE"},
    {meta::kFloodFill, "META_FLOODFILL"},
    {meta::kRectangle, "META_RECTANGLE"},
    {meta::kSetPixel, "META_SETPIXEL"},
    {meta::kFrameRegion, "META_FRAMEREGION"},
    {meta::kAnimatePalette, "META_ANIMATEPALETTE"},
    {meta::kTextOut, "META_TEXTOUT"},
    {meta::kPolyPolygon, "META_POLYPOLYGON"},
    {meta::kExtFloodFill, "META_EXTFLOODFILL"},
    {meta::kRoundRect, "META_ROUNDRECT"},
    {meta::kPatBlt, "META_PATBLT"},
    {meta::kEscape, "META_ESCAPE"},
    {meta::kCreateRegion, "META_CREATEREGION"},
    {meta::kArc, "META_ARC"},
    {meta::kPie, "META_PIE"},
    {meta::kChord, "META_CHORD"},
    {meta::kBitBlt, "META_BITBLT"},
    {meta::kDibBitBlt, "META_DIBBITBLT"},
    {meta::kExtTextOut, "META_EXTTEXTOUT"},
    {meta::kStretchBlt, "META_STRETCHBLT"},
    {meta::kDibStretchBlt, "META_DIBSTRETCHBLT"},
    {meta::kSetDibToDev, "META_SETDIBTODEV"},
    {meta::kStretchDib, "META_STRETCHDIB"},
    {meta::kCreatePalette, "META_CREATEPALETTE"},
};

}  // namespace

const char* WmfFunctionName(uint16_t function) {
  for (const Name& n : kNames)
    if (n.function == function) return n.name;
  return nullptr;
}

}  // namespace core
