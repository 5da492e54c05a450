// Writes the pictures the program carries as resources: the two picture
// buttons of the button bar (GIF 89a, 101 x 30, normal and pressed), the
// Render, homepage, save, print and printer setup buttons' glyphs and the stock button glyphs
// (16-colour bitmaps, two images each: normal, then disabled), and the about
// dialog's product picture (a JPEG encoded with libjpeg). Everything is drawn with GDI from fixed
// shapes, so the files can be made again.
//   make_resources ROOT   (writes ROOT\app\resources and ROOT\controls\resources)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include <string>
#include <vector>

#include "core/indexed_image.h"
#include "toolkit/handles.h"

namespace {

using tk::SelectedObject;

// The 16 colours of the classic palette; glyphs use only these.
constexpr COLORREF kBlack = RGB(0, 0, 0), kMaroon = RGB(128, 0, 0), kGreen = RGB(0, 128, 0),
                   kOlive = RGB(128, 128, 0), kNavy = RGB(0, 0, 128), kTeal = RGB(0, 128, 128),
                   kSilver = RGB(192, 192, 192), kGrey = RGB(128, 128, 128), kRed = RGB(255, 0, 0),
                   kLime = RGB(0, 255, 0), kYellow = RGB(255, 255, 0), kBlue = RGB(0, 0, 255),
                   kAqua = RGB(0, 255, 255), kWhite = RGB(255, 255, 255);

uint32_t Rgb(COLORREF c) { return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c); }

// A 32-bit top-down drawing surface.
class Canvas {
 public:
  Canvas(int w, int h, COLORREF fill) : w_(w), h_(h), dc_(::CreateCompatibleDC(nullptr)) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bmp_.reset(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits_, nullptr, 0));
    old_ = ::SelectObject(dc_.get(), bmp_.get());
    Fill(0, 0, w, h, fill);
  }
  ~Canvas() { ::SelectObject(dc_.get(), old_); }
  HDC dc() const { return dc_.get(); }
  void Fill(int x, int y, int w, int h, COLORREF c) {
    RECT r{x, y, x + w, y + h};
    tk::GdiBrush b(::CreateSolidBrush(c));
    ::FillRect(dc_.get(), &r, b.get());
  }
  std::vector<uint32_t> Pixels() const {
    ::GdiFlush();
    const auto* p = static_cast<const uint32_t*>(bits_);
    std::vector<uint32_t> out(p, p + size_t(w_) * h_);
    for (auto& v : out) v &= 0xFFFFFF;
    return out;
  }
  void SetPixels(const std::vector<uint32_t>& px) {
    ::GdiFlush();
    auto* p = static_cast<uint32_t*>(bits_);
    for (size_t i = 0; i < px.size(); ++i) p[i] = px[i];
  }

 private:
  int w_, h_;
  tk::MemoryDC dc_;
  tk::GdiBitmap bmp_;
  void* bits_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

void Shape(HDC dc, COLORREF pen, int width, COLORREF brush, const std::function<void()>& draw) {
  tk::GdiPen p(::CreatePen(PS_SOLID, width, pen));
  tk::GdiBrush b(::CreateSolidBrush(brush));
  SelectedObject sp(dc, p.get()), sb(dc, brush == CLR_INVALID ? ::GetStockObject(NULL_BRUSH) : b.get());
  draw();
}

void Lines(HDC dc, COLORREF c, int width, std::initializer_list<POINT> pts) {
  Shape(dc, c, width, CLR_INVALID, [&] { ::Polyline(dc, pts.begin(), int(pts.size())); });
}

