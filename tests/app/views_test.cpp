// The picture views on the size page and the save page.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/main_form.h"
#include "app/wheel.h"
#include "tests/support/pixels.h"

using testsupport::CaptureClient;
using testsupport::PumpMessages;

namespace {

// A w x h 24-bit picture whose pixel (x, y from the top) is (x & 255, y & 255, 77).
TDibImage Gradient(int w, int h) {
  TDibImage img{};
  newdib(&img, w, h, 24, nullptr, 0);
  auto* bits = static_cast<uint8_t*>(img.Bits);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = bits + static_cast<size_t>(h - 1 - y) * img.BytesPerRow + 3 * x;
      p[0] = 77;
      p[1] = static_cast<uint8_t>(y);
      p[2] = static_cast<uint8_t>(x);
    }
  return img;
}

struct SizeLog {
  std::vector<SIZE> atPaint;
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR ref) {
    if (m == WM_PAINT) {
      RECT r;
      GetClientRect(h, &r);
      reinterpret_cast<SizeLog*>(ref)->atPaint.push_back({r.right, r.bottom});
    }
    return DefSubclassProc(h, m, w, l);
  }
};

class ViewsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<app::TMainForm>();
    form->Show();
    PumpMessages();
  }
  void Page(int i) {
    form->PageControl2.SetActivePageIndex(i);
    PumpMessages();
  }
  void Wheel(int delta) {
    SendMessageW(form->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))), 0);
  }
  std::unique_ptr<app::TMainForm> form;
};

}  // namespace

TEST(WheelNotches, SumsAndCarriesRemainders) {
  int rest = 0;
  EXPECT_EQ(app::TakeWheelNotches(rest, -120), -1);
  EXPECT_EQ(app::TakeWheelNotches(rest, 360), 3);
  EXPECT_EQ(app::TakeWheelNotches(rest, -60), 0);
  EXPECT_EQ(app::TakeWheelNotches(rest, -60), -1);
  EXPECT_EQ(rest, 0);
  EXPECT_EQ(app::TakeWheelNotches(rest, 100), 0);
  EXPECT_EQ(app::TakeWheelNotches(rest, -100), 0);  // back and forth adds up to nothing
  EXPECT_EQ(rest, 0);
}

