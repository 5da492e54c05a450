// A push button: the system BUTTON control with a click event.
#pragma once
#include "toolkit/wincontrol.h"

namespace tk {

class TButton : public TWinControl {
 public:
  TButton(TWinControl* parent, int left, int top, int width, int height, const std::wstring& caption);

  std::function<void()> OnClick;

 protected:
  bool HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};

}  // namespace tk
