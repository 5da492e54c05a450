#include "toolkit/paintbox.h"

#include "toolkit/handles.h"

namespace tk {

TPaintBox::TPaintBox(TWinControl* parent) : TCustomControl(parent) { SetCaptureMouse(true); }

void TPaintBox::Paint(HDC dc) {
  if (OnPaint) OnPaint(dc);
}

bool TPaintBox::EraseBackground(HDC dc) {
  RECT r;
  ::GetClientRect(Handle(), &r);
  GdiBrush b(::CreateSolidBrush(Parent() ? Parent()->Color() : Color()));
  ::FillRect(dc, &r, b.get());
  return true;
}

}  // namespace tk
