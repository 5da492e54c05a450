#include "toolkit/label.h"

#include "toolkit/handles.h"

namespace tk {

TLabel::TLabel(TWinControl* parent, int left, int top, const std::wstring& caption, bool bold)
    : TCustomControl(parent), caption_(caption) {
  if (bold) SetFont(Font().Bold());
  SetBounds(left, top, 0, 0);
  AutoSize();
}

void TLabel::SetCaption(const std::wstring& caption) {
  caption_ = caption;
  AutoSize();
  Invalidate();
}

void TLabel::AutoSize() {
  if (!Handle()) return;
  WindowDC dc(Handle());
  SelectedObject font(dc.get(), FontHandle(Font()));
  RECT r{0, 0, 0, 0};
  ::DrawTextW(dc.get(), caption_.c_str(), static_cast<int>(caption_.size()), &r,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SetBounds(Left(), Top(), r.right, r.bottom);
}

bool TLabel::EraseBackground(HDC dc) {
  FillWithParentColor(dc);
  return true;
}

void TLabel::Paint(HDC dc) {
  RECT r;
  ::GetClientRect(Handle(), &r);
  SelectedObject font(dc, FontHandle(Font()));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  ::DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r, DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace tk
