#include "toolkit/button.h"

namespace tk {

TButton::TButton(TWinControl* parent, int left, int top, int width, int height, const std::wstring& caption)
    : TWinControl(parent) {
  CreateParams cp;
  cp.className = L"BUTTON";
  cp.text = caption;
  cp.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
  cp.x = left;
  cp.y = top;
  cp.width = width;
  cp.height = height;
  CreateHandle(cp);
}

bool TButton::HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
    if (OnClick) OnClick();
    result = 0;
    return true;
  }
  return false;
}

}  // namespace tk
