// A drop-down list of file types. Its filter text holds description and mask
// pairs ("Text files|*.txt|All files|*.*"); it shows the descriptions and
// tells the mask of the chosen one.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/filter_text.h"
#include "toolkit/wincontrol.h"

namespace shell {

class TFilterComboBox : public tk::TWinControl {
 public:
  explicit TFilterComboBox(tk::TWinControl* parent);

  // Replaces the entries and selects the first (none when there are none).
  void SetFilter(const std::wstring& filter);
  const std::wstring& Filter() const { return filter_; }

  int Count() const { return static_cast<int>(entries_.size()); }
  const std::vector<core::FilterEntry>& Entries() const { return entries_; }
  int ItemIndex() const;
  // -1 clears the selection; an index out of range is ignored. Does not raise OnChange.
  void SetItemIndex(int index);
  // The selected entry's mask; empty when nothing is selected.
  std::wstring Mask() const;

  // Raised when the user picks an entry.
  std::function<void()> OnChange;

 protected:
  bool HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  std::wstring filter_;
  std::vector<core::FilterEntry> entries_;
};

}  // namespace shell
