#include "render/holder/my_ole_container.h"

namespace render {

TMyOleContainer::TMyOleContainer(tk::TWinControl* parent, const std::wstring& applicationTitle,
                                 DocumentHolder::LinkFactory factory)
    : tk::TCustomControl(parent, WS_TABSTOP),
      holder_(MakeHost(applicationTitle), std::move(factory)) {
  SetText(L"MyOleContainer1");
  SetColor(GetSysColor(COLOR_WINDOW));
  SetAlign(tk::TAlign::alClient);
}

// The document goes before the window: releasing it repaints the holder.
TMyOleContainer::~TMyOleContainer() { holder_.ReleaseDocument(); }

DocumentHolder::Host TMyOleContainer::MakeHost(const std::wstring& applicationTitle) {
  DocumentHolder::Host host;
  host.invalidate = [this] { Invalidate(); };
  host.clientSize = [this] { return SIZE{ClientWidth(), ClientHeight()}; };
  host.window = [this] { return Handle(); };
  host.applicationTitle = applicationTitle;
  host.caption = L"MyOleContainer1";
  return host;
}

void TMyOleContainer::Paint(HDC dc) {
  holder_.PaintPreview(dc, SIZE{ClientWidth(), ClientHeight()}, Color(), Focused());
}

LRESULT TMyOleContainer::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_LBUTTONDOWN:
      SetFocus();
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SIZE:
      Invalidate();  // the focus rectangle and the fit depend on these
      break;
    case WM_CONTEXTMENU:
      return 0;  // no verb menu
  }
  return tk::TCustomControl::WndProc(msg, wp, lp);
}

}  // namespace render
