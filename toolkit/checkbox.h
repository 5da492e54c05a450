// Check boxes, radio buttons and group boxes: BUTTON windows that sit on their
// parent's colour.
#pragma once
#include "toolkit/buttoncontrol.h"

namespace tk {

// Toggles itself when clicked; OnClick runs after the toggle.
class TCheckBox : public TButtonControl {
 public:
  TCheckBox(TWinControl* parent, int left, int top, int width, int height, const std::wstring& caption,
            int id = 0);

  // "Checked".
  std::vector<TPublishedProperty> PublishedProperties() override;
};

// Checks itself and unchecks the other radio buttons of its group (the
// siblings up to the next control with WS_GROUP). The first radio button of a
// group is made with startsGroup.
class TRadioButton : public TButtonControl {
 public:
  TRadioButton(TWinControl* parent, int left, int top, int width, int height, const std::wstring& caption,
               bool startsGroup = false, int id = 0);

  // "Checked".
  std::vector<TPublishedProperty> PublishedProperties() override;
};

// A captioned frame that holds other controls; Tab and the arrows go into it.
class TGroupBox : public TButtonControl {
 public:
  TGroupBox(TWinControl* parent, int left, int top, int width, int height, const std::wstring& caption, int id = 0);

 protected:
  // The system paints only the frame and caption; the inside shows the parent's colour.
  bool EraseBackground(HDC dc) override;
};

}  // namespace tk
