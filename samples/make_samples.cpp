// Writes one small document of every built-in kind into the folder given as the
// first argument: drawing.emf, drawing.wmf, photo.png, photo.jpg, letter.txt,
// page.pdf, page.svg.
// Everything is computed, nothing random, so the files can be made again.
#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "samples/page_samples.h"
#include "toolkit/handles.h"

using Microsoft::WRL::ComPtr;
using tk::SelectedObject;

namespace {

using Pen = tk::GdiPen;
using Brush = tk::GdiBrush;
using Font = tk::GdiFont;

// The drawing lives in a 1600 x 1200 space of 0.1 mm units (160 x 120 mm).
constexpr int kW = 1600, kH = 1200;

// Shapes both metafile kinds can hold. Known colours for tests: red rectangle
// around (400, 300), blue ellipse around (1200, 400), green triangle around
// (400, 900), nothing at (1500, 1150).
void DrawCommon(HDC dc) {
  Pen outline(CreatePen(PS_SOLID, 8, RGB(0, 0, 0)));
  Brush red(CreateSolidBrush(RGB(220, 30, 30)));
  Brush blue(CreateSolidBrush(RGB(30, 60, 200)));
  Brush green(CreateSolidBrush(RGB(30, 160, 60)));
  Brush hatch(CreateHatchBrush(HS_DIAGCROSS, RGB(120, 80, 0)));
  SelectedObject pen(dc, outline.get());
  {
    SelectedObject b(dc, red.get());
    Rectangle(dc, 100, 100, 700, 500);
  }
  {
    SelectedObject b(dc, blue.get());
    Ellipse(dc, 900, 100, 1500, 700);
  }
  {
    SelectedObject b(dc, green.get());
    const POINT tri[] = {{100, 1100}, {400, 650}, {700, 1100}};
    Polygon(dc, tri, 3);
  }
  {
    SelectedObject b(dc, hatch.get());
    RoundRect(dc, 800, 800, 1100, 1000, 80, 80);
    Pie(dc, 1150, 750, 1450, 1050, 1450, 900, 1300, 750);
  }
  Pen thin(CreatePen(PS_DASH, 1, RGB(90, 90, 90)));
  {
    SelectedObject p(dc, thin.get());
    const POINT zig[] = {{100, 560}, {250, 620}, {400, 560}, {550, 620}, {700, 560}};
    Polyline(dc, zig, 5);
    MoveToEx(dc, 750, 50, nullptr);
    LineTo(dc, 1550, 50);
    Arc(dc, 750, 700, 1550, 1180, 1550, 940, 750, 940);
  }
  Font font(CreateFontW(-90, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                        CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, L"Arial"));
  SelectedObject f(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(40, 40, 40));
  const wchar_t text[] = L"Verdalux \x00e4\x00f6\x00fc";
  TextOutW(dc, 760, 1080, text, lstrlenW(text));
}

// What only enhanced metafiles hold: Bézier curves, paths and a bitmap.
void DrawEnhancedOnly(HDC dc) {
  Pen wide(CreatePen(PS_SOLID, 20, RGB(200, 120, 0)));
  SelectedObject p(dc, wide.get());
  const POINT curve[] = {{750, 120}, {950, 20}, {1250, 240}, {1550, 120}};
  PolyBezier(dc, curve, 4);
  Brush yellow(CreateSolidBrush(RGB(240, 220, 40)));
  SelectedObject b(dc, yellow.get());
  BeginPath(dc);
  MoveToEx(dc, 1460, 1060, nullptr);
  const POINT drop[] = {{1560, 1100}, {1560, 1180}, {1460, 1180}, {1460, 1180}, {1380, 1120}, {1460, 1060}};
  PolyBezierTo(dc, drop, 6);
  CloseFigure(dc);
  EndPath(dc);
  StrokeAndFillPath(dc);
  // A 16 x 16 gradient bitmap stretched over 100 x 100 units.
  uint32_t px[16 * 16];
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) px[y * 16 + x] = uint32_t(x * 16) << 16 | uint32_t(y * 16) << 8 | 128;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  StretchDIBits(dc, 20, 1080, 100, 100, 0, 0, 16, 16, px, &bi, DIB_RGB_COLORS, SRCCOPY);
}

bool WriteFileBytes(const std::wstring& path, const void* data, size_t size) {
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return false;
  const bool ok = fwrite(data, 1, size, f) == size;
  return fclose(f) == 0 && ok;
}

bool MakeEmf(const std::wstring& path) {
  HDC ref = GetDC(nullptr);
  const RECT frame{0, 0, kW * 10, kH * 10};  // HIMETRIC
  HDC dc = CreateEnhMetaFileW(ref, path.c_str(), &frame, L"Verdalux\0sample drawing\0");
  // Logical units of 0.1 mm mapped onto the reference device's own pixels.
  const int vx = MulDiv(GetDeviceCaps(ref, HORZRES), kW, GetDeviceCaps(ref, HORZSIZE) * 10);
  const int vy = MulDiv(GetDeviceCaps(ref, VERTRES), kH, GetDeviceCaps(ref, VERTSIZE) * 10);
  ReleaseDC(nullptr, ref);
  if (!dc) return false;
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, kW, kH, nullptr);
  SetViewportExtEx(dc, vx, vy, nullptr);
  DrawCommon(dc);
  DrawEnhancedOnly(dc);
  tk::EnhMetaFile emf(CloseEnhMetaFile(dc));
  return bool(emf);
}

