// A surface whose owner paints it; it captures the mouse while a button is held.
#pragma once
#include "toolkit/customcontrol.h"

namespace tk {

class TPaintBox : public TCustomControl {
 public:
  explicit TPaintBox(TWinControl* parent);

  std::function<void(HDC dc)> OnPaint;

 protected:
  void Paint(HDC dc) override;
  // Shows the parent's colour where the owner paints nothing.
  bool EraseBackground(HDC dc) override;
};

}  // namespace tk
