#include "tests/support/pixels.h"

namespace testsupport {

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

COLORREF Snapshot::At(int x, int y) const {
  const uint32_t p = pixels[static_cast<size_t>(y) * width + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int Snapshot::CountInRow(int y, int x0, int x1, COLORREF c) const {
  int n = 0;
  for (int x = x0; x < x1; ++x) n += At(x, y) == c;
  return n;
}

Snapshot CaptureClient(HWND hwnd) {
  Snapshot s;
  RECT rc;
  GetClientRect(hwnd, &rc);
  s.width = rc.right;
  s.height = rc.bottom;
  if (s.width <= 0 || s.height <= 0) return s;
  s.pixels.assign(static_cast<size_t>(s.width) * s.height, 0);
  HDC wdc = GetDC(hwnd);
  HDC mdc = CreateCompatibleDC(wdc);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = s.width;
  bi.bmiHeader.biHeight = -s.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(wdc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mdc, bmp);
  BitBlt(mdc, 0, 0, s.width, s.height, wdc, 0, 0, SRCCOPY);
  GdiFlush();
  memcpy(s.pixels.data(), bits, s.pixels.size() * 4);
  SelectObject(mdc, old);
  DeleteObject(bmp);
  DeleteDC(mdc);
  ReleaseDC(hwnd, wdc);
  return s;
}

DibCanvas::DibCanvas(int width, int height, COLORREF fill) : w_(width), h_(height) {
  stride_ = ((width * 24 + 31) / 32) * 4;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  bmp_ = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  dc_ = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  old_ = SelectObject(dc_, bmp_);
  bits_ = static_cast<uint8_t*>(bits);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t* p = bits_ + static_cast<size_t>(y) * stride_ + 3 * x;
      p[0] = GetBValue(fill);
      p[1] = GetGValue(fill);
      p[2] = GetRValue(fill);
    }
}

DibCanvas::~DibCanvas() {
  SelectObject(dc_, old_);
  DeleteDC(dc_);
  DeleteObject(bmp_);
}

COLORREF DibCanvas::At(int x, int y) const {
  GdiFlush();
  const uint8_t* p = Row(y) + 3 * x;
  return RGB(p[2], p[1], p[0]);
}

const uint8_t* DibCanvas::Row(int y) const {
  GdiFlush();
  return bits_ + static_cast<size_t>(y) * stride_;
}

}  // namespace testsupport