void Text(HDC dc, const wchar_t* text, RECT r, COLORREF c, int height, bool bold) {
  tk::GdiFont f(::CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                              VARIABLE_PITCH | FF_SWISS, L"Tahoma"));
  SelectedObject sf(dc, f.get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, c);
  ::DrawTextW(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

bool WriteFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  tk::FileHandle f(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD done = 0;
  return f.valid() && ::WriteFile(f.get(), bytes.data(), DWORD(bytes.size()), &done, nullptr) && done == bytes.size();
}

// ---- The picture buttons: a rounded plate with a word, pressed one pixel in.

std::vector<uint32_t> PlateButton(const wchar_t* word, COLORREF plate, bool pressed) {
  constexpr int w = 101, h = 30;
  Canvas c(w, h, kSilver);
  const int d = pressed ? 1 : 0;
  const COLORREF top = pressed ? kGrey : kWhite, bottom = pressed ? kWhite : RGB(64, 64, 64);
  Shape(c.dc(), bottom, 1, bottom, [&] { ::RoundRect(c.dc(), 1, 1, w, h, 10, 10); });
  Shape(c.dc(), top, 1, top, [&] { ::RoundRect(c.dc(), 0, 0, w - 1, h - 1, 10, 10); });
  Shape(c.dc(), plate, 1, plate, [&] { ::RoundRect(c.dc(), 2, 2, w - 2, h - 2, 8, 8); });
  Text(c.dc(), word, RECT{d, d, w + d, h + d}, kWhite, 17, true);
  return c.Pixels();
}

bool WriteGif(const std::wstring& path, const std::vector<uint32_t>& px, int w, int h) {
  const auto img = core::ToIndexed(px, w, h, 256);
  return img && WriteFile(path, core::EncodeGif89a(*img));
}

// ---- Glyphs: one image drawn on olive, the disabled image made from it.

using Draw = std::function<void(HDC)>;

// The outlines of the normal image (pixels whose colour differs from a
// neighbour's, or that touch the edge) in grey, with white one pixel right
// and down, on olive: the look of a disabled glyph in the two colours the
// button replaces with the system's shadow and highlight.
std::vector<uint32_t> DisabledFrom(const std::vector<uint32_t>& normal, int w, int h) {
  const uint32_t olive = Rgb(kOlive);
  std::vector<bool> edge(normal.size(), false);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t p = normal[size_t(y) * w + x];
      if (p == olive) continue;
      const auto differs = [&](int nx, int ny) {
        return nx < 0 || ny < 0 || nx >= w || ny >= h || normal[size_t(ny) * w + nx] != p;
      };
      edge[size_t(y) * w + x] = differs(x - 1, y) || differs(x + 1, y) || differs(x, y - 1) || differs(x, y + 1);
    }
  std::vector<uint32_t> out(normal.size(), olive);
  for (int y = 0; y + 1 < h; ++y)
    for (int x = 0; x + 1 < w; ++x)
      if (edge[size_t(y) * w + x]) out[size_t(y + 1) * w + x + 1] = Rgb(kWhite);
  for (size_t i = 0; i < normal.size(); ++i)
    if (edge[i]) out[i] = Rgb(kGrey);
  return out;
}

bool WriteGlyph(const std::wstring& path, int imageW, int h, const Draw& draw) {
  Canvas one(imageW, h, kOlive);
  draw(one.dc());
  const std::vector<uint32_t> normal = one.Pixels();
  const std::vector<uint32_t> disabled = DisabledFrom(normal, imageW, h);
  std::vector<uint32_t> both(size_t(2 * imageW) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < imageW; ++x) {
      both[size_t(y) * 2 * imageW + x] = normal[size_t(y) * imageW + x];
      both[size_t(y) * 2 * imageW + imageW + x] = disabled[size_t(y) * imageW + x];
    }
  // Olive first, so it is colour 0 and the bottom-left pixel of each image.
  both.insert(both.begin(), Rgb(kOlive));
  auto img = core::ToIndexed(std::vector<uint32_t>(both.begin(), both.end()), 1, int(both.size()), 16);
  if (!img) {
    std::fwprintf(stderr, L"%ls: more than 16 colours\n", path.c_str());
    return false;
  }
  img->indexes.erase(img->indexes.begin());
  img->width = 2 * imageW;
  img->height = h;
  return WriteFile(path, core::EncodeBmp4(*img));
}

