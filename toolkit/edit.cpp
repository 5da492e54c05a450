#include "toolkit/edit.h"

namespace tk {

TEdit::TEdit(TWinControl* parent, int left, int top, int width, int height) : TWinControl(parent) {
  CreateParams cp;
  cp.className = L"EDIT";
  cp.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
  cp.exStyle = WS_EX_CLIENTEDGE;
  cp.x = left;
  cp.y = top;
  cp.width = width;
  cp.height = height;
  CreateHandle(cp);
  SetColor(::GetSysColor(COLOR_WINDOW));
}

void TEdit::SelectAll() {
  if (Handle()) ::SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

void TEdit::Change() {
  if (OnChange) OnChange();
}

void TEdit::DoExit() {
  if (OnExit) OnExit();
}

bool TEdit::HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == WM_COMMAND && HIWORD(wp) == EN_CHANGE) {
    Change();
    result = 0;
    return true;
  }
  return false;
}

LRESULT TEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_KILLFOCUS) {
    // Let the edit hide its caret and selection first; the exit handling may
    // rewrite the text.
    const LRESULT r = TWinControl::WndProc(msg, wp, lp);
    DoExit();
    return r;
  }
  return TWinControl::WndProc(msg, wp, lp);
}

}  // namespace tk
