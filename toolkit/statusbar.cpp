#include "toolkit/statusbar.h"

namespace tk {

TStatusBar::TStatusBar(TWinControl* parent, std::vector<TStatusPanel> panels)
    : TWinControl(parent), panels_(std::move(panels)) {
  CreateParams cp;
  cp.className = STATUSCLASSNAMEW;
  // The toolkit's alignment places the bar; the control must not move itself.
  cp.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  CreateHandle(cp);
  ApplyPanels();
}

void TStatusBar::ApplyPanels() {
  std::vector<int> edges;
  int pos = 0;
  for (const auto& p : panels_) {
    pos += p.width;
    edges.push_back(pos);
  }
  ::SendMessageW(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (size_t i = 0; i < panels_.size(); ++i) {
    if (panels_[i].ownerDraw)
      ::SendMessageW(Handle(), SB_SETTEXTW, i | SBT_OWNERDRAW, 0);
    else
      ::SendMessageW(Handle(), SB_SETTEXTW, i, reinterpret_cast<LPARAM>(panels_[i].text.c_str()));
  }
}

RECT TStatusBar::PanelRect(int i) const {
  RECT r{0, 0, 0, 0};
  ::SendMessageW(Handle(), SB_GETRECT, i, reinterpret_cast<LPARAM>(&r));
  return r;
}

bool TStatusBar::HandleNotify(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
  if (msg != WM_DRAWITEM) return false;
  const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
  if (OnDrawPanel) OnDrawPanel(dis->hDC, static_cast<int>(dis->itemID), dis->rcItem);
  result = TRUE;
  return true;
}

}  // namespace tk
