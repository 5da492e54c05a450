// Shared helpers of the display routine's tests: patterned images and a GDI
// call table that counts calls and can play a device refusing an operation.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <array>

#include "raster/dib.h"
#include "raster/gdi_calls.h"
#include "raster/owned_dib.h"
#include "tests/support/pictures.h"

namespace rastertest {

// A colour that differs between neighbouring pixels and rows.
inline COLORREF Pattern(int x, int yTop) {
  return RGB((x * 37 + yTop * 11) & 255, ((x * 5 + 90) ^ (yTop * 3)) & 255, (yTop * 29 + x) & 255);
}

// A 24-bit image whose pixel x, y (from the top) is Pattern(x, y).
inline raster::OwnedDib PatternImage(int w, int h) { return testsupport::MakePicture(w, h, Pattern); }

// Forwards to the real calls unless told to play a refusing device; counts.
struct FakeDevice {
  static inline int technology = -1;  // -1: the DC's own answer
  static inline int rasterCaps = -1;
  static inline bool refuseStretchDIBits = false, refuseSetDIBitsToDevice = false,
                     refuseCompatibleBitmap = false, refuseSetDIBits = false, refuseStretchBlt = false;
  static inline int stretchDIBitsCalls = 0, setDIBitsToDeviceCalls = 0, stretchBltCalls = 0;
  static inline DWORD lastRop = 0;
  static inline std::array<int, 8> lastStretch{};  // dest x, y, w, h, src x, y, w, h
  static inline int lastStretchBits = 0;           // bit count of the DIB stretched last
  static inline HPALETTE paletteAtDraw = nullptr;

  static void Reset() {
    technology = rasterCaps = -1;
    refuseStretchDIBits = refuseSetDIBitsToDevice = refuseCompatibleBitmap = refuseSetDIBits =
        refuseStretchBlt = false;
    stretchDIBitsCalls = setDIBitsToDeviceCalls = stretchBltCalls = 0;
    lastRop = 0;
    lastStretch = {};
    lastStretchBits = 0;
    paletteAtDraw = nullptr;
  }

  static int WINAPI Caps(HDC dc, int index) {
    if (index == TECHNOLOGY && technology >= 0) return technology;
    if (index == RASTERCAPS && rasterCaps >= 0) return rasterCaps;
    return GetDeviceCaps(dc, index);
  }
  static int WINAPI Stretch(HDC dc, int x, int y, int w, int h, int sx, int sy, int sw, int sh, const void* bits,
                            const BITMAPINFO* info, UINT usage, DWORD rop) {
    ++stretchDIBitsCalls;
    lastRop = rop;
    lastStretch = {x, y, w, h, sx, sy, sw, sh};
    lastStretchBits = info->bmiHeader.biBitCount;
    paletteAtDraw = static_cast<HPALETTE>(GetCurrentObject(dc, OBJ_PAL));
    if (refuseStretchDIBits) return static_cast<int>(GDI_ERROR);
    return StretchDIBits(dc, x, y, w, h, sx, sy, sw, sh, bits, info, usage, rop);
  }
  static int WINAPI ToDevice(HDC dc, int x, int y, DWORD w, DWORD h, int sx, int sy, UINT start, UINT lines,
                             const void* bits, const BITMAPINFO* info, UINT usage) {
    ++setDIBitsToDeviceCalls;
    paletteAtDraw = static_cast<HPALETTE>(GetCurrentObject(dc, OBJ_PAL));
    if (refuseSetDIBitsToDevice) return 0;
    return SetDIBitsToDevice(dc, x, y, w, h, sx, sy, start, lines, bits, info, usage);
  }
  static HBITMAP WINAPI Compatible(HDC dc, int w, int h) {
    return refuseCompatibleBitmap ? nullptr : CreateCompatibleBitmap(dc, w, h);
  }
  static int WINAPI ToBitmap(HDC dc, HBITMAP b, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
                             UINT usage) {
    return refuseSetDIBits ? 0 : SetDIBits(dc, b, start, lines, bits, info, usage);
  }
  static BOOL WINAPI Blt(HDC dc, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWORD rop) {
    ++stretchBltCalls;
    lastRop = rop;
    return refuseStretchBlt ? FALSE : StretchBlt(dc, x, y, w, h, src, sx, sy, sw, sh, rop);
  }
  static raster::GdiCalls Calls() {
    raster::GdiCalls c;
    c.getDeviceCaps = Caps;
    c.stretchDIBits = Stretch;
    c.setDIBitsToDevice = ToDevice;
    c.createCompatibleBitmap = Compatible;
    c.setDIBits = ToBitmap;
    c.stretchBlt = Blt;
    return c;
  }
};

// Base fixture: the fake device installed and reset, live images checked.
class DrawFixture : public testing::Test {
 protected:
  DrawFixture() : calls_(FakeDevice::Calls()) {}
  void SetUp() override {
    FakeDevice::Reset();
    live_ = PictrixLiveImages();
  }
  void TearDown() override {
    PictrixFailAllocationAfter(-1);
    EXPECT_EQ(PictrixLiveImages(), live_) << "an image was not released";
  }
  int live_ = 0;

 private:
  raster::ScopedGdiCalls calls_;
};

}  // namespace rastertest
