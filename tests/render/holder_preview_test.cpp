// The preview fit as painted pixels (its arithmetic is tested in the core).
#include <gtest/gtest.h>

#include "render/holder/ole_session.h"
#include "render/holder/preview_fit.h"
#include "tests/render/holder_fixtures.h"

using render::PreviewRect;

namespace {
constexpr int32_t kA4W = 21000, kA4H = 29700;
constexpr COLORREF kBack = RGB(255, 255, 255), kInk = RGB(0, 0, 0);
}  // namespace

TEST(PreviewFit, PixelsToHimetricUsesEachAxisOwnResolution) {
  const SIZEL h = render::PixelsToHimetric(SIZE{96, 120}, SIZE{96, 120});
  EXPECT_EQ(h.cx, 2540);
  EXPECT_EQ(h.cy, 2540);
  EXPECT_EQ(render::PixelsToHimetric(SIZE{10, 10}, SIZE{0, 96}).cx, 0);
}

// A black A4 page as an image: 210 x 297 px at 1000 px per metre is exactly
// 21000 x 29700 HIMETRIC, and images draw pixel-exactly.
TEST(PreviewPaint, PortraitPageLandsWhereTheFitSays) {
  doctest::TempDir dir;
  holdertest::TestHost host;
  render::DocumentHolder holder(host.Make());
  holder.LinkDocument(dir.Write(L"page.bmp", doctest::SolidBmp(210, 297, kInk, 1000)));
  ASSERT_EQ(holder.GetDocumentExtent().x, kA4W);
  ASSERT_EQ(holder.GetDocumentExtent().y, kA4H);
  struct Case { int w, h; PreviewRect r; };
  for (const Case& c : {Case{200, 300, {0, 9, 200, 282}}, Case{400, 100, {165, 0, 70, 100}}}) {
    testsupport::DibCanvas canvas(c.w, c.h, RGB(9, 9, 9));
    holder.PaintPreview(canvas.dc(), SIZE{c.w, c.h}, kBack, false);
    int wrong = 0;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) {
        const bool inside = x >= c.r.x && x < c.r.x + c.r.width && y >= c.r.y && y < c.r.y + c.r.height;
        wrong += canvas.At(x, y) != (inside ? kInk : kBack);
      }
    EXPECT_EQ(wrong, 0) << c.w << " x " << c.h;
  }
}

TEST(PreviewPaint, FocusRectangleOnlyWhenFocused) {
  holdertest::TestHost host;
  render::DocumentHolder holder(host.Make());
  testsupport::DibCanvas plain(60, 40), focused(60, 40);
  holder.PaintPreview(plain.dc(), SIZE{60, 40}, kBack, false);
  holder.PaintPreview(focused.dc(), SIZE{60, 40}, kBack, true);
  int marked = 0;
  for (int x = 0; x < 60; ++x) marked += focused.At(x, 0) != kBack;
  EXPECT_GT(marked, 10);
  EXPECT_EQ(focused.At(30, 20), kBack);
  for (int x = 0; x < 60; ++x) EXPECT_EQ(plain.At(x, 0), kBack);
}

TEST(OleSessionTest, RegistersTheThreeClipboardFormatsAndReadsTheScreen) {
  render::OleSession session;  // nested inside the test runner's own OleInitialize
  EXPECT_EQ(session.Formats().objectDescriptor, RegisterClipboardFormatW(L"Object Descriptor"));
  EXPECT_EQ(session.Formats().embeddedObject, RegisterClipboardFormatW(L"Embedded Object"));
  EXPECT_EQ(session.Formats().linkSource, RegisterClipboardFormatW(L"Link Source"));
  EXPECT_GE(session.Formats().objectDescriptor, 0xC000u);  // registered formats, not built-in ones
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(render::OleSession::ScreenPixelsPerInch().cx, GetDeviceCaps(screen, LOGPIXELSX));
  EXPECT_EQ(render::OleSession::ScreenPixelsPerInch().cy, GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
}
