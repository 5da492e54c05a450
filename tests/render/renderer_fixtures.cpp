#include "tests/render/renderer_fixtures.h"

#include <cstring>

namespace renderertest {
namespace {

int Scale(int origin, int v, int size) { return origin + MulDiv(v, size, 1000); }

}  // namespace

void DrawShapes(HDC dc, int left, int top, int width, int height) {
  auto X = [&](int v) { return Scale(left, v, width); };
  auto Y = [&](int v) { return Scale(top, v, height); };
  tk::GdiBrush sky(CreateSolidBrush(RGB(120, 180, 240)));
  tk::GdiPen red(CreatePen(PS_SOLID, 1, RGB(200, 0, 0)));
  tk::GdiPen thick(CreatePen(PS_SOLID, 7, RGB(0, 90, 30)));
  tk::GdiBrush yellow(CreateSolidBrush(RGB(250, 220, 40)));
  tk::GdiBrush hatch(CreateHatchBrush(HS_DIAGCROSS, RGB(90, 0, 140)));
  // Declared after the objects, so they are deselected before they are deleted.
  tk::SavedDC saved(dc);

  RECT band{X(0), Y(0), X(1000), Y(300)};
  FillRect(dc, &band, sky.get());
  SelectObject(dc, red.get());
  MoveToEx(dc, X(0), Y(0), nullptr);
  LineTo(dc, X(1000), Y(1000));
  MoveToEx(dc, X(1000), Y(0), nullptr);
  LineTo(dc, X(0), Y(1000));
  for (int i = 0; i < 20; ++i) {
    MoveToEx(dc, X(50 * i), Y(1000), nullptr);
    LineTo(dc, X(1000 - 37 * i), Y(13 * i));
  }
  // Circles whatever the aspect: Wine 8 fills strongly elongated ellipses
  // differently from one call to the next, which no renderer could match.
  SelectObject(dc, thick.get());
  SelectObject(dc, yellow.get());
  const int r1 = (X(700) - X(100)) / 2, r2 = (X(990) - X(800)) / 2;
  Ellipse(dc, X(100), Y(400) - r1, X(700), Y(400) + r1);
  Ellipse(dc, X(800), Y(700) - r2, X(990), Y(700) + r2);
  SelectObject(dc, hatch.get());
  const POINT star[] = {{X(500), Y(480)}, {X(620), Y(900)}, {X(280), Y(620)}, {X(720), Y(620)}, {X(380), Y(900)}};
  SetPolyFillMode(dc, ALTERNATE);
  Polygon(dc, star, 5);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, X(10), Y(10), X(990), Y(990));
  SelectObject(dc, thick.get());
  RoundRect(dc, X(60), Y(700), X(450), Y(980), X(80) - X(0), X(80) - X(0));
}

Harness::Harness(render::DocumentDrawer drawer) : drawer_(std::move(drawer)) {}

render::RenderContext Harness::Context() {
  render::RenderContext c;
  c.referenceDC = screen_.get();
  c.progress = [this](int p) { progress.push_back(p); };
  if (drawer_) {
    c.drawDocument = [this](HDC dc, int l, int t, int w, int h) {
      DrawCall call{l, t, w, h, 0, 0, dc, static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP))};
      DIBSECTION ds{};
      if (GetObjectW(call.bitmap, sizeof ds, &ds) == sizeof ds) {
        call.stripWidth = ds.dsBm.bmWidth;
        call.stripRows = ds.dsBm.bmHeight;
      }
      draws.push_back(call);
      drawer_(dc, l, t, w, h);
    };
  }
  return c;
}

const uint8_t* PixelAt(const TDibImage& image, int x, int y) {
  const int64_t row = int64_t{DIBHeight(image)} - 1 - y;
  return static_cast<const uint8_t*>(image.Bits) + row * image.BytesPerRow + 3 * int64_t{x};
}

bool CompareWithOnePass(const TDibImage& target, const render::RenderSettings& s,
                        const render::DocumentDrawer& drawer, const RowPair& row) {
  // The reference is bottom-up like the strips: Wine 8 rasterises a wide-pen
  // ellipse a few rows differently in top-down and bottom-up DIBs.
  const render::FrameGeometry f = render::ComputeFrame(s);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = s.width;
  bi.bmiHeader.biHeight = s.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  tk::MemoryDC dc(CreateCompatibleDC(nullptr));
  tk::GdiBitmap bmp(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bmp) return false;
  const int64_t stride = core::DibStride(s.width, 24);
  std::memset(bits, 0xFF, size_t(stride * s.height));
  {
    tk::SelectedObject sel(dc.get(), bmp.get());
    if (drawer) drawer(dc.get(), 0, 0, s.width, s.height);
    GdiFlush();
  }
  for (int y = 0; y < s.height; ++y)
    row(y, static_cast<const uint8_t*>(bits) + (int64_t{s.height} - 1 - y) * stride,
        PixelAt(target, f.leftOffset, f.topOffset + y));
  return true;
}

std::vector<int> RowsDifferingFromOnePass(const TDibImage& target, const render::RenderSettings& s,
                                          const render::DocumentDrawer& drawer) {
  std::vector<int> rows;
  const bool made = CompareWithOnePass(target, s, drawer, [&](int y, const uint8_t* whole, const uint8_t* picture) {
    if (std::memcmp(whole, picture, 3 * size_t(s.width)) != 0) rows.push_back(y);
  });
  return made ? rows : std::vector<int>{-1};
}

int64_t FramePixelsNotColored(const TDibImage& target, const render::RenderSettings& s) {
  const render::FrameGeometry f = render::ComputeFrame(s);
  const core::PixelBytes px = core::BorderPixel(s.color);
  int64_t wrong = 0;
  for (int y = 0; y < f.totalHeight; ++y) {
    const bool insideRows = y >= f.topOffset && y < f.topOffset + s.height;
    for (int x = 0; x < f.totalWidth; ++x) {
      if (insideRows && x >= f.leftOffset && x < f.leftOffset + s.width) continue;
      const uint8_t* p = PixelAt(target, x, y);
      wrong += p[0] != px.b || p[1] != px.g || p[2] != px.r;
    }
  }
  return wrong;
}

Resources Resources::Now() {
  return Resources{PictrixLiveImages(), GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)};
}

}  // namespace renderertest
