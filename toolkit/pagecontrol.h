// Tabbed pages: a tab control whose pages are panels shown one at a time.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <vector>

#include "toolkit/handles.h"
#include "toolkit/panel.h"

namespace tk {

class TPageControl;

class TTabSheet : public TPanel {
 public:
  TTabSheet(TPageControl* owner, const std::wstring& caption, int imageIndex);
  const std::wstring& Caption() const { return caption_; }
  int ImageIndex() const { return imageIndex_; }

 private:
  std::wstring caption_;
  int imageIndex_;
};

class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TWinControl* parent);

  // Takes ownership of nothing: pages are members of the form that made them.
  void AddPage(TTabSheet* page);
  // Hands over the tab images (16 x 16).
  void SetImages(ImageList images);

  int ActivePageIndex() const;
  TTabSheet* ActivePage() const;
  // Selects a page as a click on its tab does.
  void SetActivePageIndex(int index);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Page(int i) const { return pages_[static_cast<size_t>(i)]; }

  std::function<void()> OnChange;

 protected:
  bool HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  RECT AlignRect() const override;

 private:
  void ShowActive();
  std::vector<TTabSheet*> pages_;
  ImageList images_;
};

}  // namespace tk
