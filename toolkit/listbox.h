// A single-selection list of text entries.
#pragma once
#include <string>

#include "toolkit/wincontrol.h"

namespace tk {

class TListBox : public TWinControl {
 public:
  explicit TListBox(TWinControl* parent, int itemHeight = 13);

  int Count() const;
  std::wstring Item(int i) const;
  void Add(const std::wstring& s);
  void Insert(int i, const std::wstring& s);
  void Delete(int i);
  void Clear();
  int ItemIndex() const;  // -1: no entry selected
  void SetItemIndex(int i);

  std::function<void()> OnDblClick;
  std::function<void(wchar_t& key)> OnKeyPress;  // set key to 0 to swallow it

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};

}  // namespace tk
