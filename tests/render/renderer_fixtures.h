// Shared helpers of the strip renderer tests: a GDI drawing of our own, a
// recording renderer context, pixel comparisons against a one-pass drawing.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "raster/owned_dib.h"
#include "render/renderer/strip_renderer.h"
#include "tests/support/modal_recorder.h"
#include "tests/support/pixels.h"
#include "toolkit/handles.h"

namespace renderertest {

// Lines, ellipses, a polygon and filled rectangles scaled into the rectangle,
// in several colours; no text, so it draws the same on every machine.
void DrawShapes(HDC dc, int left, int top, int width, int height);

// One DrawDocument call as the renderer made it.
struct DrawCall {
  int left, top, width, height;
  int stripWidth, stripRows;  // of the bitmap selected into the DC
  HDC dc;
  HBITMAP bitmap;
};

// A renderer context that records progress, messages and draw calls, with the
// screen as reference DC.
class Harness {
 public:
  explicit Harness(render::DocumentDrawer drawer = DrawShapes);
  render::RenderContext Context();

  std::vector<int> progress;
  std::vector<DrawCall> draws;
  testsupport::ScopedRecorder modal;

 private:
  render::DocumentDrawer drawer_;
  tk::WindowDC screen_{nullptr};
};

// Bytes b, g, r of target pixel (x, y), y counted from the top.
const uint8_t* PixelAt(const TDibImage& image, int x, int y);

// Calls `row` for each row y (from the top) of the picture inside the frame
// with the same row of the drawer's one-pass drawing into a white, bottom-up
// W x H DIB; false when that DIB could not be made.
using RowPair = std::function<void(int y, const uint8_t* onePass, const uint8_t* picture)>;
bool CompareWithOnePass(const TDibImage& target, const render::RenderSettings& s,
                        const render::DocumentDrawer& drawer, const RowPair& row);

// Rows (from the top of the picture) where the picture inside the frame
// differs from the drawer's one-pass drawing; {-1} when it could not be made.
std::vector<int> RowsDifferingFromOnePass(const TDibImage& target, const render::RenderSettings& s,
                                          const render::DocumentDrawer& drawer);

// Number of pixels of the frame (everything outside the W x H picture) that
// are not the border colour.
int64_t FramePixelsNotColored(const TDibImage& target, const render::RenderSettings& s);

// Counts of live raster images and GDI objects, to prove a render leaks nothing.
struct Resources {
  int32_t images;
  DWORD gdiObjects;  // Wine 8 does not count them (always 0); Windows does
  static Resources Now();
};

}  // namespace renderertest
