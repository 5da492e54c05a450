// Keyboard navigation between a window's controls through the platform's
// IsDialogMessage: Tab and Shift+Tab, arrows within groups, Enter for the
// default button, Esc for the cancel button, mnemonics.
//
// IsDialogMessage asks the window for its default button with DM_GETDEFID,
// which has the number of WM_USER. While it runs for a window, the window
// answers that question itself (TWinControl::DialogQuery) and never hands it
// to its own WM_USER handler, so a form that uses WM_USER for something else
// (the main window's progress) is not disturbed by navigation.
#pragma once
#include <windows.h>

namespace tk {

enum class TNavigation {
  tabOnly,  // Tab and Shift+Tab; Enter and Esc reach the focused control as plain keys
  dialog,   // everything a dialog box does with the keyboard
};

// Handles msg as navigation inside window when it is one; returns false when
// the caller is to translate and dispatch it as usual.
bool NavigateDialog(HWND window, MSG& msg, TNavigation keys);

// The window whose navigation is running now, or nullptr.
HWND NavigatingWindow();

}  // namespace tk
