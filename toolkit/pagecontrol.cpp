#include "toolkit/pagecontrol.h"

namespace tk {

TTabSheet::TTabSheet(TPageControl* owner, const std::wstring& caption, int imageIndex)
    : TPanel(owner), caption_(caption), imageIndex_(imageIndex) {
  SetBevelOuter(TBevel::bvNone);
  owner->AddPage(this);
}

TPageControl::TPageControl(TWinControl* parent) : TWinControl(parent) {
  CreateParams cp;
  cp.className = WC_TABCONTROLW;
  cp.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP | TCS_HOTTRACK;
  cp.exStyle = WS_EX_CONTROLPARENT;
  CreateHandle(cp);
}

void TPageControl::AddPage(TTabSheet* page) {
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = const_cast<wchar_t*>(page->Caption().c_str());
  item.iImage = page->ImageIndex();
  const int index = static_cast<int>(pages_.size());
  pages_.push_back(page);
  ::SendMessageW(Handle(), TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
  page->SetAlign(TAlign::alClient);
  ShowActive();
}

void TPageControl::SetImages(ImageList images) {
  images_ = std::move(images);
  ::SendMessageW(Handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
  Realign();
}

int TPageControl::ActivePageIndex() const {
  return static_cast<int>(::SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
}

TTabSheet* TPageControl::ActivePage() const {
  const int i = ActivePageIndex();
  return i >= 0 && i < PageCount() ? pages_[static_cast<size_t>(i)] : nullptr;
}

void TPageControl::SetActivePageIndex(int index) {
  ::SendMessageW(Handle(), TCM_SETCURSEL, index, 0);
  ShowActive();
  if (OnChange) OnChange();
}

void TPageControl::ShowActive() {
  const int active = ActivePageIndex();
  for (int i = 0; i < PageCount(); ++i) {
    HWND h = pages_[static_cast<size_t>(i)]->Handle();
    if (!h) continue;
    ::ShowWindow(h, i == active ? SW_SHOW : SW_HIDE);
  }
  Realign();
}

bool TPageControl::HandleNotify(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
  if (msg != WM_NOTIFY) return false;
  const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
  if (hdr->code == TCN_SELCHANGE) {
    ShowActive();
    if (OnChange) OnChange();
    result = 0;
    return true;
  }
  return false;
}

LRESULT TPageControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  return TWinControl::WndProc(msg, wp, lp);
}

RECT TPageControl::AlignRect() const {
  RECT r{0, 0, 0, 0};
  if (!Handle()) return r;
  ::GetClientRect(Handle(), &r);
  ::SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

}  // namespace tk
