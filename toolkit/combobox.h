// The system COMBOBOX as a drop-down list. Owner-drawn lists draw their entries
// in DrawItem with the colours the standard handling prepared; a selection made
// by the user runs Change, which raises OnChange.
#pragma once
#include <string>

#include "toolkit/wincontrol.h"

namespace tk {

enum class TComboBoxStyle { csDropDownList, csOwnerDrawFixed };

// What the owner-draw handling prepared before DrawItem: the DC with the
// control's font selected and the background or selection colours.
struct TItemCanvas {
  HDC dc = nullptr;
  COLORREF brushColor = 0;  // window colour, or the selection colour for the selected entry
  COLORREF fontColor = 0;   // window text colour, or the selected text colour
};

class TCustomComboBox : public TWinControl {
 public:
  TCustomComboBox(TWinControl* parent, TComboBoxStyle style, int left, int top, int width);

  int ItemCount() const;
  // Returns the new entry's index, or -1 when the list could not take it.
  int AddItem(const std::wstring& text);
  // Replaces the text of an existing entry; false when that failed.
  bool SetItem(int index, const std::wstring& text);
  std::wstring Item(int index) const;

  int ItemIndex() const;
  // Selects without raising OnChange; -1 clears. False when that failed.
  bool SetItemIndex(int index);

  // Height of the entries and of the selection field, in pixels.
  void SetItemHeight(int height);
  void SetDropDownCount(int count);
  bool DroppedDown() const;

  std::function<void()> OnChange;
  std::function<void()> OnDropDown;

 protected:
  // The user changed the selection. Overrides call the inherited one last.
  virtual void Change();
  virtual void DrawItem(int index, const RECT& rect, UINT state, TItemCanvas& canvas);

  bool HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  void DrawItemStruct(const DRAWITEMSTRUCT& dis);
  void ApplyDropDownHeight();

  int itemHeight_ = 16;
  int dropDownCount_ = 8;
};

}  // namespace tk
