#include "toolkit/application.h"

#include "core/placement_text.h"
#include "toolkit/dialog_keys.h"
#include "toolkit/form.h"
#include "toolkit/modal.h"
#include "toolkit/module_path.h"

namespace tk {

TApplication& TApplication::Instance() {
  static TApplication app;
  return app;
}

bool TApplication::Dispatch(const MSG& msg, HWND mainWnd) {
  // Only Tab between controls goes through dialog navigation in the main
  // window; Enter, Escape and the arrows reach the focused control as plain keys.
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
    auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(::GetAncestor(msg.hwnd, GA_ROOT)));
    if (form && form->OnShortCut && form->OnShortCut(msg)) return true;
  }
  MSG m = msg;
  if (NavigateDialog(mainWnd, m, TNavigation::tabOnly)) return true;
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
  return true;
}

int TApplication::Run(TForm& mainForm) {
  mainForm.Show();
  MSG msg;
  while (!mainForm.Closed()) {
    const BOOL r = ::GetMessageW(&msg, nullptr, 0, 0);
    if (r == 0 || r == -1) break;
    Dispatch(msg, mainForm.Handle());
  }
  return 0;
}

void TApplication::ShowException(HWND owner, const std::wstring& message) {
  ShowMessage(owner, message, title_.empty() ? core::ProgramNameFor(ModulePath()) : title_, MB_OK | MB_ICONERROR);
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) Dispatch(msg, nullptr);
}

}  // namespace tk
