// Program entry.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "app/main_form.h"
#include "toolkit/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);
  // OLE for the user-interface thread, before any document object exists.
  ::OleInitialize(nullptr);
  int rc = 0;
  {
    auto& application = tk::TApplication::Instance();
    application.SetTitle(L"Verdalux");
    app::TMainForm mainForm;
    rc = application.Run(mainForm);
  }
  ::OleUninitialize();
  return rc;
}
