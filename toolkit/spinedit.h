// An edit for whole numbers with up/down buttons: the value lives in the text,
// so typing, the buttons, the arrow keys and code all change it the same way
// and all raise OnChange through the edit's own change notification.
#pragma once
#include <cstdint>

#include "core/spin_value.h"
#include "toolkit/edit.h"

namespace tk {

class TRxSpinEdit : public TEdit {
 public:
  TRxSpinEdit(TWinControl* parent, int left, int top, int width, int height);

  // The text as a whole number, not clamped; MinValue while the text is not a number.
  double Value() const;
  // Clamps and rounds (halves to even), then writes the text; OnChange is
  // raised only if the text changed. NaN is ignored.
  void SetValue(double v);

  double MinValue() const { return range_.min; }
  double MaxValue() const { return range_.max; }
  void SetRange(int32_t minValue, int32_t maxValue);

  // The up/down button control inside the edit's right end.
  HWND SpinButton() const { return spin_; }

  // "Value", an extended-precision float set through SetValue.
  std::vector<TPublishedProperty> PublishedProperties() override;

 protected:
  void DoExit() override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Step(int direction);
  void PlaceSpinButton();

  HWND spin_ = nullptr;  // a child window; destroyed with the edit
  core::SpinRange range_;
};

}  // namespace tk
