#include "toolkit/checkbox.h"

namespace tk {

TCheckBox::TCheckBox(TWinControl* parent, int left, int top, int width, int height, const std::wstring& caption,
                     int id)
    : TButtonControl(parent, Params(BS_AUTOCHECKBOX, left, top, width, height, caption, id)) {}

std::vector<TPublishedProperty> TCheckBox::PublishedProperties() {
  auto list = TButtonControl::PublishedProperties();
  list.push_back(BooleanProperty(L"Checked", [this] { return Checked(); }, [this](bool v) { SetChecked(v); }));
  return list;
}

namespace {

TWinControl::CreateParams WithGroup(TWinControl::CreateParams cp, bool startsGroup) {
  if (startsGroup) cp.style |= WS_GROUP;
  return cp;
}

TWinControl::CreateParams AsGroupBox(TWinControl::CreateParams cp) {
  cp.style = (cp.style & ~WS_TABSTOP) | WS_GROUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  cp.exStyle |= WS_EX_CONTROLPARENT;
  return cp;
}

}  // namespace

TRadioButton::TRadioButton(TWinControl* parent, int left, int top, int width, int height,
                           const std::wstring& caption, bool startsGroup, int id)
    : TButtonControl(parent,
                     WithGroup(Params(BS_AUTORADIOBUTTON, left, top, width, height, caption, id), startsGroup)) {}

std::vector<TPublishedProperty> TRadioButton::PublishedProperties() {
  auto list = TButtonControl::PublishedProperties();
  list.push_back(BooleanProperty(L"Checked", [this] { return Checked(); }, [this](bool v) { SetChecked(v); }));
  return list;
}

TGroupBox::TGroupBox(TWinControl* parent, int left, int top, int width, int height, const std::wstring& caption,
                     int id)
    : TButtonControl(parent, AsGroupBox(Params(BS_GROUPBOX, left, top, width, height, caption, id))) {}

bool TGroupBox::EraseBackground(HDC dc) {
  RECT r;
  ::GetClientRect(Handle(), &r);
  // A sibling laid over the box but later in the tab order lies below it:
  // its area is left alone, or the box would paint over it.
  RECT self;
  ::GetWindowRect(Handle(), &self);
  for (HWND h = ::GetWindow(Handle(), GW_HWNDNEXT); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
    RECT other, overlap;
    if (!::IsWindowVisible(h) || !::GetWindowRect(h, &other) || !::IntersectRect(&overlap, &self, &other)) continue;
    ::MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&overlap), 2);
    ::ExcludeClipRect(dc, overlap.left, overlap.top, overlap.right, overlap.bottom);
  }
  ::FillRect(dc, &r, ParentColorBrush(dc));
  return true;
}

}  // namespace tk
