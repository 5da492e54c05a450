// Shows the size and border band in a window, for looking at it.
//   size_settings_demo [language 0|1|2] [drop|dropall] [seconds]
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "render/size_settings.h"
#include "toolkit/form.h"

int main(int argc, char** argv) {
  const int language = argc > 1 ? std::atoi(argv[1]) : 0;
  const bool dropAll = argc > 2 && std::strcmp(argv[2], "dropall") == 0;
  const bool drop = dropAll || (argc > 2 && std::strcmp(argv[2], "drop") == 0);
  const int seconds = argc > 3 ? std::atoi(argv[3]) : 30;
  int32_t extX = 0, extY = 0;
  bool lock = false;
  tk::TForm form(L"SizeSettingsDemo", L"Choose size and quality", 640, 360, tk::TFont{});
  render::TSizeSettings band(&form, extX, extY, lock);
  band.CorvixColorComboBox1.SetLanguage(static_cast<controls::TCLanguage>(language));
  if (dropAll) band.CorvixColorComboBox1.SetDropDownCount(17);
  form.Show();
  // The list drops once the window is up and active, as a click would do it.
  const UINT_PTR dropTimer = drop ? ::SetTimer(nullptr, 0, 1000, nullptr) : 0;
  const UINT_PTR endTimer = ::SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, nullptr);
  MSG msg;
  while (!form.Closed() && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == endTimer) break;
    if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == dropTimer) {
      ::KillTimer(nullptr, dropTimer);
      band.CorvixColorComboBox1.SetFocus();
      ::SendMessageW(band.CorvixColorComboBox1.Handle(), CB_SHOWDROPDOWN, TRUE, 0);
      continue;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
