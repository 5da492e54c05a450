#include "app/escape_key.h"

#include <windows.h>

#include <vector>

namespace app {

bool TakeEscapeKey() {
  // Only key-down messages are taken out; the others go back in their order
  // once the queue has been looked through (put back earlier, they would be
  // seen again).
  std::vector<MSG> others;
  bool escape = false;
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE | PM_NOYIELD)) {
    if (msg.wParam == VK_ESCAPE)
      escape = true;
    else
      others.push_back(msg);
  }
  for (const MSG& m : others) {
    if (m.hwnd)
      ::PostMessageW(m.hwnd, m.message, m.wParam, m.lParam);
    else
      ::PostThreadMessageW(::GetCurrentThreadId(), m.message, m.wParam, m.lParam);
  }
  return escape;
}

}  // namespace app
