#include "toolkit/listbox.h"

namespace tk {

TListBox::TListBox(TWinControl* parent, int itemHeight) : TWinControl(parent) {
  CreateParams cp;
  cp.className = L"LISTBOX";
  cp.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_CLIPSIBLINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
             LBS_HASSTRINGS | LBS_WANTKEYBOARDINPUT;
  cp.exStyle = WS_EX_CLIENTEDGE;
  CreateHandle(cp);
  ::SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, itemHeight);
  SetColor(::GetSysColor(COLOR_WINDOW));
}

int TListBox::Count() const { return static_cast<int>(::SendMessageW(Handle(), LB_GETCOUNT, 0, 0)); }

std::wstring TListBox::Item(int i) const {
  const LRESULT n = ::SendMessageW(Handle(), LB_GETTEXTLEN, i, 0);
  if (n == LB_ERR) return {};
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  const LRESULT got = ::SendMessageW(Handle(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(s.data()));
  s.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
  return s;
}

void TListBox::Add(const std::wstring& s) {
  ::SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
}

void TListBox::Insert(int i, const std::wstring& s) {
  ::SendMessageW(Handle(), LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(s.c_str()));
}

void TListBox::Delete(int i) { ::SendMessageW(Handle(), LB_DELETESTRING, i, 0); }

void TListBox::Clear() { ::SendMessageW(Handle(), LB_RESETCONTENT, 0, 0); }

int TListBox::ItemIndex() const { return static_cast<int>(::SendMessageW(Handle(), LB_GETCURSEL, 0, 0)); }

void TListBox::SetItemIndex(int i) { ::SendMessageW(Handle(), LB_SETCURSEL, i, 0); }

LRESULT TListBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CHAR && OnKeyPress) {
    wchar_t key = static_cast<wchar_t>(wp);
    OnKeyPress(key);
    if (key == 0) return 0;
    wp = key;
  }
  if (msg == WM_GETDLGCODE) return DLGC_WANTCHARS | DLGC_WANTARROWS | DefaultProc(msg, wp, lp);
  return TWinControl::WndProc(msg, wp, lp);
}

bool TListBox::HandleNotify(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
  if (msg == WM_CTLCOLORLISTBOX) return false;
  if (msg == WM_COMMAND && HIWORD(wp) == LBN_DBLCLK) {
    if (OnDblClick) OnDblClick();
    result = 0;
    return true;
  }
  return false;
}

}  // namespace tk