bool MakeWmf(const std::wstring& path) {
  HDC dc = CreateMetaFileW(nullptr);
  if (!dc) return false;
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetWindowExtEx(dc, kW, kH, nullptr);
  DrawCommon(dc);
  tk::MetaFile wmf(CloseMetaFile(dc));
  if (!wmf) return false;
  std::vector<uint8_t> bits(GetMetaFileBitsEx(wmf.get(), 0, nullptr));
  GetMetaFileBitsEx(wmf.get(), UINT(bits.size()), bits.data());
  // The placeable header: bounding box in 0.1 mm units, 254 of them per inch.
  uint16_t head[11] = {0xCDD7, 0x9AC6, 0, 0, 0, kW, kH, 254, 0, 0, 0};
  for (int i = 0; i < 10; ++i) head[10] ^= head[i];
  std::vector<uint8_t> file(reinterpret_cast<uint8_t*>(head), reinterpret_cast<uint8_t*>(head) + 22);
  file.insert(file.end(), bits.begin(), bits.end());
  return WriteFileBytes(path, file.data(), file.size());
}

// A landscape: sky gradient, sun, two rows of hills, a little grain, and four
// pure colour patches at the bottom left (red, green, blue, white; 20 x 20 each).
std::vector<uint32_t> Landscape(int w, int h) {
  std::vector<uint32_t> px(size_t(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double r = 90 + 100.0 * y / h, g = 150 + 60.0 * y / h, b = 235;
      const double dx = x - 0.75 * w, dy = y - 0.25 * h;
      if (dx * dx + dy * dy < 0.01 * w * w) r = 255, g = 225, b = 90;
      if (y > h * (0.55 + 0.08 * std::sin(x * 0.03))) r = 70, g = 140 + 30 * std::sin(x * 0.11), b = 60;
      if (y > h * (0.72 + 0.05 * std::sin(x * 0.05 + 1.3))) r = 40, g = 100, b = 40;
      const int grain = int((x * 7919u + y * 104729u) % 13) - 6;
      auto c = [&](double v) { return uint32_t(std::fmin(255, std::fmax(0, v + grain))); };
      px[size_t(y) * w + x] = 0xFF000000u | c(r) << 16 | c(g) << 8 | c(b);
    }
  const uint32_t patches[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
  for (int i = 0; i < 4; ++i)
    for (int y = h - 20; y < h; ++y)
      for (int x = i * 20; x < i * 20 + 20; ++x) px[size_t(y) * w + x] = patches[i];
  return px;
}

bool WriteImage(const std::wstring& path, REFGUID container, int w, int h, double dpi) {
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  ComPtr<IPropertyBag2> options;
  std::vector<uint32_t> px = Landscape(w, h);
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  if (container == GUID_ContainerFormatJpeg) format = GUID_WICPixelFormat24bppBGR;
  std::vector<uint8_t> rows;
  UINT stride = w * 4;
  if (format == GUID_WICPixelFormat24bppBGR) {
    stride = w * 3;
    for (uint32_t p : px) rows.insert(rows.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16)});
  } else {
    rows.assign(reinterpret_cast<uint8_t*>(px.data()), reinterpret_cast<uint8_t*>(px.data() + px.size()));
  }
  return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_PPV_ARGS(&factory))) &&
         SUCCEEDED(factory->CreateStream(&stream)) &&
         SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
         SUCCEEDED(factory->CreateEncoder(container, nullptr, &encoder)) &&
         SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
         SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) &&
         SUCCEEDED(frame->Initialize(options.Get())) && SUCCEEDED(frame->SetSize(w, h)) &&
         SUCCEEDED(frame->SetResolution(dpi, dpi)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
         SUCCEEDED(frame->WritePixels(h, stride, UINT(rows.size()), rows.data())) &&
         SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

// About three A4 pages of UTF-8 text: long paragraphs, some words beyond ASCII.
bool MakeText(const std::wstring& path) {
  const char* words[] = {"the", "picture", "renders", "each", "strip", "of", "a", "document",
                         "Größe", "Maßstab", "café", "déjà", "vu", "Ελλάδα", "Привет",
                         "mundo", "señor", "naïve", "Zürich", "œuvre", "and", "holds",
                         "its", "preview", "fitted", "into", "area", "with", "ratio", "kept"};
  std::string text = "Verdalux sample letter — plain UTF-8 text, wrapped on an A4 page.\r\n\r\n";
  uint32_t seed = 12345;
  for (int para = 0; para < 26; ++para) {
    const int count = 40 + int(seed % 50);
    for (int i = 0; i < count; ++i) {
      seed = seed * 1103515245u + 12345u;
      text += words[(seed >> 16) % (sizeof words / sizeof *words)];
      text += (i + 1 == count) ? ".\r\n" : " ";
    }
    if (para % 3 == 2) text += "\tIndented\tby\ttabs: \xe2\x82\xac 42, \xc2\xa7 7.\r\n";
    text += "\r\n";
  }
  return WriteFileBytes(path, text.data(), text.size());
}

bool MakeTextFile(const std::wstring& path, const std::string& bytes) {
  return WriteFileBytes(path, bytes.data(), bytes.size());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    fwprintf(stderr, L"usage: make_samples FOLDER\n");
    return 2;
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::wstring dir = argv[1];
  if (dir.back() != L'\\' && dir.back() != L'/') dir += L'\\';
  const bool ok = MakeEmf(dir + L"drawing.emf") && MakeWmf(dir + L"drawing.wmf") &&
                  WriteImage(dir + L"photo.png", GUID_ContainerFormatPng, 320, 240, 150.0) &&
                  WriteImage(dir + L"photo.jpg", GUID_ContainerFormatJpeg, 256, 192, 96.0) &&
                  MakeText(dir + L"letter.txt") && MakeTextFile(dir + L"page.pdf", samples::SamplePdf()) &&
                  MakeTextFile(dir + L"page.svg", samples::SampleSvg());
  CoUninitialize();
  if (!ok) fwprintf(stderr, L"make_samples: failed\n");
  return ok ? 0 : 1;
}
