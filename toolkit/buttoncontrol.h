// The base of the controls made from the system BUTTON class: push buttons,
// check boxes, radio buttons and group boxes. It creates the window from a
// creation record that a derived control may change, raises OnClick, and lets
// the captions of the non-push kinds sit on their parent's colour.
#pragma once
#include "toolkit/handles.h"
#include "toolkit/wincontrol.h"

namespace tk {

class TButtonControl : public TWinControl {
 public:
  std::function<void()> OnClick;

  // What a click does; the user's click and BM_CLICK end up here.
  virtual void Click();

  // Check state of check boxes and radio buttons; setting it raises no OnClick,
  // as only the user clicks.
  bool Checked() const;
  void SetChecked(bool checked);

 protected:
  // The creation record of a BUTTON window of the given BS_ type.
  static CreateParams Params(DWORD type, int left, int top, int width, int height, const std::wstring& caption,
                             int id);
  TButtonControl(TWinControl* parent, const CreateParams& cp);

  bool HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  // The brush for WM_CTLCOLOR*: the parent's colour, for kinds whose caption
  // area the system paints with it.
  HBRUSH ParentColorBrush(HDC dc);

 private:
  GdiBrush background_;
  COLORREF backgroundColor_ = CLR_INVALID;
};

}  // namespace tk
