// A thin bar between aligned controls that resizes its neighbour by dragging.
#pragma once
#include "toolkit/customcontrol.h"

namespace tk {

class TSplitter : public TCustomControl {
 public:
  // `align` is alLeft or alRight; the neighbour is the control aligned the
  // same way just before the splitter.
  TSplitter(TWinControl* parent, TAlign align, int thickness = 3, int minSize = 30);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  TWinControl* Neighbour() const;
  int minSize_;
  bool dragging_ = false;
  int startX_ = 0;
  int startWidth_ = 0;
};

}  // namespace tk
