// A button drawn entirely from two pictures: the normal one, and a second one
// shown while a mouse button is held down on it. No focus, no keyboard, no
// hover effect; the mouse stays captured while a button is held.
#pragma once
#include "toolkit/image.h"

namespace controls {

class TImageBtn : public tk::TImage {
 public:
  TImageBtn(tk::TWinControl* parent, int left, int top, int width, int height);

  const tk::TPicture& Picture2() const { return picture2_; }
  // Copies the picture's content.
  void SetPicture2(const tk::TPicture& picture) { picture2_ = picture; }

  bool ShowingSecond() const { return showingSecond_; }
  bool Pressed() const { return pressed_; }

 protected:
  void MouseDown(tk::TMouseButton button, int x, int y) override;
  void MouseUp(tk::TMouseButton button, int x, int y) override;
  void MouseMove(int x, int y) override;
  void Click() override;

 private:
  void ShowSecond();
  void ShowNormal();

  tk::TPicture picture2_;
  tk::TPicture saved_;
  bool showingSecond_ = false;
  bool pressed_ = false;
};

}  // namespace controls
