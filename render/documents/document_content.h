// What a built-in document object shows: an extent and a way to draw it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace documents {

// Failure code for content that is structurally not what its type promises.
inline constexpr HRESULT kInvalidContent = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
// Failure code for a page the document does not have (E_BOUNDS, which not
// every SDK's headers define).
inline constexpr HRESULT kNoSuchPage = static_cast<HRESULT>(0x8000000BL);

class DocumentContent {
 public:
  virtual ~DocumentContent() = default;
  // The content's natural size in HIMETRIC (0.01 mm); both axes positive.
  virtual SIZEL Extent() const = 0;
  // Draws the whole content scaled into bounds (logical units of dc), clipped to
  // bounds. Must leave the DC's state as it found it.
  virtual void Draw(HDC dc, const RECT& bounds) const = 0;
  virtual int32_t PageCount() const { return 1; }
  // Shows page `index` (from 0) from now on; on failure the shown page stays
  // and `reason` says why.
  virtual HRESULT ShowPage(int32_t index, std::wstring& reason) {
    if (index == 0) return S_OK;
    reason = L"the document has one page";
    return kNoSuchPage;
  }
};

}  // namespace documents
