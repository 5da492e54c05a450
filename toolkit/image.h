// A picture control: draws its Picture at the top-left corner and, with
// AutoSize, takes the picture's size. Where the picture does not reach, the
// parent's colour shows.
#pragma once
#include "toolkit/customcontrol.h"
#include "toolkit/picture.h"

namespace tk {

class TImage : public TCustomControl {
 public:
  TImage(TWinControl* parent, int left, int top, int width, int height);

  const TPicture& Picture() const { return picture_; }
  // Copies the picture's content and repaints at once.
  void SetPicture(const TPicture& picture);

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);

 protected:
  void Paint(HDC dc) override;
  bool EraseBackground(HDC dc) override;

 private:
  void AdjustSize();
  TPicture picture_;
  bool autoSize_ = false;
};

}  // namespace tk
