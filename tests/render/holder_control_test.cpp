// TMyOleContainer as a real window: its settings, the painted preview and focus.
#include <gtest/gtest.h>

#include "render/holder/my_ole_container.h"
#include "render/holder/ole_error.h"
#include "tests/render/holder_fixtures.h"
#include "toolkit/form.h"

using testsupport::CaptureClient;
using testsupport::PumpMessages;

namespace {

class Control : public testing::Test {
 protected:
  Control() : form_(L"THolderTestForm", L"holder", 200, 300, tk::TFont{}), holder_(&form_) {
    form_.Show();
    PumpMessages();
  }
  COLORREF Window() const { return GetSysColor(COLOR_WINDOW); }
  doctest::TempDir dir_;
  tk::TForm form_;
  render::TMyOleContainer holder_;
};

}  // namespace

TEST_F(Control, HasThePageSettings) {
  EXPECT_EQ(holder_.Align(), tk::TAlign::alClient);
  EXPECT_EQ(holder_.Width(), 200);
  EXPECT_EQ(holder_.Height(), 300);
  EXPECT_EQ(holder_.Color(), Window());
  EXPECT_EQ(holder_.Text(), L"MyOleContainer1");
  const LONG style = GetWindowLongW(holder_.Handle(), GWL_STYLE);
  const LONG exStyle = GetWindowLongW(holder_.Handle(), GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_TABSTOP);
  EXPECT_FALSE(style & WS_BORDER);
  EXPECT_FALSE(exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
}

TEST_F(Control, EmptyHolderShowsOnlyTheBackground) {
  const auto snap = CaptureClient(holder_.Handle());
  ASSERT_EQ(snap.width, 200);
  for (int y = 0; y < snap.height; ++y) ASSERT_EQ(snap.CountInRow(y, 0, snap.width, Window()), snap.width) << y;
}

TEST_F(Control, PreviewFitsAPortraitPageIntoTheWindow) {
  holder_.LinkDocument(dir_.Write(L"page.bmp", doctest::SolidBmp(210, 297, RGB(0, 0, 0), 1000)));
  UpdateWindow(holder_.Handle());
  const auto snap = CaptureClient(holder_.Handle());
  // 200 x 300 area, 21000 x 29700 document: 200 x 282 at (0, 9).
  for (int y = 0; y < 300; ++y) {
    const bool page = y >= 9 && y < 291;
    EXPECT_EQ(snap.CountInRow(y, 0, 200, page ? RGB(0, 0, 0) : Window()), 200) << "row " << y;
  }
  // Wider than the page now: 400 x 100 gives 70 x 100 at (165, 0).
  SetWindowPos(form_.Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER);
  RECT want{0, 0, 400, 100};
  AdjustWindowRectEx(&want, GetWindowLongW(form_.Handle(), GWL_STYLE), FALSE, GetWindowLongW(form_.Handle(), GWL_EXSTYLE));
  SetWindowPos(form_.Handle(), nullptr, 0, 0, want.right - want.left, want.bottom - want.top, SWP_NOMOVE | SWP_NOZORDER);
  PumpMessages();
  UpdateWindow(holder_.Handle());
  ASSERT_EQ(holder_.ClientWidth(), 400);
  ASSERT_EQ(holder_.ClientHeight(), 100);
  const auto wide = CaptureClient(holder_.Handle());
  for (int y = 0; y < 100; ++y) {
    EXPECT_EQ(wide.CountInRow(y, 165, 235, RGB(0, 0, 0)), 70) << "row " << y;
    EXPECT_EQ(wide.CountInRow(y, 0, 165, Window()) + wide.CountInRow(y, 235, 400, Window()), 330) << "row " << y;
  }
}

TEST_F(Control, FailedLinkBlanksThePreview) {
  holder_.LinkDocument(dir_.Write(L"page.bmp", doctest::SolidBmp(210, 297, RGB(0, 0, 0), 1000)));
  EXPECT_THROW(holder_.LinkDocument(dir_.Write(L"broken.bmp", {'B', 'M', 1, 2})), render::OleError);
  UpdateWindow(holder_.Handle());
  const auto snap = CaptureClient(holder_.Handle());
  EXPECT_EQ(snap.CountInRow(150, 0, 200, Window()), 200);
  EXPECT_EQ(holder_.GetDocumentExtent().x, 0);
}

TEST_F(Control, LeftClickTakesTheFocusAndShowsTheFocusRectangle) {
  SetFocus(form_.Handle());
  PumpMessages();
  ASSERT_FALSE(holder_.Focused());
  SendMessageW(holder_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
  SendMessageW(holder_.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
  EXPECT_TRUE(holder_.Focused());
  UpdateWindow(holder_.Handle());
  const auto snap = CaptureClient(holder_.Handle());
  EXPECT_LT(snap.CountInRow(0, 0, 200, Window()), 150) << "no focus rectangle along the top";
  EXPECT_EQ(snap.CountInRow(150, 2, 198, Window()), 196);
}
