// A push button: the system BUTTON control with a click event, the dialog
// roles Default (Enter) and Cancel (Esc), and the modal result it gives its form.
#pragma once
#include "toolkit/buttoncontrol.h"

namespace tk {

class TButton : public TButtonControl {
 public:
  TButton(TWinControl* parent, int left, int top, int width, int height, const std::wstring& caption, int id = 0);

  // Sets the form's modal result (ending a modal form), then raises OnClick.
  void Click() override;

  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int value) { modalResult_ = value; }

  // The button Enter would press: it has the focus, or it is the default
  // button and the focus is on a control that is not a push button.
  bool Active() const { return active_; }

 protected:
  // For derived buttons that change the creation record (owner-draw, ...).
  TButton(TWinControl* parent, const CreateParams& cp);
  static CreateParams PushParams(int left, int top, int width, int height, const std::wstring& caption, int id);

  void FocusMoved(TWinControl* focused) override;
  // The active state changed: a system push button shows it as its default
  // frame; an owner-drawn one repaints.
  virtual void ActiveChanged();

 private:
  void UpdateActive(TWinControl* focused);
  bool default_ = false;
  bool cancel_ = false;
  bool active_ = false;
  int modalResult_ = 0;
};

}  // namespace tk
