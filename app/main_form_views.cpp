// The two picture views: the current picture at 1:1, panned by dragging with
// any mouse button and scrolled vertically by the wheel.
#include <algorithm>

#include "app/layout.h"
#include "app/main_form.h"
#include "app/wheel.h"
#include "raster/draw_dib.h"

namespace app {

void TMainForm::SetUpViews() {
  for (auto* pair : {&PaintBox1, &ErgPaintBox}) {
    pair->SetBounds(0, 0, 393, 233);
    pair->SetCursor(::LoadCursorW(nullptr, IDC_HAND));
  }
  Dock(ScrollBox1, tk::TAlign::alClient);
  Dock(Plain(Panel5), tk::TAlign::alTop, 49);
  Dock(ErgScrollBox, tk::TAlign::alClient);

  PaintBox1.OnPaint = [this](HDC dc) { PaintBox1Paint(dc); };
  ErgPaintBox.OnPaint = [this](HDC dc) { ErgPaintBoxPaint(dc); };
  PaintBox1.OnMouseDown = [this](tk::TMouseButton b, int x, int y) { PaintBox1MouseDown(b, x, y); };
  ErgPaintBox.OnMouseDown = [this](tk::TMouseButton b, int x, int y) { ErgPaintBoxMouseDown(b, x, y); };
  PaintBox1.OnMouseMove = [this](int x, int y) { PaintBox1MouseMove(x, y); };
  ErgPaintBox.OnMouseMove = [this](int x, int y) { ErgPaintBoxMouseMove(x, y); };
  PaintBox1.OnMouseUp = [this](tk::TMouseButton b, int x, int y) { PaintBox1MouseUp(b, x, y); };
  ErgPaintBox.OnMouseUp = [this](tk::TMouseButton b, int x, int y) { ErgPaintBoxMouseUp(b, x, y); };
  // Alt+Tab or another window taking the mouse ends the drag: no release will come.
  PaintBox1.OnCaptureLost = [this] { Dragging = false; };
  ErgPaintBox.OnCaptureLost = [this] { Dragging = false; };
  OnMouseWheel = [this](int delta, int, int) {
    for (int n = TakeWheelNotches(WheelRemainder, delta); n != 0; n += n > 0 ? -1 : 1) {
      if (n > 0)
        FormMouseWheelUp();
      else
        FormMouseWheelDown();
    }
  };
}

// The paint box takes the picture's size first, one side per pass, and draws
// only once both fit; each size change brings another paint.
void TMainForm::PaintPicture(tk::TPaintBox& box, HDC dc) {
  const int32_t w = DIBWidth(CurrentImage), h = DIBHeight(CurrentImage);
  if (box.Width() != w) {
    box.SetWidth(w);
    box.Invalidate();
    return;
  }
  if (box.Height() != h) {
    box.SetHeight(h);
    box.Invalidate();
    return;
  }
  // A start-up picture whose allocation failed has no pixels to read.
  if (!CurrentImage.Bits) return;
  DrawDIB(dc, 0, 0, w, h, CurrentImage, 0, 0, w, h, true, SRCCOPY, true, nullptr);
}

void TMainForm::TakePicture(const TDibImage& picture) {
  if (CurrentImage.Bits) deldib(CurrentImage);
  CurrentImage = picture;
  PaintBox1.Repaint();
}

void TMainForm::PaintBox1Paint(HDC dc) { PaintPicture(PaintBox1, dc); }
void TMainForm::ErgPaintBoxPaint(HDC dc) { PaintPicture(ErgPaintBox, dc); }

void TMainForm::StartDrag(int x, int y) {
  Dragging = true;
  DragStartX = x;
  DragStartY = y;
}

void TMainForm::DragTo(tk::TScrollBox& box, int x, int y) {
  if (!Dragging) return;
  int64_t newH = static_cast<int64_t>(box.HorzPosition()) + (static_cast<int64_t>(DragStartX) - x);
  int64_t newV = static_cast<int64_t>(box.VertPosition()) + (static_cast<int64_t>(DragStartY) - y);
  newH = std::max<int64_t>(newH, 0);
  newV = std::max<int64_t>(newV, 0);
  newH = std::min<int64_t>(newH, box.HorzRange() - 1);
  newV = std::min<int64_t>(newV, box.VertRange() - 1);
  box.SetHorzPosition(static_cast<int>(newH));
  box.SetVertPosition(static_cast<int>(newV));
}

void TMainForm::PaintBox1MouseDown(tk::TMouseButton, int x, int y) { StartDrag(x, y); }
void TMainForm::ErgPaintBoxMouseDown(tk::TMouseButton, int x, int y) { StartDrag(x, y); }
void TMainForm::PaintBox1MouseMove(int x, int y) { DragTo(ScrollBox1, x, y); }
void TMainForm::ErgPaintBoxMouseMove(int x, int y) { DragTo(ErgScrollBox, x, y); }
void TMainForm::PaintBox1MouseUp(tk::TMouseButton, int, int) { Dragging = false; }
void TMainForm::ErgPaintBoxMouseUp(tk::TMouseButton, int, int) { Dragging = false; }

void TMainForm::WheelScroll(int pixels) {
  switch (PageControl2.ActivePageIndex()) {
    case 1:
      ScrollBox1.SetVertPosition(ScrollBox1.VertPosition() + pixels);
      break;
    case 2:
      ErgScrollBox.SetVertPosition(ErgScrollBox.VertPosition() + pixels);
      break;
    default:
      break;
  }
}

void TMainForm::FormMouseWheelDown() { WheelScroll(20); }
void TMainForm::FormMouseWheelUp() { WheelScroll(-20); }

}  // namespace app
