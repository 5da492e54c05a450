// A drop-down list for picking a colour: 16 named colours with swatches and a
// last entry, "More...", that opens the colour dialog. The colour is kept as a
// value and as an HTML text; writing either updates the other and the selection.
#pragma once
#include <string>

#include "controls/color_names.h"
#include "controls/color_text.h"
#include "toolkit/combobox.h"

namespace controls {

class TCorvixColorComboBox : public tk::TCustomComboBox {
 public:
  explicit TCorvixColorComboBox(tk::TWinControl* parent);

  TCLanguage Language() const { return language_; }
  void SetLanguage(TCLanguage language);

  // Never fail outward: a text that does not parse, or a list that cannot be
  // updated, leaves value, text and selection as they were.
  const std::wstring& HTMLcolor() const { return htmlColor_; }
  void SetHTMLcolor(const std::wstring& text) { WriteHTMLcolor(text); }
  TColor ColorValue() const { return colorValue_; }
  void SetColorValue(TColor value) { WriteColorValue(value); }

  // "ColorValue", stored as a signed 32-bit integer.
  std::vector<tk::TPublishedProperty> PublishedProperties() override;

  // Where the swatch and the caption of an entry go inside its item rectangle.
  // The swatch's right edge is a fixed x, whatever the rectangle's left.
  static RECT SwatchRect(const RECT& item);
  static RECT CaptionRect(const RECT& item);

 protected:
  void Change() override;
  void DrawItem(int index, const RECT& rect, UINT state, tk::TItemCanvas& canvas) override;

 private:
  bool WriteColorValue(TColor value);
  bool WriteHTMLcolor(const std::wstring& text);
  TColor EntryColor(int index) const;

  TCLanguage language_ = TCLanguage::lgEnglish;
  std::wstring htmlColor_ = L"#000000";
  TColor colorValue_ = clBlack;
};

}  // namespace controls
