// Timings behind two choices of the raster code, printed, never asserted:
//  1. strip images: recycled (re-zeroed) pixel memory against fresh pages;
//  2. painting a 10000 x 14000 picture at 1:1 into a window-sized DC.
//   raster_bench [strips]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "raster/draw_dib.h"
#include "raster/gdi_calls.h"
#include "raster/owned_dib.h"

namespace {

double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// A strip as the renderer uses it: created, filled whole, released.
double StripsFromTheLibrary(int strips, int width) {
  const double t0 = Now();
  for (int i = 0; i < strips; ++i) {
    raster::OwnedDib strip = raster::OwnedDib::New(width, 500, 24);
    if (!strip) return -1;
    std::memset(strip.get().Bits, i & 255, strip.get().Info->bmiHeader.biSizeImage);
  }
  return Now() - t0;
}

double StripsFromFreshPages(int strips, int width) {
  const size_t bytes = static_cast<size_t>((width * 3 + 3) / 4 * 4) * 500;
  const double t0 = Now();
  for (int i = 0; i < strips; ++i) {
    void* p = VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!p) return -1;
    std::memset(p, i & 255, bytes);
    VirtualFree(p, 0, MEM_RELEASE);
  }
  return Now() - t0;
}

double ZeroingOnly(int strips, int width) {
  raster::OwnedDib strip = raster::OwnedDib::New(width, 500, 24);
  if (!strip) return -1;
  const double t0 = Now();
  for (int i = 0; i < strips; ++i) std::memset(strip.get().Bits, 0, strip.get().Info->bmiHeader.biSizeImage);
  return Now() - t0;
}

int g_rowsSent = 0;
int WINAPI CountingSetDIBitsToDevice(HDC dc, int x, int y, DWORD w, DWORD h, int sx, int sy, UINT s, UINT n,
                                     const void* bits, const BITMAPINFO* info, UINT usage) {
  ++g_rowsSent;
  return SetDIBitsToDevice(dc, x, y, w, h, sx, sy, s, n, bits, info, usage);
}

// Median of five repaints of `pic` at 1:1 into an 800 x 600 surface, scrolled to (x, y).
double RepaintMs(HDC mem, const TDibImage& pic, int x, int y) {
  double times[5];
  for (double& t : times) {
    g_rowsSent = 0;
    const double t0 = Now();
    const int w = DIBWidth(pic), h = DIBHeight(pic);
    DrawDIB(mem, -x, -y, w, h, pic, 0, 0, w, h, true, SRCCOPY, true, nullptr);
    GdiFlush();
    t = (Now() - t0) * 1000;
  }
  std::sort(times, times + 5);
  return times[2];
}

// The bordered 10000 x 14142 picture (11000 x 15556) against a picture of the
// view's own size, both painted into an 800 x 600 view.
void PaintBigPicture() {
  raster::OwnedDib big = raster::OwnedDib::New(11000, 15556, 24);
  raster::OwnedDib small = raster::OwnedDib::New(800, 600, 24);
  if (!big || !small) {
    std::printf("paint: could not allocate the pictures\n");
    return;
  }
  std::memset(big.get().Bits, 0x80, big.get().Info->bmiHeader.biSizeImage);
  std::memset(small.get().Bits, 0x40, small.get().Info->bmiHeader.biSizeImage);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 800, 600);
  HGDIOBJ old = SelectObject(mem, bmp);
  raster::GdiCalls calls;
  calls.setDIBitsToDevice = CountingSetDIBitsToDevice;
  raster::ScopedGdiCalls counting(calls);
  const double own = RepaintMs(mem, small.get(), 0, 0);
  const int ownCalls = g_rowsSent;
  std::printf("paint 800x600 picture into 800x600 view: %7.2f ms, %d device calls\n", own, ownCalls);
  for (auto [x, y] : {std::pair{0, 0}, {5000, 7000}, {10200, 14956}}) {
    const double ms = RepaintMs(mem, big.get(), x, y);
    std::printf("paint 11000x15556 picture scrolled to (%5d,%5d): %7.2f ms, %d device calls, %.2fx the view-sized picture\n",
                x, y, ms, g_rowsSent, ms / own);
  }
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
}

}  // namespace

int main(int argc, char** argv) {
  const int strips = argc > 1 ? std::atoi(argv[1]) : 20;
  const int width = 30000;
  const double mb = strips * (width * 3.0 * 500) / (1 << 20);
  const double lib = StripsFromTheLibrary(strips, width);
  const double fresh = StripsFromFreshPages(strips, width);
  const double zero = ZeroingOnly(strips, width);
  std::printf("%d strips of %d x 500 (%.0f MB in all)\n", strips, width, mb);
  std::printf("  library (recycled, re-zeroed): %7.1f ms\n", lib * 1000);
  std::printf("  fresh pages each strip:        %7.1f ms\n", fresh * 1000);
  std::printf("  re-zeroing alone:              %7.1f ms\n", zero * 1000);
  PaintBigPicture();
  return 0;
}
