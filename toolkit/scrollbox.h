// A container that scrolls its children: the scroll ranges follow the extent
// of the children, the bars appear only when the content does not fit.
#pragma once
#include "toolkit/customcontrol.h"

namespace tk {

class TScrollBox : public TCustomControl {
 public:
  explicit TScrollBox(TWinControl* parent);

  // Content size (the children's extent) and the scroll positions.
  int HorzRange() const { return rangeX_; }
  int VertRange() const { return rangeY_; }
  int HorzPosition() const { return posX_; }
  int VertPosition() const { return posY_; }
  // Each is limited to 0 .. range - visible size, and moves the content.
  void SetHorzPosition(int p);
  void SetVertPosition(int p);
  // The visible part of the content, without the scroll bars.
  int VisibleWidth() const;
  int VisibleHeight() const;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void ChildBoundsChanged(TWinControl* child) override;

 private:
  void UpdateRanges();
  void ScrollTo(int x, int y);
  void OnScroll(int bar, int code);
  int rangeX_ = 0, rangeY_ = 0;
  int posX_ = 0, posY_ = 0;
  bool updating_ = false;
};

}  // namespace tk
