// Program entry.
#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "app/cli/command_line.h"
#include "app/main_form.h"
#include "render/holder/ole_session.h"
#include "toolkit/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);
  try {
    // OLE for this thread before any document holder exists, until after the last is gone.
    render::OleSession ole;
    // "--render ..." converts without showing any window.
    bool handled = false;
    const int batchResult = cli::RunCommandLine(__argc, __wargv, handled);
    if (handled) return batchResult;
    auto& application = tk::TApplication::Instance();
    application.SetTitle(L"Verdalux");
    app::TMainForm mainForm;
    return application.Run(mainForm);
  } catch (const std::exception&) {
    return 1;  // OLE could not be initialised: nothing can be shown
  }
}
