// The status bar with fixed-width panels; owner-drawn panels raise OnDrawPanel.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "toolkit/wincontrol.h"

namespace tk {

struct TStatusPanel {
  int width = 50;
  bool ownerDraw = false;
  std::wstring text;
};

class TStatusBar : public TWinControl {
 public:
  TStatusBar(TWinControl* parent, std::vector<TStatusPanel> panels);

  const std::vector<TStatusPanel>& Panels() const { return panels_; }
  // The rectangle of panel i in the bar's client coordinates.
  RECT PanelRect(int i) const;

  std::function<void(HDC dc, int panel, const RECT& rect)> OnDrawPanel;

 protected:
  bool HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  void ApplyPanels();
  std::vector<TStatusPanel> panels_;
};

}  // namespace tk
