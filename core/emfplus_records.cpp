#include "core/emfplus_records.h"

#include <iterator>

namespace core {

const char* EmfPlusRecordName(uint16_t type) {
  static const char* const kNames[] = {
      "EmfPlusHeader", "EmfPlusEndOfFile", "EmfPlusComment", "EmfPlusGetDC", "EmfPlusMultiFormatStart",
      "EmfPlusMultiFormatSection", "EmfPlusMultiFormatEnd", "EmfPlusObject", "EmfPlusClear",
      "EmfPlusFillRects", "EmfPlusDrawRects", "EmfPlusFillPolygon", "EmfPlusDrawLines", "EmfPlusFillEllipse",
      "EmfPlusDrawEllipse", "EmfPlusFillPie", "EmfPlusDrawPie", "EmfPlusDrawArc", "EmfPlusFillRegion",
      "EmfPlusFillPath", "EmfPlusDrawPath", "EmfPlusFillClosedCurve", "EmfPlusDrawClosedCurve",
      "EmfPlusDrawCurve", "EmfPlusDrawBeziers", "EmfPlusDrawImage", "EmfPlusDrawImagePoints",
      "EmfPlusDrawString", "EmfPlusSetRenderingOrigin", "EmfPlusSetAntiAliasMode",
      "EmfPlusSetTextRenderingHint", "EmfPlusSetTextContrast", "EmfPlusSetInterpolationMode",
      "EmfPlusSetPixelOffsetMode", "EmfPlusSetCompositingMode", "EmfPlusSetCompositingQuality", "EmfPlusSave",
      "EmfPlusRestore", "EmfPlusBeginContainer", "EmfPlusBeginContainerNoParams", "EmfPlusEndContainer",
      "EmfPlusSetWorldTransform", "EmfPlusResetWorldTransform", "EmfPlusMultiplyWorldTransform",
      "EmfPlusTranslateWorldTransform", "EmfPlusScaleWorldTransform", "EmfPlusRotateWorldTransform",
      "EmfPlusSetPageTransform", "EmfPlusResetClip", "EmfPlusSetClipRect", "EmfPlusSetClipPath",
      "EmfPlusSetClipRegion", "EmfPlusOffsetClip", "EmfPlusDrawDriverString", "EmfPlusStrokeFillPath",
      "EmfPlusSerializableObject", "EmfPlusSetTSGraphics", "EmfPlusSetTSClip"};
  static_assert(std::size(kNames) == emfplus::kLastRecord - emfplus::kFirstRecord + 1);
  if (type < emfplus::kFirstRecord || type > emfplus::kLastRecord) return nullptr;
  return kNames[type - emfplus::kFirstRecord];
}

bool IsEmfPlusDrawingRecord(uint16_t type) {
  return (type >= emfplus::kObject && type <= emfplus::kDrawString) || type == emfplus::kDrawDriverString ||
         type == emfplus::kStrokeFillPath;
}

}  // namespace core
