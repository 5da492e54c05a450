// The benchmark drawing, described once and written twice: as an enhanced
// metafile for Verdalux and as SVG, which rsvg-convert turns into the PDF that
// Ghostscript renders. An A4 page (210 x 297 mm, in units of 0.1 mm) in four
// quadrants: a grid of coloured tiles, a fan of lines, rings of circles, and
// stars with a zigzag. No text, so no font enters the comparison.
//   quadrants.exe OUT_FOLDER     writes quadrants.emf and quadrants.svg
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "toolkit/handles.h"

namespace {

constexpr int kW = 2100, kH = 2970;

struct Shape {
  enum Kind { kRect, kEllipse, kPolygon, kPolyline } kind;
  std::vector<POINT> points;  // rectangle and ellipse: two corners
  COLORREF fill;              // CLR_INVALID: not filled
  COLORREF stroke;            // CLR_INVALID: no outline
  int strokeWidth;
};

COLORREF Mix(int i, int j, int k) {
  return RGB((37 * i + 11 * k) % 256, (53 * j + 90) % 256, (29 * (i + j) + 150 + 7 * k) % 256);
}

std::vector<Shape> Description() {
  std::vector<Shape> shapes;
  const int qw = kW / 2, qh = kH / 2;
  // Top left: 10 x 14 tiles.
  for (int i = 0; i < 10; ++i)
    for (int j = 0; j < 14; ++j) {
      const int x = 40 + i * 97, y = 40 + j * 100;
      shapes.push_back({Shape::kRect, {{x, y}, {x + 90, y + 92}}, Mix(i, j, 0), CLR_INVALID, 0});
    }
  // Top right: a fan of 90 lines from the quadrant's lower left corner.
  for (int k = 0; k < 90; ++k) {
    const double a = 3.14159265358979 / 2 * k / 89;
    const POINT from{qw + 30, qh - 30};
    const POINT to{qw + 30 + int(std::lround(990 * std::cos(a))), qh - 30 - int(std::lround(1400 * std::sin(a)))};
    shapes.push_back({Shape::kPolyline, {from, to}, CLR_INVALID, Mix(k, k / 3, 1), 4});
  }
  // Bottom left: twelve rings, each a filled circle over the larger one.
  for (int r = 12; r >= 1; --r) {
    const int cx = qw / 2, cy = qh + qh / 2, rad = 40 * r;
    shapes.push_back({Shape::kEllipse, {{cx - rad, cy - rad}, {cx + rad, cy + rad}}, Mix(r, 2 * r, 2), RGB(0, 0, 0), 6});
  }
  // Bottom right: six five-pointed stars and a zigzag.
  for (int s = 0; s < 6; ++s) {
    const int cx = qw + 200 + (s % 3) * 330, cy = qh + 260 + (s / 3) * 520, rad = 150;
    std::vector<POINT> star;
    for (int p = 0; p < 5; ++p) {
      const double a = -3.14159265358979 / 2 + p * 4 * 3.14159265358979 / 5;
      star.push_back({cx + int(std::lround(rad * std::cos(a))), cy + int(std::lround(rad * std::sin(a)))});
    }
    shapes.push_back({Shape::kPolygon, star, Mix(s, 5, 3), RGB(20, 20, 20), 3});
  }
  std::vector<POINT> zig;
  for (int z = 0; z <= 20; ++z) zig.push_back({qw + 40 + z * 48, kH - 250 + (z % 2 ? -120 : 120)});
  shapes.push_back({Shape::kPolyline, zig, CLR_INVALID, RGB(200, 40, 40), 12});
  return shapes;
}

bool WriteEmf(const std::vector<Shape>& shapes, const std::wstring& path) {
  HDC ref = GetDC(nullptr);
  const RECT frame{0, 0, kW * 10, kH * 10};  // HIMETRIC: 0.01 mm
  HDC dc = CreateEnhMetaFileW(ref, path.c_str(), &frame, L"Verdalux\0benchmark quadrants\0");
  const int vx = MulDiv(GetDeviceCaps(ref, HORZRES), kW, GetDeviceCaps(ref, HORZSIZE) * 10);
  const int vy = MulDiv(GetDeviceCaps(ref, VERTRES), kH, GetDeviceCaps(ref, VERTSIZE) * 10);
  ReleaseDC(nullptr, ref);
  if (!dc) return false;
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, kW, kH, nullptr);
  SetViewportExtEx(dc, vx, vy, nullptr);
  SetPolyFillMode(dc, ALTERNATE);
  for (const Shape& s : shapes) {
    tk::GdiPen pen(s.stroke == CLR_INVALID ? nullptr : CreatePen(PS_SOLID, s.strokeWidth, s.stroke));
    tk::GdiBrush brush(s.fill == CLR_INVALID ? nullptr : CreateSolidBrush(s.fill));
    tk::SelectedObject p(dc, pen ? pen.get() : GetStockObject(NULL_PEN));
    tk::SelectedObject b(dc, brush ? brush.get() : GetStockObject(NULL_BRUSH));
    const POINT* pt = s.points.data();
    const int n = int(s.points.size());
    switch (s.kind) {
      case Shape::kRect: Rectangle(dc, pt[0].x, pt[0].y, pt[1].x, pt[1].y); break;
      case Shape::kEllipse: Ellipse(dc, pt[0].x, pt[0].y, pt[1].x, pt[1].y); break;
      case Shape::kPolygon: Polygon(dc, pt, n); break;
      case Shape::kPolyline: Polyline(dc, pt, n); break;
    }
  }
  tk::EnhMetaFile emf(CloseEnhMetaFile(dc));
  return bool(emf);
}

