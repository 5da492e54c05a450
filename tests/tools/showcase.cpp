// Puts the main window into a chosen state and leaves it on screen, for
// screenshots (scripts/screenshot.sh with VERDALUX_EXE pointing here).
//   showcase.exe [--programfolder DIR] [--folder DIR] [--select NAME] [--open NAME]
//                [--page N] [--size W H] [--width W] [--border L T R B] [--color #RRGGBB]
//                [--language en|de|fr] [--render] [--scroll X Y] [--drag X0 Y0 X1 Y1]
//                [--dropcolor] [--about] [--hint]
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/main_form.h"
#include "render/holder/ole_session.h"
#include "toolkit/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  render::OleSession ole;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::wstring> a(argv + 1, argv + argc);
  LocalFree(argv);
  std::wstring programFolder;
  for (size_t i = 0; i + 1 < a.size(); ++i)
    if (a[i] == L"--programfolder") programFolder = a[i + 1];
  app::TMainForm form(programFolder);
  form.Show();
  auto& appl = tk::TApplication::Instance();
  appl.ProcessMessages();
  auto num = [&](size_t& i) { return std::stoi(a.at(++i)); };
  for (size_t i = 0; i < a.size(); ++i) {
    const std::wstring& c = a[i];
    if (c == L"--programfolder") {
      ++i;
    } else if (c == L"--folder") {
      form.JamShellTree1.SetSelectedFolder(a.at(++i));
    } else if (c == L"--select") {
      appl.ProcessMessages();
      form.JamShellList1.SelectName(a.at(++i));
    } else if (c == L"--open") {
      form.openfilenow(a.at(++i));
    } else if (c == L"--page") {
      form.PageControl2.SetActivePageIndex(num(i));
    } else if (c == L"--size") {
      form.BreitEd.SetValue(num(i));
      form.HochEd.SetValue(num(i));
    } else if (c == L"--width") {
      form.BreitEd.SetValue(num(i));
    } else if (c == L"--border") {
      form.RandCheck.SetChecked(true);
      form.randl.SetValue(num(i));
      form.rando.SetValue(num(i));
      form.randr.SetValue(num(i));
      form.randu.SetValue(num(i));
    } else if (c == L"--color") {
      form.CorvixColorComboBox1.SetHTMLcolor(a.at(++i));
    } else if (c == L"--language") {
      const std::wstring l = a.at(++i);
      form.CorvixColorComboBox1.SetLanguage(l == L"de"   ? controls::TCLanguage::lgDeutsch
                                            : l == L"fr" ? controls::TCLanguage::lgFrensh
                                                         : controls::TCLanguage::lgEnglish);
    } else if (c == L"--render") {
      form.RenderBtnClick();
    } else if (c == L"--scroll") {
      auto& box = form.PageControl2.ActivePageIndex() == 2 ? form.ErgScrollBox : form.ScrollBox1;
      appl.ProcessMessages();
      box.SetHorzPosition(num(i));
      box.SetVertPosition(num(i));
    } else if (c == L"--drag") {
      HWND pb = form.PageControl2.ActivePageIndex() == 2 ? form.ErgPaintBox.Handle() : form.PaintBox1.Handle();
      appl.ProcessMessages();
      const int x0 = num(i), y0 = num(i), x1 = num(i), y1 = num(i);
      SendMessageW(pb, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0, y0));
      SendMessageW(pb, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x1, y1));
    } else if (c == L"--dropcolor") {
      appl.ProcessMessages();
      SendMessageW(form.CorvixColorComboBox1.Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    } else if (c == L"--about") {
      // The about dialog stays open until the program is ended.
      form.ueberbtnClick();
    } else if (c == L"--hint") {
      // The mouse rests on the quit button with the hints shown, which the
      // window itself never does, to see the hint texts it carries.
      form.Bar.Hints.SetShowHint(true);
      RECT r;
      GetWindowRect(form.endebtn.Handle(), &r);
      for (int step = 0; step < 5; ++step) {  // moves that the tooltip sees
        SetCursorPos((r.left + r.right) / 2 - 4 + 2 * step, (r.top + r.bottom) / 2);
        SendMessageW(form.endebtn.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(46 + 2 * step, 15));
        Sleep(100);
        appl.ProcessMessages();
      }
    }
    appl.ProcessMessages();
  }
  return appl.Run(form);
}
