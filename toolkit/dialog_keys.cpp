#include "toolkit/dialog_keys.h"

namespace tk {
namespace {

HWND g_navigating = nullptr;

bool IsDialogKey(const MSG& msg, TNavigation keys) {
  if (msg.message == WM_KEYDOWN) {
    switch (msg.wParam) {
      case VK_TAB:
        return true;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
      case VK_RETURN:
      case VK_ESCAPE:
      case VK_EXECUTE:
      case VK_CANCEL:
        return keys == TNavigation::dialog;
    }
    return false;
  }
  // Mnemonics: Alt+letter anywhere, a plain letter on a control that takes no characters.
  return keys == TNavigation::dialog && (msg.message == WM_SYSCHAR || msg.message == WM_CHAR);
}

class NavigationScope {
 public:
  explicit NavigationScope(HWND w) : previous_(g_navigating) { g_navigating = w; }
  ~NavigationScope() { g_navigating = previous_; }
  NavigationScope(const NavigationScope&) = delete;
  NavigationScope& operator=(const NavigationScope&) = delete;

 private:
  HWND previous_;
};

}  // namespace

bool NavigateDialog(HWND window, MSG& msg, TNavigation keys) {
  if (!window || !IsDialogKey(msg, keys)) return false;
  if (msg.hwnd != window && !::IsChild(window, msg.hwnd)) return false;
  NavigationScope scope(window);
  return ::IsDialogMessageW(window, &msg) != FALSE;
}

HWND NavigatingWindow() { return g_navigating; }

}  // namespace tk
