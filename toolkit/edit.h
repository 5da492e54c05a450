// A single-line edit: the system EDIT control with change and exit events.
#pragma once
#include "toolkit/wincontrol.h"

namespace tk {

class TEdit : public TWinControl {
 public:
  TEdit(TWinControl* parent, int left, int top, int width, int height);

  void SelectAll();

  std::function<void()> OnChange;  // every change of the text: typing, pasting, SetText
  std::function<void()> OnExit;    // the edit lost the keyboard focus

 protected:
  // Overrides do their own work and then call the inherited one, which raises the event.
  virtual void Change();
  virtual void DoExit();

  bool HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

}  // namespace tk
