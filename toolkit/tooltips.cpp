#include "toolkit/tooltips.h"

#include <commctrl.h>

#include <vector>

namespace tk {

TToolTips::TToolTips(TWinControl& form)
    : owner_(form.Handle()),
      hwnd_(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form.Handle(), nullptr,
                              ::GetModuleHandleW(nullptr), nullptr)) {}

TToolTips::~TToolTips() {
  // The tooltip is owned by the form and goes with it when the form's window
  // is destroyed first.
  if (hwnd_ && ::IsWindow(hwnd_) && ::GetWindow(hwnd_, GW_OWNER) == owner_) ::DestroyWindow(hwnd_);
}

TOOLINFOW TToolTips::Tool(const TWinControl& control) const {
  TOOLINFOW ti{};
  // The size without the reserved field: older tooltip versions refuse the full one.
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = owner_;
  ti.uId = reinterpret_cast<UINT_PTR>(control.Handle());
  return ti;
}

void TToolTips::SetHint(const TWinControl& control, const std::wstring& hint) {
  if (!hwnd_ || !control.Handle()) return;
  TOOLINFOW ti = Tool(control);
  ::SendMessageW(hwnd_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  if (hint.empty()) return;
  std::wstring text = hint;  // the tooltip copies the text
  ti.lpszText = text.data();
  ::SendMessageW(hwnd_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

std::wstring TToolTips::Hint(const TWinControl& control) const {
  if (!hwnd_ || !control.Handle()) return {};
  TOOLINFOW ti = Tool(control);
  if (!::SendMessageW(hwnd_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti))) return {};
  std::vector<wchar_t> buffer(1024, L'\0');
  ti = Tool(control);
  ti.lpszText = buffer.data();
  ::SendMessageW(hwnd_, TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&ti));
  return buffer.data();
}

void TToolTips::SetShowHint(bool show) {
  if (hwnd_) ::SendMessageW(hwnd_, TTM_ACTIVATE, show ? TRUE : FALSE, 0);
}

}  // namespace tk