void Check(HDC dc, int dx, int dy, COLORREF c) {
  Lines(dc, c, 3, {{3 + dx, 9 + dy}, {7 + dx, 13 + dy}, {14 + dx, 4 + dy}});
}

void Cross(HDC dc, COLORREF c) {
  Lines(dc, c, 3, {{4, 4}, {13, 13}});
  Lines(dc, c, 3, {{13, 4}, {4, 13}});
}

const struct {
  const wchar_t* file;
  int height;
  Draw draw;
} kGlyphs[] = {
    {L"bbok.bmp", 18, [](HDC dc) { Check(dc, 0, 0, kGreen); }},
    {L"bbcancel.bmp", 18, [](HDC dc) { Cross(dc, kRed); }},
    {L"bbhelp.bmp", 18,
     [](HDC dc) {
       Shape(dc, kNavy, 1, kBlue, [&] { ::Ellipse(dc, 1, 1, 17, 17); });
       Text(dc, L"?", RECT{1, 1, 17, 17}, kWhite, 14, true);
     }},
    {L"bbyes.bmp", 18,
     [](HDC dc) {
       Shape(dc, kGreen, 1, kLime, [&] { ::Ellipse(dc, 1, 1, 17, 17); });
       Check(dc, 0, 0, kBlack);
     }},
    {L"bbno.bmp", 18,
     [](HDC dc) {
       Shape(dc, kRed, 2, CLR_INVALID, [&] { ::Ellipse(dc, 2, 2, 16, 16); });
       Lines(dc, kRed, 2, {{4, 13}, {13, 4}});
     }},
    {L"bbclose.bmp", 18,
     [](HDC dc) {
       Shape(dc, kBlack, 1, kMaroon, [&] { ::Rectangle(dc, 4, 1, 14, 17); });
       Shape(dc, kBlack, 1, kYellow, [&] { ::Rectangle(dc, 10, 8, 12, 10); });
     }},
    {L"bbabort.bmp", 18,
     [](HDC dc) {
       const POINT oct[] = {{6, 1}, {12, 1}, {17, 6}, {17, 12}, {12, 17}, {6, 17}, {1, 12}, {1, 6}};
       Shape(dc, kMaroon, 1, kRed, [&] { ::Polygon(dc, oct, 8); });
       Shape(dc, kWhite, 1, kWhite, [&] { ::Rectangle(dc, 4, 8, 14, 11); });
     }},
    {L"bbretry.bmp", 18,
     [](HDC dc) {
       Shape(dc, kBlue, 2, CLR_INVALID, [&] { ::Arc(dc, 2, 2, 16, 16, 9, 2, 16, 9); });
       const POINT head[] = {{13, 1}, {17, 6}, {11, 7}};
       Shape(dc, kBlue, 1, kBlue, [&] { ::Polygon(dc, head, 3); });
     }},
    {L"bbignore.bmp", 18,
     [](HDC dc) {
       Shape(dc, kTeal, 1, kTeal, [&] { ::Rectangle(dc, 2, 7, 11, 11); });
       const POINT head[] = {{10, 3}, {16, 9}, {10, 15}};
       Shape(dc, kTeal, 1, kAqua, [&] { ::Polygon(dc, head, 3); });
     }},
    {L"bball.bmp", 19,
     [](HDC dc) {
       Check(dc, 0, -1, kGreen);
       Check(dc, 0, 5, kGreen);
     }},
};

// The Render button's glyph: a framed picture with sky, sun and a hill.
void RenderGlyph(HDC dc) {
  Shape(dc, kBlack, 1, kAqua, [&] { ::Rectangle(dc, 1, 2, 17, 16); });
  Shape(dc, kYellow, 1, kYellow, [&] { ::Ellipse(dc, 10, 4, 15, 9); });
  const POINT hill[] = {{2, 15}, {2, 12}, {6, 8}, {11, 12}, {16, 10}, {16, 15}};
  Shape(dc, kGreen, 1, kGreen, [&] { ::Polygon(dc, hill, 6); });
}

