// A flat speed button: glyph and caption on the parent's colour, a raised
// edge while the mouse is over it, a sunken one while it is held down. It
// takes no focus.
#pragma once
#include "core/button_layout.h"
#include "toolkit/customcontrol.h"
#include "toolkit/picture.h"

namespace tk {

class TSpeedButton : public TCustomControl {
 public:
  TSpeedButton(TWinControl* parent, int left, int top, int width, int height, const std::wstring& caption);

  // The glyph: one or two images side by side (normal, disabled); the colour
  // of its bottom-left pixel is see-through.
  void SetGlyph(const TPicture& glyph, int numGlyphs = 1);
  void SetCaption(const std::wstring& caption);
  const std::wstring& Caption() const { return caption_; }
  void SetFlat(bool flat);
  void SetLayout(core::GlyphLayout layout);
  void SetMargin(int margin);
  void SetSpacing(int spacing);

  bool Hot() const { return hot_; }
  bool Down() const { return down_; }

 protected:
  void Paint(HDC dc) override;
  bool EraseBackground(HDC dc) override { return true; }
  void MouseDown(TMouseButton button, int x, int y) override;
  void MouseMove(int x, int y) override;
  void MouseUp(TMouseButton button, int x, int y) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void DrawGlyph(HDC dc, int x, int y, int image) const;
  void SetState(bool hot, bool down);

  std::wstring caption_;
  TPicture glyph_;
  int numGlyphs_ = 1;
  bool flat_ = true;
  core::GlyphLayout layout_ = core::GlyphLayout::glyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool hot_ = false;
  bool down_ = false;
  bool pressed_ = false;  // the left button went down here and is still held
};

}  // namespace tk
