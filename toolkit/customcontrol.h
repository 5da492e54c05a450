// A control that paints itself: the toolkit's own window class, a Paint
// handler with a ready DC, and mouse events as assignable members.
#pragma once
#include "toolkit/wincontrol.h"

namespace tk {

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TWinControl* parent, DWORD style = 0, DWORD exStyle = 0);

  void SetCursor(HCURSOR c) { cursor_ = c; }

  std::function<void(TMouseButton, int x, int y)> OnMouseDown;
  std::function<void(int x, int y)> OnMouseMove;
  std::function<void(TMouseButton, int x, int y)> OnMouseUp;
  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  // The mouse capture went to another window (or was released): a press that
  // was being tracked will see no release.
  std::function<void()> OnCaptureLost;

 protected:
  // Paints the whole control; dc is the paint DC, already erased with Color().
  virtual void Paint(HDC dc) {}
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  HCURSOR cursor_ = nullptr;
};

}  // namespace tk
