#include "app/button_bar.h"

#include "app/layout.h"
#include "app/shell_open.h"

namespace app {
namespace {

tk::TPicture Resource(const wchar_t* name) {
  tk::TPicture p;
  p.LoadFromResource(nullptr, name);  // a missing picture leaves the button blank
  return p;
}

void SetUpImageBtn(controls::TImageBtn& b, const wchar_t* normal, const wchar_t* pressed) {
  b.SetPicture(Resource(normal));
  b.SetPicture2(Resource(pressed));
  b.SetCursor(::LoadCursorW(nullptr, IDC_HAND));
}

}  // namespace

TButtonBar::TButtonBar(tk::TPanel& bar)
    : wwwBtn(&bar, kWwwBtnPlace.left, kWwwBtnPlace.top, kWwwBtnPlace.width, kWwwBtnPlace.height, kHomepageCaption),
      Panel8(&bar),
      ueberbtn(&Panel8, kUeberBtnPlace.left, kUeberBtnPlace.top, kUeberBtnPlace.width, kUeberBtnPlace.height),
      endebtn(&Panel8, kEndeBtnPlace.left, kEndeBtnPlace.top, kEndeBtnPlace.width, kEndeBtnPlace.height),
      Hints(*bar.Root()) {
  wwwBtn.SetFlat(true);
  // Two images side by side: normal and disabled.
  wwwBtn.SetGlyph(Resource(L"WWWGLYPH"), 2);
  Dock(Plain(Panel8), tk::TAlign::alRight, kPanel8Width);
  SetUpImageBtn(ueberbtn, L"INFOBTN", L"INFOBTN_PRESSED");
  SetUpImageBtn(endebtn, L"EXITBTN", L"EXITBTN_PRESSED");
  Hints.SetHint(wwwBtn, kWwwBtnHint);
  Hints.SetHint(ueberbtn, kUeberBtnHint);
  Hints.SetHint(endebtn, kEndeBtnHint);
  // The main window's hint display is off: the texts go with the controls but
  // a resting mouse shows nothing.
  Hints.SetShowHint(false);
}

}  // namespace app
