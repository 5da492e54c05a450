// The main window of a running verdalux.exe seen from another process: its
// controls found by their place in the layout, driven with window messages.
#pragma once
#include <windows.h>

#include <string>

namespace e2e {

// The main window of any running Verdalux; nullptr when there is none.
HWND FindAnyMainWindow();
// The descendant of `main` of that window class whose top-left corner lies at
// (left, top) of its parent's client area; nullptr when there is none.
HWND FindChildAt(HWND main, const wchar_t* windowClass, int left, int top);
// The "Left edge:" percentage of the size page.
inline HWND LeftEdgeEdit(HWND main) { return FindChildAt(main, L"Edit", 400, 8); }
// The window's text, asked of the window itself (an edit keeps its own).
std::wstring WindowText(HWND h);
// Selects a page of the wizard as a click on its tab would.
void ShowPage(HWND main, int index);

}  // namespace e2e
