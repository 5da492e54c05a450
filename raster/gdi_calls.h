// The GDI calls through which the display routine reaches a device. Tests swap
// the table to count calls or to play a device that refuses an operation (a
// raster printer without DIB stretching, say), which no display offers.
#pragma once
#include <windows.h>

namespace raster {

struct GdiCalls {
  decltype(&::GetDeviceCaps) getDeviceCaps = ::GetDeviceCaps;
  decltype(&::StretchDIBits) stretchDIBits = ::StretchDIBits;
  decltype(&::SetDIBitsToDevice) setDIBitsToDevice = ::SetDIBitsToDevice;
  decltype(&::CreateCompatibleBitmap) createCompatibleBitmap = ::CreateCompatibleBitmap;
  decltype(&::SetDIBits) setDIBits = ::SetDIBits;
  decltype(&::StretchBlt) stretchBlt = ::StretchBlt;
};

// The table in use.
const GdiCalls& Gdi();

// Installs `calls` while it lives.
class ScopedGdiCalls {
 public:
  explicit ScopedGdiCalls(const GdiCalls& calls);
  ~ScopedGdiCalls();
  ScopedGdiCalls(const ScopedGdiCalls&) = delete;
  ScopedGdiCalls& operator=(const ScopedGdiCalls&) = delete;

 private:
  GdiCalls previous_;
};

// What the last call of a row routine did: source rows copied into the row
// buffer and rows handed to the device.
struct RowDrawStats {
  long long rowsCopied = 0;
  long long rowsSent = 0;
};
RowDrawStats& LastRowDrawStats();

}  // namespace raster
