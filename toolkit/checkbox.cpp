#include "toolkit/checkbox.h"

namespace tk {

TCheckBox::TCheckBox(TWinControl* parent, int left, int top, int width, int height, const std::wstring& caption)
    : TWinControl(parent) {
  CreateParams cp;
  cp.className = L"BUTTON";
  cp.text = caption;
  cp.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
  cp.x = left;
  cp.y = top;
  cp.width = width;
  cp.height = height;
  CreateHandle(cp);
}

bool TCheckBox::Checked() const {
  return Handle() && ::SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
  if (Handle()) ::SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TCheckBox::HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(wp) != BN_CLICKED) return false;
      if (OnClick) OnClick();
      result = 0;
      return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // The caption area shows the parent's colour, not the dialog default.
      const COLORREF c = Parent() ? Parent()->Color() : Color();
      if (!background_ || backgroundColor_ != c) {
        background_.reset(::CreateSolidBrush(c));
        backgroundColor_ = c;
      }
      ::SetBkColor(reinterpret_cast<HDC>(wp), c);
      result = reinterpret_cast<LRESULT>(background_.get());
      return true;
    }
  }
  return false;
}

}  // namespace tk
