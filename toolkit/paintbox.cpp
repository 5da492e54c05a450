#include "toolkit/paintbox.h"

#include "toolkit/handles.h"

namespace tk {

TPaintBox::TPaintBox(TWinControl* parent) : TCustomControl(parent) { SetCaptureMouse(true); }

void TPaintBox::Paint(HDC dc) {
  if (OnPaint) OnPaint(dc);
}

bool TPaintBox::EraseBackground(HDC dc) {
  FillWithParentColor(dc);
  return true;
}

}  // namespace tk
