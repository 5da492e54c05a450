// A static text that sizes itself to its caption and shows its parent's colour.
#pragma once
#include "toolkit/customcontrol.h"

namespace tk {

class TLabel : public TCustomControl {
 public:
  TLabel(TWinControl* parent, int left, int top, const std::wstring& caption, bool bold = false);

  void SetCaption(const std::wstring& caption);
  const std::wstring& Caption() const { return caption_; }

 protected:
  void Paint(HDC dc) override;
  bool EraseBackground(HDC dc) override;
  void FontChanged() override { AutoSize(); }

 private:
  void AutoSize();
  std::wstring caption_;
};

}  // namespace tk
