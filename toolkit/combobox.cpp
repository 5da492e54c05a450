#include "toolkit/combobox.h"

#include <algorithm>
#include <vector>

#include "toolkit/handles.h"

namespace tk {

TCustomComboBox::TCustomComboBox(TWinControl* parent, TComboBoxStyle style, int left, int top, int width)
    : TWinControl(parent) {
  CreateParams cp;
  cp.className = L"COMBOBOX";
  cp.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS;
  if (style == TComboBoxStyle::csOwnerDrawFixed) cp.style |= CBS_OWNERDRAWFIXED;
  cp.x = left;
  cp.y = top;
  cp.width = width;
  // A combo box's window height is its dropped-down height; the closed height
  // follows from the item height.
  cp.height = 2 * itemHeight_ + dropDownCount_ * itemHeight_;
  CreateHandle(cp);
  SetColor(::GetSysColor(COLOR_WINDOW));
  // WM_MEASUREITEM came during creation, before this object was attached.
  if (style == TComboBoxStyle::csOwnerDrawFixed) SetItemHeight(itemHeight_);
}

int TCustomComboBox::ItemCount() const {
  if (!Handle()) return 0;
  const LRESULT n = ::SendMessageW(Handle(), CB_GETCOUNT, 0, 0);
  return n == CB_ERR ? 0 : static_cast<int>(n);
}

int TCustomComboBox::AddItem(const std::wstring& text) {
  if (!Handle()) return -1;
  const LRESULT i = ::SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  return i < 0 ? -1 : static_cast<int>(i);
}

bool TCustomComboBox::SetItem(int index, const std::wstring& text) {
  if (!Handle() || index < 0 || index >= ItemCount()) return false;
  // The list has no "replace": insert the new text before the old entry, then
  // drop the old one, so a failed insert leaves the list as it was.
  const int selected = ItemIndex();
  const LRESULT at = ::SendMessageW(Handle(), CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
  if (at != index) {
    if (at >= 0) ::SendMessageW(Handle(), CB_DELETESTRING, at, 0);
    return false;
  }
  ::SendMessageW(Handle(), CB_DELETESTRING, index + 1, 0);
  if (selected == index) ::SendMessageW(Handle(), CB_SETCURSEL, index, 0);
  return true;
}

std::wstring TCustomComboBox::Item(int index) const {
  if (!Handle()) return {};
  const LRESULT n = ::SendMessageW(Handle(), CB_GETLBTEXTLEN, index, 0);
  if (n < 0) return {};
  std::vector<wchar_t> buf(static_cast<size_t>(n) + 1, L'\0');
  const LRESULT got = ::SendMessageW(Handle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buf.data()));
  if (got < 0) return {};
  return std::wstring(buf.data(), static_cast<size_t>(std::min<LRESULT>(got, n)));
}

int TCustomComboBox::ItemIndex() const {
  if (!Handle()) return -1;
  const LRESULT i = ::SendMessageW(Handle(), CB_GETCURSEL, 0, 0);
  return i < 0 ? -1 : static_cast<int>(i);
}

bool TCustomComboBox::SetItemIndex(int index) {
  if (!Handle()) return false;
  const LRESULT r = ::SendMessageW(Handle(), CB_SETCURSEL, index, 0);
  // Clearing the selection reports CB_ERR by design.
  return index < 0 || r == index;
}

void TCustomComboBox::SetItemHeight(int height) {
  itemHeight_ = height;
  if (!Handle()) return;
  ::SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
  ::SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, height);
  ApplyDropDownHeight();
}

void TCustomComboBox::SetDropDownCount(int count) {
  dropDownCount_ = count;
  ApplyDropDownHeight();
}

void TCustomComboBox::ApplyDropDownHeight() {
  if (!Handle()) return;
  ::SendMessageW(Handle(), CB_SETMINVISIBLE, dropDownCount_, 0);
  // Older list implementations take the dropped height from the window height.
  RECT r;
  ::GetWindowRect(Handle(), &r);
  const int closed = r.bottom - r.top;
  ::SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, closed + dropDownCount_ * itemHeight_ + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TCustomComboBox::DroppedDown() const {
  return Handle() && ::SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0) != FALSE;
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange();
}

void TCustomComboBox::DrawItem(int index, const RECT& rect, UINT state, TItemCanvas& canvas) {
  GdiBrush b(::CreateSolidBrush(canvas.brushColor));
  ::FillRect(canvas.dc, &rect, b.get());
  const std::wstring text = Item(index);
  RECT tr = rect;
  tr.left += 2;
  ::DrawTextW(canvas.dc, text.c_str(), static_cast<int>(text.size()), &tr,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TCustomComboBox::DrawItemStruct(const DRAWITEMSTRUCT& dis) {
  SavedDC saved(dis.hDC);
  const bool selected = (dis.itemState & ODS_SELECTED) != 0;
  TItemCanvas canvas;
  canvas.dc = dis.hDC;
  canvas.brushColor = selected ? ::GetSysColor(COLOR_HIGHLIGHT) : Color();
  canvas.fontColor = ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
  ::SelectObject(dis.hDC, FontHandle(Font()));
  ::SetTextColor(dis.hDC, canvas.fontColor);
  ::SetBkColor(dis.hDC, canvas.brushColor);
  ::SetBkMode(dis.hDC, OPAQUE);
  if (static_cast<int>(dis.itemID) >= 0) {
    DrawItem(static_cast<int>(dis.itemID), dis.rcItem, dis.itemState, canvas);
  } else {
    GdiBrush b(::CreateSolidBrush(canvas.brushColor));
    ::FillRect(dis.hDC, &dis.rcItem, b.get());
  }
  if (dis.itemState & ODS_FOCUS) ::DrawFocusRect(dis.hDC, &dis.rcItem);
}

bool TCustomComboBox::HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(wp) == CBN_SELCHANGE) {
        Change();
      } else if (HIWORD(wp) == CBN_DROPDOWN) {
        if (OnDropDown) OnDropDown();
      } else {
        return false;
      }
      result = 0;
      return true;
    case WM_DRAWITEM: {
      const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (dis->CtlType != ODT_COMBOBOX) return false;
      DrawItemStruct(*dis);
      result = TRUE;
      return true;
    }
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      mis->itemHeight = static_cast<UINT>(itemHeight_);
      result = TRUE;
      return true;
    }
  }
  return false;
}

}  // namespace tk
