// The row ways on true-colour devices: exact copies, enlargement, clipping,
// black outside the image, colour tables, very wide pictures, and rows
// outside the DC's clip box never reaching the device.
#include "tests/raster/raster_fixtures.h"

#include <set>

#include "raster/draw_dib.h"
#include "tests/support/pixels.h"

using namespace rastertest;
using raster::LastRowDrawStats;
using raster::OwnedDib;
using testsupport::DibCanvas;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

void Draw(HDC dc, int dx, int dy, int dw, int dh, const OwnedDib& img, int sx, int sy, int sw, int sh) {
  DrawDIB(dc, dx, dy, dw, dh, img.get(), sx, sy, sw, sh, true, SRCCOPY, true, nullptr);
}

using RowWays = DrawFixture;

TEST_F(RowWays, OneToOneReproducesEveryPixel) {
  const OwnedDib img = PatternImage(37, 23);
  DibCanvas canvas(37, 23);
  Draw(canvas.dc(), 0, 0, 37, 23, img, 0, 0, 37, 23);
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 37; ++x) ASSERT_EQ(canvas.At(x, y), Pattern(x, y)) << x << "," << y;
  EXPECT_EQ(FakeDevice::stretchDIBitsCalls, 0);
  EXPECT_EQ(LastRowDrawStats().rowsSent, 23);
}

TEST_F(RowWays, TwoToOneRepeatsPixelsAndCopiesEachSourceRowOnce) {
  const OwnedDib img = PatternImage(13, 7);
  DibCanvas canvas(26, 14);
  Draw(canvas.dc(), 0, 0, 26, 14, img, 0, 0, 13, 7);
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 26; ++x) ASSERT_EQ(canvas.At(x, y), Pattern(x / 2, y / 2)) << x << "," << y;
  EXPECT_EQ(LastRowDrawStats().rowsCopied, 7);
  EXPECT_EQ(LastRowDrawStats().rowsSent, 14);
  EXPECT_EQ(FakeDevice::setDIBitsToDeviceCalls, 14);
}

TEST_F(RowWays, SourcePastTheRightEdgeNarrowsTheDestination) {
  const OwnedDib img = PatternImage(10, 6);
  DibCanvas canvas(30, 6);
  Draw(canvas.dc(), 5, 0, 16, 6, img, 6, 0, 8, 6);  // 2:1, only columns 6..9 exist
  for (int x = 0; x < 30; ++x) {
    const COLORREF want = (x >= 5 && x < 13) ? Pattern(6 + (x - 5) / 2, 2) : kWhite;
    ASSERT_EQ(canvas.At(x, 2), want) << x;
  }
}

TEST_F(RowWays, NegativeSourceXMovesTheDestinationRight) {
  const OwnedDib img = PatternImage(10, 6);
  DibCanvas canvas(30, 6);
  Draw(canvas.dc(), 0, 0, 20, 6, img, -5, 0, 10, 6);  // 2:1, five columns cut on the left
  for (int x = 0; x < 30; ++x) {
    const COLORREF want = (x >= 10 && x < 20) ? Pattern((x - 10) / 2, 4) : kWhite;
    ASSERT_EQ(canvas.At(x, 4), want) << x;
  }
}

TEST_F(RowWays, SourceBelowTheBottomShortensAndAboveTheTopMovesDown) {
  const OwnedDib img = PatternImage(4, 6);
  {
    DibCanvas canvas(4, 14);
    Draw(canvas.dc(), 0, 0, 4, 12, img, 0, -2, 4, 6);  // 2 rows below the image cut
    for (int y = 0; y < 14; ++y)
      ASSERT_EQ(canvas.At(1, y), y < 8 ? Pattern(1, 2 + y / 2) : kWhite) << y;
  }
  {
    DibCanvas canvas(4, 14);
    Draw(canvas.dc(), 0, 0, 4, 12, img, 0, 2, 4, 6);  // 2 rows above the image cut
    for (int y = 0; y < 14; ++y)
      ASSERT_EQ(canvas.At(1, y), (y >= 4 && y < 12) ? Pattern(1, (y - 4) / 2) : kWhite) << y;
  }
}