// The homepage button's glyph: a globe with its meridian and parallels.
void WwwGlyph(HDC dc) {
  Shape(dc, kNavy, 1, kBlue, [&] { ::Ellipse(dc, 1, 1, 17, 17); });
  Shape(dc, kAqua, 1, CLR_INVALID, [&] { ::Ellipse(dc, 5, 1, 13, 17); });
  Lines(dc, kAqua, 1, {{9, 2}, {9, 16}});
  Lines(dc, kAqua, 1, {{2, 9}, {16, 9}});
  Lines(dc, kLime, 1, {{4, 5}, {14, 5}});
  Lines(dc, kLime, 1, {{4, 13}, {14, 13}});
}

// The save button's glyph (16 x 16): a diskette with its shutter and label.
void SaveGlyph(HDC dc) {
  // Areas without inner lines, so the disabled image keeps their outlines.
  Shape(dc, kNavy, 1, kNavy, [&] { ::Rectangle(dc, 1, 1, 15, 15); });
  Shape(dc, kSilver, 1, kSilver, [&] { ::Rectangle(dc, 4, 1, 12, 6); });
  Shape(dc, kNavy, 1, kNavy, [&] { ::Rectangle(dc, 9, 2, 11, 5); });
  Shape(dc, kWhite, 1, kWhite, [&] { ::Rectangle(dc, 3, 8, 13, 15); });
}

// The print button's glyph (16 x 16): a printer with a sheet in and one out.
void PrintGlyph(HDC dc) {
  Shape(dc, kBlack, 1, kWhite, [&] { ::Rectangle(dc, 4, 1, 12, 7); });
  Shape(dc, kBlack, 1, kSilver, [&] { ::Rectangle(dc, 1, 6, 15, 12); });
  Shape(dc, kBlack, 1, kWhite, [&] { ::Rectangle(dc, 4, 10, 12, 15); });
  Lines(dc, kGrey, 1, {{6, 12}, {10, 12}});
  Shape(dc, kGreen, 1, kLime, [&] { ::Rectangle(dc, 12, 7, 14, 9); });
}

// The printer setup button's glyph (16 x 16): the printer with a dial on its side.
void PrintSetupGlyph(HDC dc) {
  Shape(dc, kBlack, 1, kWhite, [&] { ::Rectangle(dc, 2, 2, 9, 7); });
  Shape(dc, kBlack, 1, kSilver, [&] { ::Rectangle(dc, 0, 6, 11, 12); });
  Shape(dc, kBlack, 1, kWhite, [&] { ::Rectangle(dc, 2, 10, 9, 14); });
  Shape(dc, kNavy, 1, kYellow, [&] { ::Ellipse(dc, 9, 8, 16, 15); });
  Lines(dc, kNavy, 1, {{12, 11}, {14, 9}});
}

// ---- The about dialog's product picture: a document turning into a large
// picture, with the product's name, on an evening-sky gradient.

constexpr int kProductW = 240, kProductH = 356;

