// A top-level window: caption, client size, centring, the close question and
// the events a form class handles; shown modelessly or as a modal dialog.
#pragma once
#include <utility>

#include "toolkit/wincontrol.h"

namespace tk {

// The results a modal form ends with; the button IDs of the same names.
enum TModalResult : int {
  mrNone = 0,
  mrOk = IDOK,
  mrCancel = IDCANCEL,
  mrAbort = IDABORT,
  mrRetry = IDRETRY,
  mrIgnore = IDIGNORE,
  mrYes = IDYES,
  mrNo = IDNO,
  mrAll = 8,
};

enum class TBorderStyle { bsSizeable, bsDialog };

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

// How a form's window is made: its owner, border and where it appears.
struct TFormStyle {
  HWND owner = nullptr;  // stays below the form; a modal form disables it while it runs
  TBorderStyle border = TBorderStyle::bsSizeable;
};

class TForm : public TWinControl {
 public:
  // className names the window class (so a form can be found by class and caption).
  TForm(const std::wstring& className, const std::wstring& caption, int clientWidth, int clientHeight,
        const TFont& font, const TFormStyle& style = {});
  ~TForm() override;

  void Show();
  // Asks OnCloseQuery and closes (destroys the window) only when allowed; a
  // modal form ends its loop with mrCancel instead.
  void Close();
  bool Closed() const { return Handle() == nullptr; }
  // Destroys the window and its children now, while every member still exists.
  void DestroyHandle();

  // Disables the owner, shows the form and runs a message loop of its own
  // until ModalResult is set or the window goes; then re-enables the owner
  // before hiding the form. Returns the result (mrCancel when the window was
  // destroyed or the application is quitting).
  int ShowModal();
  bool Modal() const { return modal_; }
  int ModalResult() const { return modalResult_; }
  // A result other than mrNone ends a running ShowModal.
  void SetModalResult(int result);

  // The ID Enter clicks: the focused push button, else the default one; 0 for none.
  int DefaultButtonId();

  TBorderStyle BorderStyle() const { return border_; }
  // The window class name the form was made with ("TMainForm").
  const std::wstring& ClassName() const { return className_; }

  // Focuses the control now when the form is visible, else when it is shown.
  void SetActiveControl(TWinControl* control);

  // Visible: what the window is now. Hidden: how the next Show or ShowModal
  // shows it. Setting it on a visible window changes the window at once.
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);

  std::function<void(bool& canClose)> OnCloseQuery;
  // Just before the window becomes visible (Show, ShowModal); not when Show
  // is called on a window that is visible already.
  std::function<void()> OnBeforeShow;
  // After the window became visible (and, modal, the first control took the focus).
  std::function<void()> OnShow;
  // A modal run ends with a result while the window still exists, before the
  // form hides: a button, Esc, Enter or a close the close question allowed.
  std::function<void()> OnModalEnd;
  std::function<void()> OnDestroy;
  std::function<void(int delta, int x, int y)> OnMouseWheel;  // raw wheel delta
  // A key press (WM_KEYDOWN or WM_SYSKEYDOWN) for any window of the form,
  // seen by the application's loop before the focused control gets it; true
  // when the form handled it and the control must not see it.
  std::function<bool(const MSG& msg)> OnShortCut;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  LRESULT DialogQuery(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // Enter or Esc that reached the form without a control (lp 0): the button
  // with that ID, the default button for IDOK, the cancel button for IDCANCEL.
  bool CommandWithoutControl(WPARAM wp);
  void FocusFirstControl();

  int ShowCommand() const;
  void FocusPendingControl();

  std::wstring className_;
  TBorderStyle border_;
  TWindowState pendingState_ = TWindowState::wsNormal;
  HWND pendingFocus_ = nullptr;  // a handle, not a pointer: the control may go before the form shows
  bool modal_ = false;
  int modalResult_ = mrNone;
};

// A form whose window, with the handlers that run on its destruction, goes
// before any member of F is destroyed:
//   tk::FormInstance<TAboutBox> about(owner);  about.ShowModal();
template <class F>
class FormInstance final : public F {
 public:
  template <class... Args>
  explicit FormInstance(Args&&... args) : F(std::forward<Args>(args)...) {}
  ~FormInstance() override { this->DestroyHandle(); }
};

}  // namespace tk
