// A container with optional 3-D bevels, as the page layouts use it.
#pragma once
#include "toolkit/customcontrol.h"

namespace tk {

enum class TBevel { bvNone, bvLowered, bvRaised };

class TPanel : public TCustomControl {
 public:
  explicit TPanel(TWinControl* parent, bool singleBorder = false);

  void SetBevelInner(TBevel b);
  void SetBevelOuter(TBevel b);
  TBevel BevelInner() const { return inner_; }
  TBevel BevelOuter() const { return outer_; }

 protected:
  void Paint(HDC dc) override;
  RECT AlignRect() const override;

 private:
  TBevel inner_ = TBevel::bvNone;
  TBevel outer_ = TBevel::bvRaised;
};

// Draws a one-pixel 3-D frame inside r and shrinks r by it.
void Frame3D(HDC dc, RECT& r, COLORREF topLeft, COLORREF bottomRight);

}  // namespace tk
