#include "app/tab_images.h"

namespace app {
namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);

void Box(HDC dc, int l, int t, int r, int b, COLORREF fill, COLORREF edge) {
  tk::GdiBrush brush(::CreateSolidBrush(fill));
  tk::GdiPen pen(::CreatePen(PS_SOLID, 1, edge));
  tk::SelectedObject sb(dc, brush.get()), sp(dc, pen.get());
  ::Rectangle(dc, l, t, r, b);
}

void Folder(HDC dc, int x) {
  Box(dc, x + 1, x == 0 ? 3 : 3, x + 8, 6, RGB(255, 220, 120), RGB(128, 96, 0));
  Box(dc, x + 1, 5, x + 15, 14, RGB(255, 208, 80), RGB(128, 96, 0));
}

void Printer(HDC dc, int x) {
  Box(dc, x + 4, 1, x + 12, 7, RGB(255, 255, 255), RGB(64, 64, 64));
  Box(dc, x + 1, 6, x + 15, 12, RGB(192, 192, 192), RGB(64, 64, 64));
  Box(dc, x + 4, 10, x + 12, 15, RGB(255, 255, 255), RGB(64, 64, 64));
}

void Frame(HDC dc, int x) {
  Box(dc, x + 1, 2, x + 15, 14, RGB(240, 202, 166), RGB(0, 0, 128));
  Box(dc, x + 4, 5, x + 12, 11, RGB(255, 255, 255), RGB(0, 0, 128));
}

}  // namespace

tk::ImageList MakeTabImages() {
  tk::ImageList list(::ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 3, 0));
  if (!list) return list;
  HDC screen = ::GetDC(nullptr);
  tk::MemoryDC dc(::CreateCompatibleDC(screen));
  tk::GdiBitmap strip(::CreateCompatibleBitmap(screen, 48, 16));
  ::ReleaseDC(nullptr, screen);
  {
    tk::SelectedObject sel(dc.get(), strip.get());
    RECT all{0, 0, 48, 16};
    tk::GdiBrush key(::CreateSolidBrush(kKey));
    ::FillRect(dc.get(), &all, key.get());
    Folder(dc.get(), 0);
    Printer(dc.get(), 16);
    Frame(dc.get(), 32);
  }
  ::ImageList_AddMasked(list.get(), strip.get(), kKey);
  return list;
}

}  // namespace app
