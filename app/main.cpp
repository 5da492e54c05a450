// Program entry.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/cli/cli_options.h"
#include "app/cli/command_line.h"
#include "app/cli/error_output.h"
#include "app/guarded_run.h"
#include "app/main_form.h"
#include "render/holder/ole_session.h"
#include "toolkit/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);
  std::vector<std::wstring> args;
  for (int i = 1; i < __argc && __wargv; ++i) args.emplace_back(__wargv[i] ? __wargv[i] : L"");
  const bool batch = cli::WantsCommandLine(args);
  return app::RunGuarded(
      batch,
      [] {
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
      },
      [](const std::wstring& line) { cli::WriteToStandardError(line + L"\n"); });
}