std::string Hex(COLORREF c) {
  char s[8];
  std::snprintf(s, sizeof s, "#%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
  return s;
}

std::string Points(const std::vector<POINT>& pts) {
  std::string s;
  for (const POINT& p : pts) s += std::to_string(p.x) + "," + std::to_string(p.y) + " ";
  return s;
}

bool WriteSvg(const std::vector<Shape>& shapes, const std::wstring& path) {
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return false;
  std::fprintf(f, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"210mm\" height=\"297mm\" viewBox=\"0 0 %d %d\">\n",
               kW, kH);
  std::fprintf(f, "<rect width=\"%d\" height=\"%d\" fill=\"#ffffff\"/>\n", kW, kH);
  for (const Shape& s : shapes) {
    const std::string fill = s.fill == CLR_INVALID ? "none" : Hex(s.fill);
    std::string stroke = "stroke=\"none\"";
    if (s.stroke != CLR_INVALID)
      stroke = "stroke=\"" + Hex(s.stroke) + "\" stroke-width=\"" + std::to_string(s.strokeWidth) +
               "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"";
    const auto& p = s.points;
    switch (s.kind) {
      case Shape::kRect:
        std::fprintf(f, "<rect x=\"%ld\" y=\"%ld\" width=\"%ld\" height=\"%ld\" fill=\"%s\" %s/>\n", p[0].x, p[0].y,
                     p[1].x - p[0].x, p[1].y - p[0].y, fill.c_str(), stroke.c_str());
        break;
      case Shape::kEllipse:
        std::fprintf(f, "<ellipse cx=\"%ld\" cy=\"%ld\" rx=\"%ld\" ry=\"%ld\" fill=\"%s\" %s/>\n", (p[0].x + p[1].x) / 2,
                     (p[0].y + p[1].y) / 2, (p[1].x - p[0].x) / 2, (p[1].y - p[0].y) / 2, fill.c_str(), stroke.c_str());
        break;
      case Shape::kPolygon:
        std::fprintf(f, "<polygon points=\"%s\" fill=\"%s\" fill-rule=\"evenodd\" %s/>\n", Points(p).c_str(),
                     fill.c_str(), stroke.c_str());
        break;
      case Shape::kPolyline:
        std::fprintf(f, "<polyline points=\"%s\" fill=\"none\" %s/>\n", Points(p).c_str(), stroke.c_str());
        break;
    }
  }
  std::fprintf(f, "</svg>\n");
  return std::fclose(f) == 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: quadrants OUT_FOLDER\n");
    return 2;
  }
  const std::wstring folder = std::wstring(argv[1]) + L"\\";
  const std::vector<Shape> shapes = Description();
  const bool ok = WriteEmf(shapes, folder + L"quadrants.emf") && WriteSvg(shapes, folder + L"quadrants.svg");
  std::printf("%zu shapes: %s\n", shapes.size(), ok ? "quadrants.emf and quadrants.svg written" : "FAILED");
  return ok ? 0 : 1;
}
