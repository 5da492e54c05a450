// Reading back what was drawn, for pixel-exact tests.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace testsupport {

// Dispatches every pending message of this thread.
void PumpMessages();

// A 32-bit top-down snapshot of a window's client area, read from its DC.
struct Snapshot {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB
  COLORREF At(int x, int y) const;  // as a COLORREF (0x00BBGGRR)
  // Number of pixels of colour c in row y between x0 (inclusive) and x1 (exclusive).
  int CountInRow(int y, int x0, int x1, COLORREF c) const;
};
Snapshot CaptureClient(HWND hwnd);

// A 24-bit top-down DIB section with its own memory DC, for drawing tests.
class DibCanvas {
 public:
  DibCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255));
  ~DibCanvas();
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;
  HDC dc() const { return dc_; }
  int width() const { return w_; }
  int height() const { return h_; }
  COLORREF At(int x, int y) const;
  const uint8_t* Row(int y) const;  // top-down, 3 bytes per pixel (B, G, R)
  int stride() const { return stride_; }
 private:
  int w_, h_, stride_;
  HDC dc_ = nullptr;
  HBITMAP bmp_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint8_t* bits_ = nullptr;
};

}  // namespace testsupport
