// A check box that toggles itself when clicked and sits on its parent's colour.
#pragma once
#include "toolkit/handles.h"
#include "toolkit/wincontrol.h"

namespace tk {

class TCheckBox : public TWinControl {
 public:
  TCheckBox(TWinControl* parent, int left, int top, int width, int height, const std::wstring& caption);

  bool Checked() const;
  // Does not raise OnClick, as only the user clicks.
  void SetChecked(bool checked);

  std::function<void()> OnClick;  // after the user toggled it

 protected:
  bool HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  GdiBrush background_;
  COLORREF backgroundColor_ = CLR_INVALID;
};

}  // namespace tk
