#include "toolkit/image.h"

#include "toolkit/handles.h"

namespace tk {

TImage::TImage(TWinControl* parent, int left, int top, int width, int height) : TCustomControl(parent) {
  SetCaptureMouse(true);
  SetBounds(left, top, width, height);
}

void TImage::SetPicture(const TPicture& picture) {
  picture_ = picture;
  AdjustSize();
  Repaint();
}

void TImage::SetAutoSize(bool value) {
  autoSize_ = value;
  AdjustSize();
}

void TImage::AdjustSize() {
  if (autoSize_ && !picture_.Empty() && (Width() != picture_.Width() || Height() != picture_.Height()))
    SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
}

void TImage::Paint(HDC dc) { picture_.Draw(dc, 0, 0); }

bool TImage::EraseBackground(HDC dc) {
  FillWithParentColor(dc);
  return true;
}

}  // namespace tk
