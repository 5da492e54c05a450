#include "toolkit/buttoncontrol.h"

namespace tk {

TWinControl::CreateParams TButtonControl::Params(DWORD type, int left, int top, int width, int height,
                                                 const std::wstring& caption, int id) {
  CreateParams cp;
  cp.className = L"BUTTON";
  cp.text = caption;
  cp.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | type;
  cp.x = left;
  cp.y = top;
  cp.width = width;
  cp.height = height;
  cp.id = id;
  return cp;
}

TButtonControl::TButtonControl(TWinControl* parent, const CreateParams& cp) : TWinControl(parent) {
  CreateHandle(cp);
}

void TButtonControl::Click() {
  if (OnClick) OnClick();
}

bool TButtonControl::Checked() const {
  return Handle() && ::SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TButtonControl::SetChecked(bool checked) {
  if (Handle()) ::SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

HBRUSH TButtonControl::ParentColorBrush(HDC dc) {
  const COLORREF c = Parent() ? Parent()->Color() : Color();
  if (!background_ || backgroundColor_ != c) {
    background_.reset(::CreateSolidBrush(c));
    backgroundColor_ = c;
  }
  ::SetBkColor(dc, c);
  return background_.get();
}

bool TButtonControl::HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(wp) != BN_CLICKED) return false;
      Click();
      result = 0;
      return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      result = reinterpret_cast<LRESULT>(ParentColorBrush(reinterpret_cast<HDC>(wp)));
      return true;
  }
  return false;
}

}  // namespace tk
