// The hints of a window's controls, shown as tooltips while the mouse rests
// on a control. One tooltip window per form; it goes with the form.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "toolkit/wincontrol.h"

namespace tk {

class TToolTips {
 public:
  // form: the top-level control whose controls get hints.
  explicit TToolTips(TWinControl& form);
  ~TToolTips();
  TToolTips(const TToolTips&) = delete;
  TToolTips& operator=(const TToolTips&) = delete;

  // Gives the control its hint (replacing an earlier one).
  void SetHint(const TWinControl& control, const std::wstring& hint);
  // The hint as the tooltip window holds it; empty when the control has none.
  std::wstring Hint(const TWinControl& control) const;
  // Whether a resting mouse brings the hints up; off, they are only carried.
  void SetShowHint(bool show);
  HWND Handle() const { return hwnd_; }

 private:
  TOOLINFOW Tool(const TWinControl& control) const;
  HWND owner_;
  HWND hwnd_;
};

}  // namespace tk