TEST_F(RowWays, DestinationOutsideTheImageComesOutBlack) {
  const OwnedDib img = PatternImage(4, 3);
  DibCanvas canvas(8, 6);
  // 2:1 from column -2 and row -1 (from the top): the first four columns and
  // the first two rows map outside the image.
  DrawDIBRows24(canvas.dc(), 0, 0, 8, 6, img.get(), -2, -1, 4, 3);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool inside = x >= 4 && y >= 2;
      ASSERT_EQ(canvas.At(x, y), inside ? Pattern((x - 4) / 2, (y - 2) / 2) : kBlack) << x << "," << y;
    }
}

TEST_F(RowWays, EightBitImagesKeepTheirColourTable) {
  OwnedDib img = OwnedDib::New(16, 4, 8);
  ASSERT_TRUE(img);
  RGBQUAD* table = img.get().Info->bmiColors;
  for (int i = 0; i < 256; ++i) table[i] = RGBQUAD{BYTE((i * 7) & 255), BYTE(255 - i), BYTE(i), 0};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 16; ++x) setpixel(img.get(), x, 3 - y, (x * 16 + y * 5) & 255);
  DibCanvas canvas(32, 8);
  Draw(canvas.dc(), 0, 0, 32, 8, img, 0, 0, 16, 4);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 32; ++x) {
      const RGBQUAD q = table[(x / 2 * 16 + y / 2 * 5) & 255];
      ASSERT_EQ(canvas.At(x, y), RGB(q.rgbRed, q.rgbGreen, q.rgbBlue)) << x << "," << y;
    }
  EXPECT_EQ(LastRowDrawStats().rowsCopied, 4);
}

TEST_F(RowWays, PicturesBeyond46341PixelsDrawExactly) {
  const OwnedDib img = PatternImage(50000, 2);
  ASSERT_TRUE(img);
  {
    DibCanvas canvas(50000, 2);
    Draw(canvas.dc(), 0, 0, 50000, 2, img, 0, 0, 50000, 2);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 50000; ++x) ASSERT_EQ(canvas.At(x, y), Pattern(x, y)) << x;
  }
  {
    DibCanvas canvas(25000, 1);  // halved: every second column and row
    Draw(canvas.dc(), 0, 0, 25000, 1, img, 0, 0, 50000, 2);
    for (int x = 0; x < 25000; ++x) ASSERT_EQ(canvas.At(x, 0), Pattern(2 * x, 0)) << x;
  }
  {
    DibCanvas canvas(30, 2);  // the last ten columns, 3:1
    Draw(canvas.dc(), 0, 0, 30, 2, img, 49990, 0, 10, 2);
    for (int x = 0; x < 30; ++x) ASSERT_EQ(canvas.At(x, 1), Pattern(49990 + x / 3, 1)) << x;
  }
  const OwnedDib tall = PatternImage(2, 50000);  // SrcHeight * r passes 2^31 as well
  DibCanvas canvas(2, 50000);
  Draw(canvas.dc(), 0, 0, 2, 50000, tall, 0, 0, 2, 50000);
  for (int y = 0; y < 50000; ++y) ASSERT_EQ(canvas.At(1, y), Pattern(1, y)) << y;
}

TEST_F(RowWays, RowsAndColumnsOutsideTheClipBoxAreSkippedWithIdenticalPixels) {
  const OwnedDib img = PatternImage(300, 400);
  DibCanvas canvas(300, 400);
  IntersectClipRect(canvas.dc(), 10, 50, 200, 120);
  Draw(canvas.dc(), 0, 0, 300, 400, img, 0, 0, 300, 400);
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 300; ++x) {
      const bool visible = x >= 10 && x < 200 && y >= 50 && y < 120;
      ASSERT_EQ(canvas.At(x, y), visible ? Pattern(x, y) : kWhite) << x << "," << y;
    }
  EXPECT_EQ(FakeDevice::setDIBitsToDeviceCalls, 70);
  EXPECT_EQ(LastRowDrawStats().rowsCopied, 70);

  // A picture scrolled up by 1000 rows: only the rows on the canvas are sent.
  const OwnedDib tall = PatternImage(300, 3000);
  DibCanvas view(300, 400);
  FakeDevice::setDIBitsToDeviceCalls = 0;
  Draw(view.dc(), 0, -1000, 300, 3000, tall, 0, 0, 300, 3000);
  EXPECT_EQ(FakeDevice::setDIBitsToDeviceCalls, 400);
  for (int y = 0; y < 400; y += 37) ASSERT_EQ(view.At(150, y), Pattern(150, 1000 + y)) << y;
}

