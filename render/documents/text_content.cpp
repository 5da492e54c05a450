#include "render/documents/text_content.h"

#include <algorithm>

#include "render/documents/gdi_handles.h"
#include "render/documents/text_decoder.h"

namespace documents {

HRESULT TextContent::FromBytes(const std::vector<uint8_t>& bytes,
                               std::unique_ptr<DocumentContent>& out) {
  const auto text = DecodeText(bytes);
  if (!text) return kInvalidContent;
  TextLayout layout;
  if (!LayoutText(*text, layout)) return E_OUTOFMEMORY;
  out.reset(new TextContent(std::move(layout)));
  return S_OK;
}

void TextContent::Draw(HDC dc, const RECT& bounds) const {
  const PageMapping map{bounds, layout_.pageHeight};
  SavedDcState saved(dc);
  IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
  FillRect(dc, &bounds, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));  // the paper
  const int32_t em = map.Y(page::kFontHeight) - map.Y(0);
  const int32_t cell = map.X(page::kCellWidth) - map.X(0);
  if (em < 1 || cell < 1) return;  // too small for any glyph to show
  UniqueFont font(CreateFontW(-em, cell, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                              FIXED_PITCH | FF_MODERN, L"Courier New"));
  if (!font) return;
  SelectedObject selected(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  RECT clip{};
  if (GetClipBox(dc, &clip) == ERROR) return;
  // Only lines near the clip box: a tall page drawn in strips touches few lines
  // per strip. A line's glyphs stay within one line height of its baseline.
  const int64_t h = int64_t(bounds.bottom) - bounds.top;
  const int64_t top = (int64_t(clip.top) - bounds.top) * layout_.pageHeight / h - page::kMargin;
  const int64_t bottom = (int64_t(clip.bottom) - bounds.top) * layout_.pageHeight / h - page::kMargin;
  const int64_t count = static_cast<int64_t>(layout_.lines.size());
  const int64_t first = std::clamp<int64_t>(top / page::kLineHeight - 1, 0, count);
  const int64_t last = std::clamp<int64_t>(bottom / page::kLineHeight + 2, 0, count);
  std::vector<INT> dx;
  for (int64_t i = first; i < last; ++i) {
    const std::wstring& line = layout_.lines[size_t(i)];
    if (line.empty()) continue;
    const int64_t lineTop = page::kMargin + i * page::kLineHeight;
    // Every character sits on its own cell, placed from the full rectangle.
    dx.assign(line.size(), 0);
    int64_t column = 0;
    for (size_t k = 0; k < line.size(); ++k) {
      if (k + 1 < line.size() && line[k + 1] >= 0xDC00 && line[k + 1] <= 0xDFFF) continue;
      dx[k] = map.X(page::kMargin + (column + 1) * page::kCellWidth) -
              map.X(page::kMargin + column * page::kCellWidth);
      ++column;
    }
    ExtTextOutW(dc, map.X(page::kMargin), map.Y(lineTop + page::kBaseline), 0, nullptr,
                line.c_str(), static_cast<UINT>(line.size()), dx.data());
  }
}

}  // namespace documents
