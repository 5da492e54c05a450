#include "render/documents/text_content.h"

#include <algorithm>

#include "toolkit/handles.h"
#include "render/documents/import_reason.h"
#include "render/documents/text_decoder.h"

namespace documents {

namespace page = core::page;

HRESULT TextContent::FromBytes(const std::vector<uint8_t>& bytes, std::unique_ptr<DocumentContent>& out,
                               std::wstring* reason) {
  const auto text = DecodeText(bytes);
  if (!text) {
    if (reason) *reason = Refusal("the file is not text: it holds a NUL character, malformed UTF-8 or UTF-16");
    return kInvalidContent;
  }
  core::TextLayout layout;
  if (!core::LayoutText(*text, layout)) return E_OUTOFMEMORY;
  out.reset(new TextContent(std::move(layout)));
  return S_OK;
}

namespace {

// Below this many pixels per em, glyphs turn into noise or vanish; each run of
// characters is shown as a grey bar instead, so a small preview still shows
// where the text is.
constexpr int32_t kGreekBelowEm = 5;

// A run of non-blank cells of a line, as a bar from about the x-height to the
// baseline, placed from the full rectangle like the glyphs.
void DrawGreekedLine(HDC dc, const PageMapping& map, const std::wstring& line, int64_t lineTop, HBRUSH brush) {
  const int32_t top = map.Y(lineTop + page::kBaseline - page::kFontHeight / 2);
  const int32_t bottom = std::max(map.Y(lineTop + page::kBaseline), top + 1);
  int64_t column = 0, runStart = -1;
  auto flush = [&](int64_t end) {
    if (runStart < 0) return;
    RECT bar{map.X(page::kMargin + runStart * page::kCellWidth), top,
             map.X(page::kMargin + end * page::kCellWidth), bottom};
    if (bar.right <= bar.left) bar.right = bar.left + 1;
    FillRect(dc, &bar, brush);
    runStart = -1;
  };
  for (size_t k = 0; k < line.size(); ++k) {
    if (k + 1 < line.size() && line[k + 1] >= 0xDC00 && line[k + 1] <= 0xDFFF) continue;
    if (line[k] == L' ') {
      flush(column);
    } else if (runStart < 0) {
      runStart = column;
    }
    ++column;
  }
  flush(column);
}

}  // namespace

void TextContent::Draw(HDC dc, const RECT& bounds) const {
  const PageMapping map{bounds, layout_.pageHeight};
  tk::SavedDC saved(dc);
  IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
  FillRect(dc, &bounds, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));  // the paper
  const int32_t em = map.Y(page::kFontHeight) - map.Y(0);
  const int32_t cell = map.X(page::kCellWidth) - map.X(0);
  RECT clip{};
  if (GetClipBox(dc, &clip) == ERROR) return;
  // Only lines near the clip box: a tall page drawn in strips touches few lines
  // per strip. A line's glyphs stay within one line height of its baseline.
  const int64_t h = int64_t(bounds.bottom) - bounds.top;
  if (h <= 0) return;
  const int64_t top = (int64_t(clip.top) - bounds.top) * layout_.pageHeight / h - page::kMargin;
  const int64_t bottom = (int64_t(clip.bottom) - bounds.top) * layout_.pageHeight / h - page::kMargin;
  const int64_t count = static_cast<int64_t>(layout_.lines.size());
  const int64_t first = std::clamp<int64_t>(top / page::kLineHeight - 1, 0, count);
  const int64_t last = std::clamp<int64_t>(bottom / page::kLineHeight + 2, 0, count);

  if (em < kGreekBelowEm || cell < 1) {
    tk::GdiBrush grey(CreateSolidBrush(RGB(176, 176, 176)));
    for (int64_t i = first; i < last; ++i)
      DrawGreekedLine(dc, map, layout_.lines[size_t(i)], page::kMargin + i * page::kLineHeight, grey.get());
    return;
  }
  tk::GdiFont font(CreateFontW(-em, cell, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                              FIXED_PITCH | FF_MODERN, L"Courier New"));
  if (!font) return;
  tk::SelectedObject selected(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
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
