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
  // While a mouse button is held down on the control it keeps the mouse, so
  // moves and the release outside it still arrive here.
  void SetCaptureMouse(bool capture) { captureMouse_ = capture; }
  bool CaptureMouse() const { return captureMouse_; }

  std::function<void(TMouseButton, int x, int y)> OnMouseDown;
  std::function<void(int x, int y)> OnMouseMove;
  std::function<void(TMouseButton, int x, int y)> OnMouseUp;
  // A left press released over the control; raised before OnMouseUp.
  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  // The mouse capture went to another window (or was released): a press that
  // was being tracked will see no release.
  std::function<void()> OnCaptureLost;

 protected:
  // Paints the whole control; dc is the paint DC, already erased with Color().
  virtual void Paint(HDC dc) {}
  // Mouse handlers in client coordinates. Overrides do their own work and
  // then call the inherited one, which raises the event.
  virtual void MouseDown(TMouseButton button, int x, int y);
  virtual void MouseMove(int x, int y);
  virtual void MouseUp(TMouseButton button, int x, int y);
  virtual void Click();
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  HCURSOR cursor_ = nullptr;
  bool captureMouse_ = false;
  bool clicked_ = false;  // a left press that a release over the control turns into a click
};

}  // namespace tk
