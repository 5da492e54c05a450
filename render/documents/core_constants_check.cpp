// The core reads metafiles and bitmaps with its own copies of the platform's
// record numbers, enumerations, structure sizes and field offsets, since it
// includes no Windows header. Here each copy is checked against the platform's
// headers, so the two can never drift apart. Nothing in this file runs.
#include <windows.h>

#include <cstddef>

#include "core/dib_format.h"
#include "core/emf_records.h"
#include "core/gdi_enums.h"
#include "core/wmf_records.h"

namespace {

namespace emr = core::emr;
namespace L = core::emr::layout;
namespace gdi = core::gdi;
namespace dib = core::dib;
namespace meta = core::meta;

#define SAME(core_value, windows_value) static_assert((core_value) == (windows_value), #windows_value)

// Enhanced metafile record types.
SAME(emr::kHeader, EMR_HEADER); SAME(emr::kPolyBezier, EMR_POLYBEZIER); SAME(emr::kPolygon, EMR_POLYGON);
SAME(emr::kPolyline, EMR_POLYLINE); SAME(emr::kPolyBezierTo, EMR_POLYBEZIERTO);
SAME(emr::kPolylineTo, EMR_POLYLINETO); SAME(emr::kPolyPolyline, EMR_POLYPOLYLINE);
SAME(emr::kPolyPolygon, EMR_POLYPOLYGON); SAME(emr::kSetWindowExtEx, EMR_SETWINDOWEXTEX);
SAME(emr::kSetWindowOrgEx, EMR_SETWINDOWORGEX); SAME(emr::kSetViewportExtEx, EMR_SETVIEWPORTEXTEX);
SAME(emr::kSetViewportOrgEx, EMR_SETVIEWPORTORGEX); SAME(emr::kSetBrushOrgEx, EMR_SETBRUSHORGEX);
SAME(emr::kEof, EMR_EOF); SAME(emr::kSetPixelV, EMR_SETPIXELV); SAME(emr::kSetMapperFlags, EMR_SETMAPPERFLAGS);
SAME(emr::kSetMapMode, EMR_SETMAPMODE); SAME(emr::kSetBkMode, EMR_SETBKMODE);
SAME(emr::kSetPolyFillMode, EMR_SETPOLYFILLMODE); SAME(emr::kSetRop2, EMR_SETROP2);
SAME(emr::kSetStretchBltMode, EMR_SETSTRETCHBLTMODE); SAME(emr::kSetTextAlign, EMR_SETTEXTALIGN);
SAME(emr::kSetColorAdjustment, EMR_SETCOLORADJUSTMENT); SAME(emr::kSetTextColor, EMR_SETTEXTCOLOR);
SAME(emr::kSetBkColor, EMR_SETBKCOLOR); SAME(emr::kOffsetClipRgn, EMR_OFFSETCLIPRGN);
SAME(emr::kMoveToEx, EMR_MOVETOEX); SAME(emr::kSetMetaRgn, EMR_SETMETARGN);
SAME(emr::kExcludeClipRect, EMR_EXCLUDECLIPRECT); SAME(emr::kIntersectClipRect, EMR_INTERSECTCLIPRECT);
SAME(emr::kScaleViewportExtEx, EMR_SCALEVIEWPORTEXTEX); SAME(emr::kScaleWindowExtEx, EMR_SCALEWINDOWEXTEX);
SAME(emr::kSaveDC, EMR_SAVEDC); SAME(emr::kRestoreDC, EMR_RESTOREDC);
SAME(emr::kSetWorldTransform, EMR_SETWORLDTRANSFORM); SAME(emr::kModifyWorldTransform, EMR_MODIFYWORLDTRANSFORM);
SAME(emr::kSelectObject, EMR_SELECTOBJECT); SAME(emr::kCreatePen, EMR_CREATEPEN);
SAME(emr::kCreateBrushIndirect, EMR_CREATEBRUSHINDIRECT); SAME(emr::kDeleteObject, EMR_DELETEOBJECT);
SAME(emr::kAngleArc, EMR_ANGLEARC); SAME(emr::kEllipse, EMR_ELLIPSE); SAME(emr::kRectangle, EMR_RECTANGLE);
SAME(emr::kRoundRect, EMR_ROUNDRECT); SAME(emr::kArc, EMR_ARC); SAME(emr::kChord, EMR_CHORD); SAME(emr::kPie, EMR_PIE);
SAME(emr::kSelectPalette, EMR_SELECTPALETTE); SAME(emr::kCreatePalette, EMR_CREATEPALETTE);
SAME(emr::kSetPaletteEntries, EMR_SETPALETTEENTRIES); SAME(emr::kResizePalette, EMR_RESIZEPALETTE);
SAME(emr::kRealizePalette, EMR_REALIZEPALETTE); SAME(emr::kExtFloodFill, EMR_EXTFLOODFILL);
SAME(emr::kLineTo, EMR_LINETO); SAME(emr::kArcTo, EMR_ARCTO); SAME(emr::kPolyDraw, EMR_POLYDRAW);
SAME(emr::kSetArcDirection, EMR_SETARCDIRECTION); SAME(emr::kSetMiterLimit, EMR_SETMITERLIMIT);
SAME(emr::kBeginPath, EMR_BEGINPATH); SAME(emr::kEndPath, EMR_ENDPATH); SAME(emr::kCloseFigure, EMR_CLOSEFIGURE);
SAME(emr::kFillPath, EMR_FILLPATH); SAME(emr::kStrokeAndFillPath, EMR_STROKEANDFILLPATH);
SAME(emr::kStrokePath, EMR_STROKEPATH); SAME(emr::kFlattenPath, EMR_FLATTENPATH);
SAME(emr::kWidenPath, EMR_WIDENPATH); SAME(emr::kSelectClipPath, EMR_SELECTCLIPPATH);
SAME(emr::kAbortPath, EMR_ABORTPATH); SAME(emr::kGdiComment, EMR_GDICOMMENT); SAME(emr::kFillRgn, EMR_FILLRGN);
SAME(emr::kFrameRgn, EMR_FRAMERGN); SAME(emr::kInvertRgn, EMR_INVERTRGN); SAME(emr::kPaintRgn, EMR_PAINTRGN);
SAME(emr::kExtSelectClipRgn, EMR_EXTSELECTCLIPRGN); SAME(emr::kBitBlt, EMR_BITBLT);
SAME(emr::kStretchBlt, EMR_STRETCHBLT); SAME(emr::kMaskBlt, EMR_MASKBLT); SAME(emr::kPlgBlt, EMR_PLGBLT);
SAME(emr::kSetDIBitsToDevice, EMR_SETDIBITSTODEVICE); SAME(emr::kStretchDIBits, EMR_STRETCHDIBITS);
SAME(emr::kExtCreateFontIndirectW, EMR_EXTCREATEFONTINDIRECTW); SAME(emr::kExtTextOutA, EMR_EXTTEXTOUTA);
SAME(emr::kExtTextOutW, EMR_EXTTEXTOUTW); SAME(emr::kPolyBezier16, EMR_POLYBEZIER16);
SAME(emr::kPolygon16, EMR_POLYGON16); SAME(emr::kPolyline16, EMR_POLYLINE16);
SAME(emr::kPolyBezierTo16, EMR_POLYBEZIERTO16); SAME(emr::kPolylineTo16, EMR_POLYLINETO16);
SAME(emr::kPolyPolyline16, EMR_POLYPOLYLINE16); SAME(emr::kPolyPolygon16, EMR_POLYPOLYGON16);
SAME(emr::kPolyDraw16, EMR_POLYDRAW16); SAME(emr::kCreateMonoBrush, EMR_CREATEMONOBRUSH);
SAME(emr::kCreateDIBPatternBrushPt, EMR_CREATEDIBPATTERNBRUSHPT); SAME(emr::kExtCreatePen, EMR_EXTCREATEPEN);
SAME(emr::kPolyTextOutA, EMR_POLYTEXTOUTA); SAME(emr::kPolyTextOutW, EMR_POLYTEXTOUTW);
SAME(emr::kSetIcmMode, EMR_SETICMMODE); SAME(emr::kCreateColorSpace, EMR_CREATECOLORSPACE);
SAME(emr::kSetColorSpace, EMR_SETCOLORSPACE); SAME(emr::kDeleteColorSpace, EMR_DELETECOLORSPACE);
SAME(emr::kGlsRecord, EMR_GLSRECORD); SAME(emr::kGlsBoundedRecord, EMR_GLSBOUNDEDRECORD);
SAME(emr::kPixelFormat, EMR_PIXELFORMAT); SAME(emr::kColorCorrectPalette, EMR_COLORCORRECTPALETTE);
SAME(emr::kSetIcmProfileA, EMR_SETICMPROFILEA); SAME(emr::kSetIcmProfileW, EMR_SETICMPROFILEW);
SAME(emr::kAlphaBlend, EMR_ALPHABLEND); SAME(emr::kSetLayout, EMR_SETLAYOUT);
SAME(emr::kTransparentBlt, EMR_TRANSPARENTBLT); SAME(emr::kGradientFill, EMR_GRADIENTFILL);
SAME(emr::kColorMatchToTargetW, EMR_COLORMATCHTOTARGETW); SAME(emr::kCreateColorSpaceW, EMR_CREATECOLORSPACEW);
SAME(emr::kSignature, ENHMETA_SIGNATURE);
SAME(emr::kHeaderMinBytes, offsetof(ENHMETAHEADER, cbPixelFormat));

// The records that carry bitmaps, field by field.
#define FIELDS(fields, Struct, u, ob, cb, obits, cbits)                                        \
  SAME((fields).usage, offsetof(Struct, u)); SAME((fields).offBmi, offsetof(Struct, ob));      \
  SAME((fields).cbBmi, offsetof(Struct, cb)); SAME((fields).offBits, offsetof(Struct, obits)); \
  SAME((fields).cbBits, offsetof(Struct, cbits))
FIELDS(L::kBlitSource, EMRBITBLT, iUsageSrc, offBmiSrc, cbBmiSrc, offBitsSrc, cbBitsSrc);
FIELDS(L::kBlitSource, EMRSTRETCHBLT, iUsageSrc, offBmiSrc, cbBmiSrc, offBitsSrc, cbBitsSrc);
FIELDS(L::kBlitSource, EMRMASKBLT, iUsageSrc, offBmiSrc, cbBmiSrc, offBitsSrc, cbBitsSrc);
FIELDS(L::kBlitSource, EMRALPHABLEND, iUsageSrc, offBmiSrc, cbBmiSrc, offBitsSrc, cbBitsSrc);
FIELDS(L::kBlitSource, EMRTRANSPARENTBLT, iUsageSrc, offBmiSrc, cbBmiSrc, offBitsSrc, cbBitsSrc);
FIELDS(L::kMaskBltMask, EMRMASKBLT, iUsageMask, offBmiMask, cbBmiMask, offBitsMask, cbBitsMask);
FIELDS(L::kPlgBltSource, EMRPLGBLT, iUsageSrc, offBmiSrc, cbBmiSrc, offBitsSrc, cbBitsSrc);
FIELDS(L::kPlgBltMask, EMRPLGBLT, iUsageMask, offBmiMask, cbBmiMask, offBitsMask, cbBitsMask);
FIELDS(L::kSetDIBitsSource, EMRSETDIBITSTODEVICE, iUsageSrc, offBmiSrc, cbBmiSrc, offBitsSrc, cbBitsSrc);
FIELDS(L::kStretchDIBitsSource, EMRSTRETCHDIBITS, iUsageSrc, offBmiSrc, cbBmiSrc, offBitsSrc, cbBitsSrc);
FIELDS(L::kBrushBitmap, EMRCREATEMONOBRUSH, iUsage, offBmi, cbBmi, offBits, cbBits);
FIELDS(L::kBrushBitmap, EMRCREATEDIBPATTERNBRUSHPT, iUsage, offBmi, cbBmi, offBits, cbBits);
#undef FIELDS
SAME(L::kBlitDest, offsetof(EMRBITBLT, xDest)); SAME(L::kBlitRop, offsetof(EMRBITBLT, dwRop));
SAME(L::kBlitSrc, offsetof(EMRBITBLT, xSrc)); SAME(L::kBlitXform, offsetof(EMRBITBLT, xformSrc));
SAME(L::kBitBltBytes, sizeof(EMRBITBLT)); SAME(L::kStretchBltBytes, sizeof(EMRSTRETCHBLT));
SAME(L::kStretchBltSrcSize, offsetof(EMRSTRETCHBLT, cxSrc));
SAME(L::kStretchBltSrcSize, offsetof(EMRALPHABLEND, cxSrc)); SAME(L::kStretchBltBytes, sizeof(EMRALPHABLEND));
SAME(L::kStretchBltSrcSize, offsetof(EMRTRANSPARENTBLT, cxSrc));
SAME(L::kStretchBltBytes, sizeof(EMRTRANSPARENTBLT));
SAME(L::kBlitRop, offsetof(EMRALPHABLEND, dwRop)); SAME(L::kBlitXform, offsetof(EMRMASKBLT, xformSrc));
SAME(L::kMaskBltMaskPoint, offsetof(EMRMASKBLT, xMask)); SAME(L::kMaskBltBytes, sizeof(EMRMASKBLT));
SAME(L::kPlgBltPoints, offsetof(EMRPLGBLT, aptlDest)); SAME(L::kPlgBltSrc, offsetof(EMRPLGBLT, xSrc));
SAME(L::kPlgBltXform, offsetof(EMRPLGBLT, xformSrc)); SAME(L::kPlgBltMaskPoint, offsetof(EMRPLGBLT, xMask));
SAME(L::kPlgBltBytes, sizeof(EMRPLGBLT));
SAME(L::kSetDIBitsDest, offsetof(EMRSETDIBITSTODEVICE, xDest));
SAME(L::kSetDIBitsSrc, offsetof(EMRSETDIBITSTODEVICE, xSrc));
SAME(L::kSetDIBitsStartScan, offsetof(EMRSETDIBITSTODEVICE, iStartScan));
SAME(L::kSetDIBitsScans, offsetof(EMRSETDIBITSTODEVICE, cScans));
SAME(L::kSetDIBitsBytes, sizeof(EMRSETDIBITSTODEVICE));
SAME(L::kStretchDIBitsDest, offsetof(EMRSTRETCHDIBITS, xDest));
SAME(L::kStretchDIBitsSrc, offsetof(EMRSTRETCHDIBITS, xSrc));
SAME(L::kStretchDIBitsRop, offsetof(EMRSTRETCHDIBITS, dwRop));
SAME(L::kStretchDIBitsDestSize, offsetof(EMRSTRETCHDIBITS, cxDest));
SAME(L::kStretchDIBitsBytes, sizeof(EMRSTRETCHDIBITS));
SAME(L::kBrushIndex, offsetof(EMRCREATEDIBPATTERNBRUSHPT, ihBrush));
SAME(L::kBrushBytes, sizeof(EMRCREATEDIBPATTERNBRUSHPT)); SAME(L::kBrushBytes, sizeof(EMRCREATEMONOBRUSH));
SAME(L::kExtPenIndex, offsetof(EMREXTCREATEPEN, ihPen)); SAME(L::kExtPenOffBmi, offsetof(EMREXTCREATEPEN, offBmi));
SAME(L::kExtPenCbBmi, offsetof(EMREXTCREATEPEN, cbBmi)); SAME(L::kExtPenOffBits, offsetof(EMREXTCREATEPEN, offBits));
SAME(L::kExtPenCbBits, offsetof(EMREXTCREATEPEN, cbBits));
// The file holds the 32-bit EXTLOGPEN32 right after cbBits; mingw-w64 declares
// the record with the pointer-sized EXTLOGPEN, which moves it on 64-bit targets.
SAME(L::kExtPenLogPen, offsetof(EMREXTCREATEPEN, cbBits) + sizeof(DWORD));
SAME(L::kExtPenFixedBytes, L::kExtPenLogPen + offsetof(EXTLOGPEN32, elpStyleEntry));
SAME(L::kClipRgnBytes, offsetof(EMREXTSELECTCLIPRGN, cbRgnData));
SAME(L::kClipRgnMode, offsetof(EMREXTSELECTCLIPRGN, iMode));
SAME(L::kClipRgnData, offsetof(EMREXTSELECTCLIPRGN, RgnData));
SAME(L::kClipRgnStructBytes, sizeof(EMREXTSELECTCLIPRGN));

// GDI enumerations and sizes.
SAME(gdi::kMwtIdentity, MWT_IDENTITY); SAME(gdi::kMwtLeftMultiply, MWT_LEFTMULTIPLY); SAME(gdi::kMwtSet, MWT_MAX + 1);
SAME(gdi::kEtoOpaque, ETO_OPAQUE); SAME(gdi::kEtoClipped, ETO_CLIPPED); SAME(gdi::kEtoPdy, ETO_PDY);
SAME(gdi::kBsSolid, BS_SOLID); SAME(gdi::kBsNull, BS_NULL); SAME(gdi::kBsHatched, BS_HATCHED);
SAME(gdi::kBsPattern, BS_PATTERN); SAME(gdi::kBsDibPattern, BS_DIBPATTERN); SAME(gdi::kBsDibPatternPt, BS_DIBPATTERNPT);
SAME(gdi::kHsDiagCross, HS_DIAGCROSS);
SAME(gdi::kRgnDataHeaderBytes, sizeof(RGNDATAHEADER)); SAME(gdi::kRgnDataCount, offsetof(RGNDATAHEADER, nCount));
SAME(gdi::kLogFontWBytes, sizeof(LOGFONTW)); SAME(gdi::kLogFontFaceName, offsetof(LOGFONTW, lfFaceName));
SAME(gdi::kLfFaceSize, LF_FACESIZE);
SAME(gdi::kLogColorSpaceABytes, sizeof(LOGCOLORSPACEA)); SAME(gdi::kLogColorSpaceWBytes, sizeof(LOGCOLORSPACEW));
SAME(gdi::kLogColorSpaceName, offsetof(LOGCOLORSPACEA, lcsFilename)); SAME(gdi::kMaxPath, MAX_PATH);
SAME(gdi::kEscNewFrame, NEWFRAME); SAME(gdi::kEscAbortDoc, ABORTDOC); SAME(gdi::kEscSetAbortProc, SETABORTPROC);
SAME(gdi::kEscStartDoc, STARTDOC); SAME(gdi::kEscEndDoc, ENDDOC); SAME(gdi::kEscGetPhysPageSize, GETPHYSPAGESIZE);
SAME(gdi::kEscGetPrintingOffset, GETPRINTINGOFFSET); SAME(gdi::kEscGetScalingFactor, GETSCALINGFACTOR);
SAME(gdi::kEscMfComment, MFCOMMENT);

// Bitmap headers.
SAME(dib::kCoreHeaderBytes, sizeof(BITMAPCOREHEADER)); SAME(dib::kInfoHeaderBytes, sizeof(BITMAPINFOHEADER));
SAME(dib::kV4HeaderBytes, sizeof(BITMAPV4HEADER)); SAME(dib::kV5HeaderBytes, sizeof(BITMAPV5HEADER));
SAME(dib::kV2HeaderBytes, offsetof(BITMAPV4HEADER, bV4AlphaMask));
SAME(dib::kV3HeaderBytes, offsetof(BITMAPV4HEADER, bV4CSType));
SAME(dib::kMasks, offsetof(BITMAPV4HEADER, bV4RedMask)); SAME(dib::kMaskBytes, 3 * sizeof(DWORD));
SAME(dib::kWidth, offsetof(BITMAPINFOHEADER, biWidth)); SAME(dib::kHeight, offsetof(BITMAPINFOHEADER, biHeight));
SAME(dib::kPlanes, offsetof(BITMAPINFOHEADER, biPlanes)); SAME(dib::kBitCount, offsetof(BITMAPINFOHEADER, biBitCount));
SAME(dib::kCompression, offsetof(BITMAPINFOHEADER, biCompression));
SAME(dib::kSizeImage, offsetof(BITMAPINFOHEADER, biSizeImage));
SAME(dib::kClrUsed, offsetof(BITMAPINFOHEADER, biClrUsed));
SAME(dib::kBiRgb, BI_RGB); SAME(dib::kBiRle8, BI_RLE8); SAME(dib::kBiRle4, BI_RLE4);
SAME(dib::kBiBitfields, BI_BITFIELDS); SAME(dib::kBiJpeg, BI_JPEG); SAME(dib::kBiPng, BI_PNG);
SAME(dib::kRgbColors, DIB_RGB_COLORS); SAME(dib::kPalColors, DIB_PAL_COLORS);

// Windows metafile functions.
SAME(meta::kSaveDC, META_SAVEDC); SAME(meta::kRealizePalette, META_REALIZEPALETTE);
SAME(meta::kSetPalEntries, META_SETPALENTRIES); SAME(meta::kSetBkMode, META_SETBKMODE);
SAME(meta::kSetMapMode, META_SETMAPMODE); SAME(meta::kSetRop2, META_SETROP2); SAME(meta::kSetRelAbs, META_SETRELABS);
SAME(meta::kSetPolyFillMode, META_SETPOLYFILLMODE); SAME(meta::kSetStretchBltMode, META_SETSTRETCHBLTMODE);
SAME(meta::kSetTextCharExtra, META_SETTEXTCHAREXTRA); SAME(meta::kRestoreDC, META_RESTOREDC);
SAME(meta::kInvertRegion, META_INVERTREGION); SAME(meta::kPaintRegion, META_PAINTREGION);
SAME(meta::kSelectClipRegion, META_SELECTCLIPREGION); SAME(meta::kSelectObject, META_SELECTOBJECT);
SAME(meta::kSetTextAlign, META_SETTEXTALIGN); SAME(meta::kResizePalette, META_RESIZEPALETTE);
SAME(meta::kDibCreatePatternBrush, META_DIBCREATEPATTERNBRUSH); SAME(meta::kDeleteObject, META_DELETEOBJECT);
SAME(meta::kCreatePatternBrush, META_CREATEPATTERNBRUSH); SAME(meta::kSetBkColor, META_SETBKCOLOR);
SAME(meta::kSetTextColor, META_SETTEXTCOLOR); SAME(meta::kSetTextJustification, META_SETTEXTJUSTIFICATION);
SAME(meta::kSetWindowOrg, META_SETWINDOWORG); SAME(meta::kSetWindowExt, META_SETWINDOWEXT);
SAME(meta::kSetViewportOrg, META_SETVIEWPORTORG); SAME(meta::kSetViewportExt, META_SETVIEWPORTEXT);
SAME(meta::kOffsetWindowOrg, META_OFFSETWINDOWORG); SAME(meta::kOffsetViewportOrg, META_OFFSETVIEWPORTORG);
SAME(meta::kLineTo, META_LINETO); SAME(meta::kMoveTo, META_MOVETO); SAME(meta::kOffsetClipRgn, META_OFFSETCLIPRGN);
SAME(meta::kFillRegion, META_FILLREGION); SAME(meta::kSetMapperFlags, META_SETMAPPERFLAGS);
SAME(meta::kSelectPalette, META_SELECTPALETTE); SAME(meta::kCreatePenIndirect, META_CREATEPENINDIRECT);
SAME(meta::kCreateFontIndirect, META_CREATEFONTINDIRECT);
SAME(meta::kCreateBrushIndirect, META_CREATEBRUSHINDIRECT); SAME(meta::kPolygon, META_POLYGON);
SAME(meta::kPolyline, META_POLYLINE); SAME(meta::kScaleWindowExt, META_SCALEWINDOWEXT);
SAME(meta::kScaleViewportExt, META_SCALEVIEWPORTEXT); SAME(meta::kExcludeClipRect, META_EXCLUDECLIPRECT);
SAME(meta::kIntersectClipRect, META_INTERSECTCLIPRECT); SAME(meta::kEllipse, META_ELLIPSE);
SAME(meta::kFloodFill, META_FLOODFILL); SAME(meta::kRectangle, META_RECTANGLE); SAME(meta::kSetPixel, META_SETPIXEL);
SAME(meta::kFrameRegion, META_FRAMEREGION); SAME(meta::kAnimatePalette, META_ANIMATEPALETTE);
SAME(meta::kTextOut, META_TEXTOUT); SAME(meta::kPolyPolygon, META_POLYPOLYGON);
SAME(meta::kExtFloodFill, META_EXTFLOODFILL); SAME(meta::kRoundRect, META_ROUNDRECT); SAME(meta::kPatBlt, META_PATBLT);
SAME(meta::kEscape, META_ESCAPE); SAME(meta::kCreateRegion, META_CREATEREGION); SAME(meta::kArc, META_ARC);
SAME(meta::kPie, META_PIE); SAME(meta::kChord, META_CHORD); SAME(meta::kBitBlt, META_BITBLT);
SAME(meta::kDibBitBlt, META_DIBBITBLT); SAME(meta::kExtTextOut, META_EXTTEXTOUT);
SAME(meta::kStretchBlt, META_STRETCHBLT); SAME(meta::kDibStretchBlt, META_DIBSTRETCHBLT);
SAME(meta::kSetDibToDev, META_SETDIBTODEV); SAME(meta::kStretchDib, META_STRETCHDIB);
SAME(meta::kCreatePalette, META_CREATEPALETTE);

#undef SAME

}  // namespace