TEST_F(RowWays, MetafilesReceiveEveryRow) {
  const OwnedDib img = PatternImage(20, 30);
  HDC emf = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(emf, nullptr);
  Draw(emf, 0, 0, 20, 30, img, 0, 0, 20, 30);
  EXPECT_EQ(FakeDevice::setDIBitsToDeviceCalls, 30);
  HENHMETAFILE mf = CloseEnhMetaFile(emf);
  ASSERT_NE(mf, nullptr);
  // The recording holds one 20-pixel row for each of the 30 destination rows.
  std::set<LONG> rows;
  struct Collect {
    // A CALLBACK function, which a lambda cannot be on 32-bit Windows.
    static int CALLBACK Record(HDC, HANDLETABLE*, const ENHMETARECORD* rec, int, LPARAM p) {
      if (rec->iType == EMR_SETDIBITSTODEVICE) {
        const auto* r = reinterpret_cast<const EMRSETDIBITSTODEVICE*>(rec);
        if (r->cxSrc == 20 && r->cySrc == 1) reinterpret_cast<std::set<LONG>*>(p)->insert(r->yDest);
      }
      return 1;
    }
  };
  EnumEnhMetaFile(nullptr, mf, Collect::Record, &rows, nullptr);
  DeleteEnhMetaFile(mf);
  EXPECT_EQ(rows.size(), 30u);
  EXPECT_EQ(*rows.begin(), 0);
  EXPECT_EQ(*rows.rbegin(), 29);
}

// A window painting the picture at 1:1 as the picture views do.
class PictureWindow {
 public:
  explicit PictureWindow(const TDibImage& image, int scrollY) : image_(image), scrollY_(scrollY) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"RasterTestPicture";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 320, 240,
                            nullptr, nullptr, wc.hInstance, this);
  }
  ~PictureWindow() { DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_NCCREATE)
      SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
    auto* self = reinterpret_cast<PictureWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (m == WM_PAINT && self) {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      const int w = DIBWidth(self->image_), hh = DIBHeight(self->image_);
      DrawDIB(ps.hdc, 0, -self->scrollY_, w, hh, self->image_, 0, 0, w, hh, true, SRCCOPY, true, nullptr);
      EndPaint(h, &ps);
      return 0;
    }
    if (m == WM_ERASEBKGND) return 1;
    return DefWindowProcW(h, m, w, l);
  }
  const TDibImage& image_;
  int scrollY_;
  HWND hwnd_;
};

TEST_F(RowWays, AWindowPaintSendsOnlyItsVisibleRows) {
  const OwnedDib img = PatternImage(1500, 2500);
  ASSERT_TRUE(img);
  PictureWindow win(img.get(), 1000);
  ASSERT_NE(win.hwnd(), nullptr);
  InvalidateRect(win.hwnd(), nullptr, FALSE);
  FakeDevice::setDIBitsToDeviceCalls = 0;
  UpdateWindow(win.hwnd());
  testsupport::PumpMessages();
  EXPECT_GT(FakeDevice::setDIBitsToDeviceCalls, 0);
  EXPECT_LE(FakeDevice::setDIBitsToDeviceCalls, 240);
  const testsupport::Snapshot shot = testsupport::CaptureClient(win.hwnd());
  ASSERT_EQ(shot.width, 320);
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 320; ++x) ASSERT_EQ(shot.At(x, y), Pattern(x, 1000 + y)) << x << "," << y;
}

}  // namespace
