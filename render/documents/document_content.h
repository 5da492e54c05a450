// What a built-in document object shows: an extent and a way to draw it.
#pragma once
#include <windows.h>

namespace documents {

class DocumentContent {
 public:
  virtual ~DocumentContent() = default;
  // The content's natural size in HIMETRIC (0.01 mm); both axes positive.
  virtual SIZEL Extent() const = 0;
  // Draws the whole content scaled into bounds (logical units of dc), clipped to
  // bounds. Must leave the DC's state as it found it.
  virtual void Draw(HDC dc, const RECT& bounds) const = 0;
};

// Failure code for content that is structurally not what its type promises.
inline constexpr HRESULT kInvalidContent = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);

}  // namespace documents
