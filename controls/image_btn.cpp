#include "controls/image_btn.h"

namespace controls {

TImageBtn::TImageBtn(tk::TWinControl* parent, int left, int top, int width, int height)
    : tk::TImage(parent, left, top, width, height) {
  SetAutoSize(true);
}

void TImageBtn::ShowSecond() {
  if (showingSecond_) return;
  showingSecond_ = true;
  saved_ = Picture();
  SetPicture(picture2_);
}

void TImageBtn::ShowNormal() {
  if (!showingSecond_) return;
  SetPicture(saved_);
  showingSecond_ = false;
}

void TImageBtn::MouseDown(tk::TMouseButton button, int x, int y) {
  ShowSecond();
  pressed_ = true;
  tk::TImage::MouseDown(button, x, y);
}

void TImageBtn::MouseUp(tk::TMouseButton button, int x, int y) {
  ShowNormal();
  pressed_ = false;
  tk::TImage::MouseUp(button, x, y);
}

void TImageBtn::MouseMove(int x, int y) {
  if (pressed_) {
    // The right and bottom edges (x = width, y = height) are outside.
    if (x < 0 || x >= Width() || y < 0 || y >= Height())
      ShowNormal();
    else
      ShowSecond();
  }
  tk::TImage::MouseMove(x, y);
}

void TImageBtn::Click() {
  ShowNormal();
  tk::TImage::Click();
}

}  // namespace controls