std::vector<uint32_t> ProductPicture() {
  Canvas c(kProductW, kProductH, kBlack);
  for (int y = 0; y < kProductH; ++y) {
    const int t = y * 255 / (kProductH - 1);
    c.Fill(0, y, kProductW, 1, RGB(30 + t * 170 / 255, 40 + t * 90 / 255, 110 - t * 60 / 255));
  }
  // The document: a page with a folded corner and lines of text.
  const POINT page[] = {{28, 40}, {98, 40}, {118, 60}, {118, 150}, {28, 150}};
  Shape(c.dc(), kBlack, 1, kWhite, [&] { ::Polygon(c.dc(), page, 5); });
  const POINT fold[] = {{98, 40}, {98, 60}, {118, 60}};
  Shape(c.dc(), kBlack, 1, kSilver, [&] { ::Polygon(c.dc(), fold, 3); });
  for (int i = 0; i < 8; ++i) c.Fill(38, 70 + i * 9, i % 3 == 2 ? 45 : 68, 3, kGrey);
  // The arrow from the document to the picture.
  const POINT arrow[] = {{132, 92}, {158, 92}, {158, 80}, {182, 100}, {158, 120}, {158, 108}, {132, 108}};
  Shape(c.dc(), RGB(120, 60, 0), 1, RGB(255, 190, 60), [&] { ::Polygon(c.dc(), arrow, 7); });
  // The picture: a framed landscape, larger than the page.
  Shape(c.dc(), kBlack, 2, RGB(110, 170, 230), [&] { ::Rectangle(c.dc(), 40, 170, 212, 290); });
  Shape(c.dc(), kYellow, 1, kYellow, [&] { ::Ellipse(c.dc(), 160, 182, 190, 212); });
  const POINT hills[] = {{41, 289}, {41, 250}, {80, 215}, {120, 252}, {160, 228}, {211, 262}, {211, 289}};
  Shape(c.dc(), kGreen, 1, RGB(40, 150, 60), [&] { ::Polygon(c.dc(), hills, 7); });
  Text(c.dc(), L"Verdalux", RECT{0, 296, kProductW, 332}, kWhite, 30, true);
  Text(c.dc(), L"documents into pictures", RECT{0, 328, kProductW, 350}, RGB(255, 230, 200), 13, false);
  return c.Pixels();
}

// libjpeg's fatal errors end the generator; nothing is left half written.
[[noreturn]] void JpegFatal(j_common_ptr cinfo) {
  char text[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, text);
  std::fprintf(stderr, "make_resources: libjpeg: %s\n", text);
  std::exit(1);
}

bool WriteJpeg(const std::wstring& path, const std::vector<uint32_t>& px, int w, int h, int quality) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  err.error_exit = JpegFatal;
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = JDIMENSION(w);
  cinfo.image_height = JDIMENSION(h);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(size_t(w) * 3);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t p = px[size_t(y) * w + x];
      row[size_t(x) * 3] = JSAMPLE(p >> 16);
      row[size_t(x) * 3 + 1] = JSAMPLE(p >> 8);
      row[size_t(x) * 3 + 2] = JSAMPLE(p);
    }
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  const std::vector<uint8_t> bytes(buffer, buffer + size);
  std::free(buffer);
  return WriteFile(path, bytes);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fwprintf(stderr, L"usage: make_resources ROOT\n");
    return 2;
  }
  std::wstring root = argv[1];
  if (root.back() != L'\\' && root.back() != L'/') root += L'\\';
  const std::wstring app = root + L"app\\resources\\", controls = root + L"controls\\resources\\";
  bool ok = true;
  const struct {
    const wchar_t* word;
    const wchar_t* file;
    COLORREF plate;
  } plates[] = {{L"Info", L"info", kTeal}, {L"Exit", L"exit", kMaroon}};
  for (const auto& p : plates) {
    ok = ok && WriteGif(app + p.file + L".gif", PlateButton(p.word, p.plate, false), 101, 30);
    ok = ok && WriteGif(app + p.file + L"_pressed.gif", PlateButton(p.word, p.plate, true), 101, 30);
  }
  ok = ok && WriteGlyph(app + L"render.bmp", 18, 18, RenderGlyph);
  ok = ok && WriteGlyph(app + L"www.bmp", 18, 18, WwwGlyph);
  ok = ok && WriteGlyph(app + L"save.bmp", 16, 16, SaveGlyph);
  ok = ok && WriteGlyph(app + L"print.bmp", 16, 16, PrintGlyph);
  ok = ok && WriteGlyph(app + L"printsetup.bmp", 16, 16, PrintSetupGlyph);
  ok = ok && WriteJpeg(app + L"about.jpg", ProductPicture(), kProductW, kProductH, 90);
  for (const auto& g : kGlyphs) ok = ok && WriteGlyph(controls + g.file, 18, g.height, g.draw);
  if (!ok) std::fwprintf(stderr, L"make_resources: failed\n");
  return ok ? 0 : 1;
}
