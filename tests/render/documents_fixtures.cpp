#include "tests/render/documents_fixtures.h"

#include <shellapi.h>

#include <cstring>
#include <fstream>

#include "render/documents/file_bytes.h"

namespace doctest {

std::string Narrow(const std::wstring& w) {
  std::string s;
  for (wchar_t c : w) s.push_back(c < 128 ? char(c) : '?');
  return s;
}


std::vector<uint8_t> ReadSample(const std::wstring& name) {
  std::vector<uint8_t> bytes;
  documents::ReadWholeFile(SamplePath(name), 1 << 24, bytes);
  return bytes;
}


std::vector<uint8_t> SolidBmp(int w, int h, COLORREF c, int32_t ppm) {
  const uint32_t stride = (uint32_t(w) * 3 + 3) & ~3u;
  const BITMAPFILEHEADER fh{0x4D42, uint32_t(14 + 40 + stride * h), 0, 0, 14 + 40};
  const BITMAPINFOHEADER ih{sizeof ih, w, h, 1, 24, BI_RGB, stride * h, ppm, ppm, 0, 0};
  std::vector<uint8_t> b(reinterpret_cast<const uint8_t*>(&fh), reinterpret_cast<const uint8_t*>(&fh) + 14);
  b.insert(b.end(), reinterpret_cast<const uint8_t*>(&ih), reinterpret_cast<const uint8_t*>(&ih) + 40);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) b.insert(b.end(), {GetBValue(c), GetGValue(c), GetRValue(c)});
    b.insert(b.end(), stride - uint32_t(w) * 3, 0);
  }
  return b;
}

std::unique_ptr<documents::DocumentContent> Load(documents::DocumentKind kind,
                                                 const std::vector<uint8_t>& bytes) {
  std::unique_ptr<documents::DocumentContent> content;
  if (FAILED(documents::ContentFromBytes(kind, bytes, content))) content.reset();
  return content;
}

std::unique_ptr<testsupport::DibCanvas> DrawWhole(const documents::DocumentContent& c, int width,
                                                  int height) {
  auto canvas = std::make_unique<testsupport::DibCanvas>(width, height);
  c.Draw(canvas->dc(), RECT{0, 0, width, height});
  GdiFlush();
  return canvas;
}

namespace {

// Calls onRow(whole row, strip row) for every row of a strip-by-strip drawing.
template <typename F>
void CompareStrips(const documents::DocumentContent& c, int width, int height, int stripRows, F onRow) {
  const auto whole = DrawWhole(c, width, height);
  for (int done = 0; done < height; done += stripRows) {
    const int rows = std::min(stripRows, height - done);
    testsupport::DibCanvas strip(width, rows);
    c.Draw(strip.dc(), RECT{0, -done, width, height - done});
    GdiFlush();
    for (int y = 0; y < rows; ++y) onRow(whole->Row(done + y), strip.Row(y));
  }
}

}  // namespace

int RowsDifferingInStrips(const documents::DocumentContent& c, int width, int height, int stripRows) {
  int differing = 0;
  CompareStrips(c, width, height, stripRows, [&](const uint8_t* a, const uint8_t* b) {
    differing += std::memcmp(a, b, size_t(width) * 3) != 0;
  });
  return differing;
}

int PixelsDifferingInStrips(const documents::DocumentContent& c, int width, int height, int stripRows) {
  int differing = 0;
  CompareStrips(c, width, height, stripRows, [&](const uint8_t* a, const uint8_t* b) {
    for (int x = 0; x < width; ++x) differing += std::memcmp(a + 3 * x, b + 3 * x, 3) != 0;
  });
  return differing;
}

}  // namespace doctest
