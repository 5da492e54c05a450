#include "controls/stock_kinds.h"

#include <array>

#include "controls/stock_ids.h"
#include "toolkit/form.h"
#include "toolkit/handles.h"

namespace controls {
namespace {

constexpr StockKind kKinds[] = {
    {IDS_STOCK_OK, L"BBOKX", tk::mrOk, true, false},
    {IDS_STOCK_CANCEL, L"BBCANCELX", tk::mrCancel, false, true},
    {IDS_STOCK_HELP, L"BBHELPX", tk::mrNone, false, false},
    {IDS_STOCK_YES, L"BBYESX", tk::mrYes, true, false},
    {IDS_STOCK_NO, L"BBNOX", tk::mrNo, false, true},
    {IDS_STOCK_CLOSE, L"BBCLOSEX", tk::mrNone, false, false},
    {IDS_STOCK_ABORT, L"BBABORTX", tk::mrAbort, false, false},
    {IDS_STOCK_RETRY, L"BBRETRYX", tk::mrRetry, false, false},
    {IDS_STOCK_IGNORE, L"BBIGNOREX", tk::mrIgnore, false, false},
    {IDS_STOCK_ALL, L"BBALLX", tk::mrAll, false, false},
};

}  // namespace

const StockKind* StockKindOf(TBitBtnXPKind kind) {
  const int i = static_cast<int>(kind);
  return i >= 1 && i <= static_cast<int>(std::size(kKinds)) ? &kKinds[i - 1] : nullptr;
}

std::wstring StockCaption(TBitBtnXPKind kind) {
  const StockKind* k = StockKindOf(kind);
  if (!k) return {};
  const wchar_t* text = nullptr;
  // With a length of 0 the call hands out a read-only pointer into the resource.
  const int n = ::LoadStringW(::GetModuleHandleW(nullptr), static_cast<UINT>(k->captionId),
                              reinterpret_cast<wchar_t*>(&text), 0);
  return n > 0 && text ? std::wstring(text, static_cast<size_t>(n)) : std::wstring();
}

const GlyphBitmap& StockGlyph(TBitBtnXPKind kind) {
  // Eleven entries, one per kind, filled on first use.
  static std::array<GlyphBitmap, 11> glyphs;
  static std::array<bool, 11> loaded{};
  const int i = static_cast<int>(kind);
  const StockKind* k = StockKindOf(kind);
  if (k && !loaded[i]) {
    loaded[i] = true;
    tk::GdiBitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageW(::GetModuleHandleW(nullptr), k->glyphName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    glyphs[i] = GlyphBitmap::FromHandle(bitmap.get());
  }
  return glyphs[i];
}

}  // namespace controls