TEST_F(ViewsTest, BothViewsSettleOnTheStartUpPicture) {
  Page(1);
  EXPECT_EQ(form->PaintBox1.Width(), 320);
  EXPECT_EQ(form->PaintBox1.Height(), 200);
  // The other page's view has not been shown yet: still its layout size.
  EXPECT_EQ(form->ErgPaintBox.Width(), 393);
  EXPECT_EQ(form->ErgPaintBox.Height(), 233);
  Page(2);
  EXPECT_EQ(form->ErgPaintBox.Width(), 320);
  EXPECT_EQ(form->ErgPaintBox.Height(), 200);
  const auto snap = CaptureClient(form->ErgPaintBox.Handle());
  EXPECT_EQ(snap.At(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(snap.At(319, 199), RGB(255, 255, 255));
  // Smaller than the view: no scroll bars, and dragging moves nothing.
  EXPECT_FALSE(GetWindowLongW(form->ErgScrollBox.Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
  SendMessageW(form->ErgPaintBox.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
  SendMessageW(form->ErgPaintBox.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(form->ErgPaintBox.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(form->ErgScrollBox.HorzPosition(), 0);
  EXPECT_EQ(form->ErgScrollBox.VertPosition(), 0);
}

TEST_F(ViewsTest, ANewLargerPictureSettlesInThreePassesAndShowsAtOneToOne) {
  Page(1);
  SizeLog log;
  SetWindowSubclass(form->PaintBox1.Handle(), SizeLog::Proc, 7, reinterpret_cast<DWORD_PTR>(&log));
  const int live = PictrixLiveImages();
  form->TakePicture(Gradient(900, 700));
  EXPECT_EQ(PictrixLiveImages(), live);  // the old picture went, the new one came
  PumpMessages();
  RemoveWindowSubclass(form->PaintBox1.Handle(), SizeLog::Proc, 7);
  ASSERT_GE(log.atPaint.size(), 3u);
  // Width first, then height, then the drawing pass.
  EXPECT_EQ(log.atPaint[0].cx, 320);
  EXPECT_EQ(log.atPaint[1].cx, 900);
  EXPECT_EQ(log.atPaint[1].cy, 200);
  EXPECT_EQ(log.atPaint[2].cx, 900);
  EXPECT_EQ(log.atPaint[2].cy, 700);
  EXPECT_EQ(form->ScrollBox1.HorzRange(), 900);
  EXPECT_EQ(form->ScrollBox1.VertRange(), 700);

  form->ScrollBox1.SetHorzPosition(100);
  form->ScrollBox1.SetVertPosition(50);
  PumpMessages();
  const auto snap = CaptureClient(form->ScrollBox1.Handle());
  EXPECT_EQ(snap.At(0, 0), RGB(100, 50, 77));
  EXPECT_EQ(snap.At(37, 11), RGB(137, 61, 77));
}

TEST_F(ViewsTest, DraggingFollowsTheMouseAndStopsAtTheEnds) {
  form->TakePicture(Gradient(2000, 1500));  // as after a render on the size page
  Page(2);
  auto& box = form->ErgScrollBox;
  HWND pb = form->ErgPaintBox.Handle();
  const int maxH = 2000 - box.VisibleWidth(), maxV = 1500 - box.VisibleHeight();

  // Dragging by (-30, -20) moves the view by (30, 20): the picture follows the mouse.
  SendMessageW(pb, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 200));
  EXPECT_TRUE(form->IsDragging());
  SendMessageW(pb, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(170, 180));
  EXPECT_EQ(box.HorzPosition(), 30);
  EXPECT_EQ(box.VertPosition(), 20);
  // Far past the end: stops at the maximum.
  SendMessageW(pb, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-20000), static_cast<WORD>(-20000)));
  EXPECT_EQ(box.HorzPosition(), maxH);
  EXPECT_EQ(box.VertPosition(), maxV);
  SendMessageW(pb, WM_LBUTTONUP, 0, 0);
  EXPECT_FALSE(form->IsDragging());
  SendMessageW(pb, WM_MOUSEMOVE, 0, MAKELPARAM(500, 500));  // no drag without a button
  EXPECT_EQ(box.HorzPosition(), maxH);

  // The right button drags just as well, back to the start.
  SendMessageW(pb, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
  EXPECT_EQ(GetCapture(), pb);
  SendMessageW(pb, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(30000, 30000));
  EXPECT_EQ(box.HorzPosition(), 0);
  EXPECT_EQ(box.VertPosition(), 0);
  SendMessageW(pb, WM_RBUTTONUP, 0, 0);
  EXPECT_NE(GetCapture(), pb);
}

TEST_F(ViewsTest, ADragEndsWhenAnotherWindowTakesTheMouse) {
  form->TakePicture(Gradient(2000, 1500));
  Page(2);
  auto& box = form->ErgScrollBox;
  HWND pb = form->ErgPaintBox.Handle();
  struct Taker {
    const char* how;
    void (*take)(HWND other);
  } takers[] = {
      {"another window captures", [](HWND other) { SetCapture(other); }},
      {"the capture is released", [](HWND) { ReleaseCapture(); }},
  };
  for (const auto& t : takers) {
    SCOPED_TRACE(t.how);
    box.SetHorzPosition(0);
    SendMessageW(pb, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 200));
    ASSERT_EQ(GetCapture(), pb);
    t.take(form->ScrollBox1.Handle());
    EXPECT_FALSE(form->IsDragging());
    // The button is still down as far as the view knows, but no release will
    // come: moving must not pan.
    SendMessageW(pb, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 200));
    EXPECT_EQ(box.HorzPosition(), 0);
    ReleaseCapture();
  }
}

TEST_F(ViewsTest, WheelScrollsTheActivePageOnlyByTwentyPerNotch) {
  form->TakePicture(Gradient(500, 3000));
  Page(2);
  auto& erg = form->ErgScrollBox;
  Wheel(-120);
  EXPECT_EQ(erg.VertPosition(), 20);
  Wheel(-360);  // three notches in one event
  EXPECT_EQ(erg.VertPosition(), 80);
  Wheel(-60);
  EXPECT_EQ(erg.VertPosition(), 80);
  Wheel(-60);  // two half notches make one
  EXPECT_EQ(erg.VertPosition(), 100);
  Wheel(120);
  EXPECT_EQ(erg.VertPosition(), 80);
  Wheel(1200);
  EXPECT_EQ(erg.VertPosition(), 0);  // less at the top end
  EXPECT_EQ(erg.HorzPosition(), 0);  // never sideways

  Page(1);
  Wheel(-120);
  EXPECT_EQ(form->ScrollBox1.VertPosition(), 20);
  EXPECT_EQ(erg.VertPosition(), 0);

  Page(0);
  Wheel(-240);
  EXPECT_EQ(form->ScrollBox1.VertPosition(), 20);
  EXPECT_EQ(erg.VertPosition(), 0);
}
