#include "shell/filter_combo.h"

#include <commctrl.h>

namespace shell {

TFilterComboBox::TFilterComboBox(tk::TWinControl* parent) : TWinControl(parent) {
  CreateParams cp;
  cp.className = WC_COMBOBOXW;
  cp.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_CLIPSIBLINGS | CBS_DROPDOWNLIST;
  cp.width = 185;
  cp.height = 200;  // a drop-down list's height includes its open list
  CreateHandle(cp);
}

void TFilterComboBox::SetFilter(const std::wstring& filter) {
  filter_ = filter;
  entries_ = core::SplitFilterText(filter);
  if (!Handle()) return;
  ::SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
  for (const auto& e : entries_)
    ::SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.description.c_str()));
  SetItemIndex(entries_.empty() ? -1 : 0);
}

int TFilterComboBox::ItemIndex() const {
  if (!Handle()) return -1;
  const auto i = static_cast<int>(::SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
  return i >= 0 && i < Count() ? i : -1;
}

void TFilterComboBox::SetItemIndex(int index) {
  if (!Handle() || index < -1 || index >= Count()) return;
  ::SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::wstring TFilterComboBox::Mask() const {
  const int i = ItemIndex();
  return i >= 0 ? entries_[i].mask : std::wstring();
}

bool TFilterComboBox::HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg != WM_COMMAND || HIWORD(wp) != CBN_SELCHANGE) return false;
  if (OnChange) OnChange();
  result = 0;
  return true;
}

}  // namespace shell
