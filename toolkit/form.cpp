#include "toolkit/form.h"

#include <windowsx.h>

#include "toolkit/button.h"
#include "toolkit/dialog_keys.h"

namespace tk {
namespace {

// Depth first over the toolkit controls of a window.
template <class Fn>
TWinControl* FindControl(TWinControl* c, Fn&& match) {
  for (TWinControl* child : c->Controls()) {
    if (match(child)) return child;
    if (TWinControl* d = FindControl(child, match)) return d;
  }
  return nullptr;
}

TButton* FindButton(TWinControl* root, bool (TButton::*flag)() const) {
  return static_cast<TButton*>(FindControl(root, [flag](TWinControl* c) {
    auto* b = dynamic_cast<TButton*>(c);
    return b && (b->*flag)() && b->Visible() && b->Enabled();
  }));
}

}  // namespace

TForm::TForm(const std::wstring& className, const std::wstring& caption, int clientWidth, int clientHeight,
             const TFont& font, const TFormStyle& style)
    : TWinControl(nullptr), className_(className), border_(style.border) {
  SetFont(font);
  const bool dialog = style.border == TBorderStyle::bsDialog;
  // A dialog border is fixed and carries only the system menu.
  const DWORD wsStyle = dialog ? WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_MODALFRAME
                               : WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_CONTROLPARENT | (dialog ? WS_EX_DLGMODALFRAME : 0);
  RECT r{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&r, wsStyle, FALSE, exStyle);
  const int w = r.right - r.left, h = r.bottom - r.top;
  // Centred on the desktop's work area unless a stored placement moves it later.
  RECT work;
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  CreateParams cp;
  cp.ownClass = className_;
  cp.text = caption;
  cp.style = wsStyle;
  cp.exStyle = exStyle;
  cp.x = work.left + (work.right - work.left - w) / 2;
  cp.y = work.top + (work.bottom - work.top - h) / 2;
  cp.width = w;
  cp.height = h;
  cp.owner = style.owner;
  CreateHandle(cp);
}

TForm::~TForm() {
  // A derived form's members are gone by now; its handlers must not run on
  // them. FormInstance destroys the window earlier, with the handlers.
  OnDestroy = nullptr;
  OnCloseQuery = nullptr;
  OnModalEnd = nullptr;
  DestroyHandle();
}

TWindowState TForm::WindowState() const {
  if (!Handle() || !::IsWindowVisible(Handle())) return pendingState_;
  if (::IsIconic(Handle())) return TWindowState::wsMinimized;
  if (::IsZoomed(Handle())) return TWindowState::wsMaximized;
  return TWindowState::wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
  pendingState_ = state;
  if (Handle() && ::IsWindowVisible(Handle())) ::ShowWindow(Handle(), ShowCommand());
}

void TForm::SetActiveControl(TWinControl* control) {
  pendingFocus_ = control ? control->Handle() : nullptr;
  if (Handle() && ::IsWindowVisible(Handle())) FocusPendingControl();
}

void TForm::FocusPendingControl() {
  const HWND h = std::exchange(pendingFocus_, nullptr);
  if (h && ::IsChild(Handle(), h) && ::IsWindowVisible(h) && ::IsWindowEnabled(h)) ::SetFocus(h);
}

int TForm::ShowCommand() const {
  switch (pendingState_) {
    case TWindowState::wsMinimized:
      return SW_SHOWMINIMIZED;
    case TWindowState::wsMaximized:
      return SW_SHOWMAXIMIZED;
    default:
      return ::IsIconic(Handle()) || ::IsZoomed(Handle()) ? SW_RESTORE : SW_SHOW;
  }
}

void TForm::DestroyHandle() {
  if (Handle()) ::DestroyWindow(Handle());
}

void TForm::Show() {
  if (!Handle()) return;
  // Shown again while it is visible, the window stays as the user left it:
  // nothing is restored over what they changed, a maximized window stays so.
  const bool appearing = !::IsWindowVisible(Handle());
  if (appearing && OnBeforeShow) OnBeforeShow();
  if (!Handle()) return;
  ::ShowWindow(Handle(), appearing ? ShowCommand() : SW_SHOW);
  ::UpdateWindow(Handle());
  FocusPendingControl();
  if (OnShow) OnShow();
}

void TForm::Close() {
  if (Handle()) ::SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TForm::SetModalResult(int result) {
  modalResult_ = result;
  // Wakes the modal loop, which looks at the result after every message.
  if (modal_ && result != mrNone && Handle()) ::PostMessageW(Handle(), WM_NULL, 0, 0);
}

void TForm::FocusFirstControl() {
  const HWND focus = ::GetFocus();
  if (focus && ::IsChild(Handle(), focus)) return;
  if (HWND first = ::GetNextDlgTabItem(Handle(), nullptr, FALSE)) ::SetFocus(first);
}

int TForm::ShowModal() {
  if (!Handle() || modal_) return mrNone;
  const HWND owner = ::GetWindow(Handle(), GW_OWNER);
  modalResult_ = mrNone;
  modal_ = true;
  if (OnBeforeShow) OnBeforeShow();
  if (owner) ::EnableWindow(owner, FALSE);
  if (Handle()) ::ShowWindow(Handle(), ShowCommand());
  ::UpdateWindow(Handle());
  FocusPendingControl();
  FocusFirstControl();
  if (OnShow) OnShow();
  bool quit = false;
  WPARAM quitCode = 0;
  MSG msg;
  while (modalResult_ == mrNone && Handle()) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      quit = true;
      quitCode = msg.wParam;
      break;
    }
    if (NavigateDialog(Handle(), msg, TNavigation::dialog)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  modal_ = false;
  if (modalResult_ != mrNone && !quit && Handle() && OnModalEnd) OnModalEnd();
  if (modalResult_ == mrNone) modalResult_ = mrCancel;
  // The owner is enabled before the form hides: otherwise the system
  // activates some other application's window in between.
  if (owner) ::EnableWindow(owner, TRUE);
  if (Handle()) {
    ::ShowWindow(Handle(), SW_HIDE);
    if (owner && ::GetActiveWindow() != owner) ::SetActiveWindow(owner);
  }
  // The outer loop must see the quit request too.
  if (quit) ::PostQuitMessage(static_cast<int>(quitCode));
  return modalResult_;
}

int TForm::DefaultButtonId() {
  TButton* b = static_cast<TButton*>(
      FindControl(this, [](TWinControl* c) { auto* b = dynamic_cast<TButton*>(c); return b && b->Active(); }));
  if (!b) b = FindButton(this, &TButton::Default);
  return b ? b->ControlId() : 0;
}

LRESULT TForm::DialogQuery(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == DM_GETDEFID) {
    const int id = DefaultButtonId();
    return id ? MAKELRESULT(id, DC_HASDEFID) : 0;
  }
  return TRUE;  // DM_SETDEFID: the default follows the buttons' own Default
}

bool TForm::CommandWithoutControl(WPARAM wp) {
  if (HIWORD(wp) != BN_CLICKED) return false;
  const int id = LOWORD(wp);
  TButton* b = dynamic_cast<TButton*>(FindDescendant(id));
  if (!b && id == IDCANCEL) b = FindButton(this, &TButton::Cancel);
  if (!b && id == IDOK) b = FindButton(this, &TButton::Default);
  if (!b || !b->Enabled()) return false;
  b->Click();
  return true;
}

LRESULT TForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (lp == 0 && CommandWithoutControl(wp)) return 0;
      break;
    case WM_CLOSE: {
      bool canClose = true;
      if (OnCloseQuery) OnCloseQuery(canClose);
      if (!canClose) return 0;
      if (modal_)
        SetModalResult(mrCancel);
      else
        ::DestroyWindow(Handle());
      return 0;
    }
    case WM_DESTROY:
      if (OnDestroy) OnDestroy();
      break;
    case WM_MOUSEWHEEL:
      if (OnMouseWheel) {
        POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wp), pt.x, pt.y);
      }
      return 0;
  }
  return TWinControl::WndProc(msg, wp, lp);
}

}  // namespace tk
