// Keys the main window handles before its controls: Alt and a letter picks a
// page, Enter in a size field renders.
#include "app/main_form.h"

namespace app {
namespace {

// The pages' keys, in page order: the first letter of each tab's caption.
constexpr wchar_t kPageKeys[] = {L'O', L'C', L'S'};

bool Within(HWND window, const tk::TWinControl& control) {
  return window && (window == control.Handle() || ::IsChild(control.Handle(), window));
}

}  // namespace

bool TMainForm::FormShortCut(const MSG& msg) {
  if (msg.message == WM_SYSKEYDOWN && (msg.lParam & (1 << 29))) {  // Alt is held
    for (int page = 0; page < static_cast<int>(std::size(kPageKeys)); ++page)
      if (msg.wParam == static_cast<WPARAM>(kPageKeys[page])) {
        PageControl2.SetActivePageIndex(page);
        return true;
      }
    return false;
  }
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && RenderBtn.Enabled()) {
    for (const tk::TWinControl* field : {static_cast<tk::TWinControl*>(&BreitEd), static_cast<tk::TWinControl*>(&HochEd),
                                         static_cast<tk::TWinControl*>(&randl), static_cast<tk::TWinControl*>(&randr),
                                         static_cast<tk::TWinControl*>(&rando), static_cast<tk::TWinControl*>(&randu)})
      if (Within(msg.hwnd, *field) && field->Enabled()) {
        RenderBtnClick();
        return true;
      }
  }
  return false;
}

}  // namespace app
