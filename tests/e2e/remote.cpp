#include "tests/e2e/remote.h"

#include <commctrl.h>

namespace e2e {
namespace {

struct ChildSearch {
  const wchar_t* windowClass;
  POINT place;
  HWND found;
};

BOOL CALLBACK MatchChild(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<ChildSearch*>(lp);
  wchar_t cls[64] = {};
  GetClassNameW(h, cls, 64);
  if (_wcsicmp(cls, s->windowClass) != 0) return TRUE;
  RECT r;
  GetWindowRect(h, &r);
  MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  if (r.left != s->place.x || r.top != s->place.y) return TRUE;
  s->found = h;
  return FALSE;
}

}  // namespace

HWND FindAnyMainWindow() { return FindWindowW(L"TMainForm", L"Harvik Verdalux 2.0"); }

HWND FindChildAt(HWND main, const wchar_t* windowClass, int left, int top) {
  ChildSearch s{windowClass, {left, top}, nullptr};
  EnumChildWindows(main, MatchChild, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::wstring WindowText(HWND h) {
  // GetWindowText does not ask a window of another process; the message does.
  wchar_t text[256] = {};
  SendMessageW(h, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  return text;
}

void ShowPage(HWND main, int index) {
  // The wizard has one tab control; a focus change is reported to its parent as a click's.
  struct Find {
    static BOOL CALLBACK Tabs(HWND h, LPARAM lp) {
      wchar_t cls[64] = {};
      GetClassNameW(h, cls, 64);
      if (_wcsicmp(cls, WC_TABCONTROLW) != 0) return TRUE;
      *reinterpret_cast<HWND*>(lp) = h;
      return FALSE;
    }
  };
  HWND tabs = nullptr;
  EnumChildWindows(main, Find::Tabs, reinterpret_cast<LPARAM>(&tabs));
  if (tabs) SendMessageW(tabs, TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
}

}  // namespace e2e
