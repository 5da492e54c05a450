// Shows the bitmap buttons in every state and the picture buttons, for
// looking at them.   buttons_demo [classic] [seconds]
#include <windows.h>
#include <ole2.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "controls/bitbtn_xp.h"
#include "controls/image_btn.h"
#include "controls/theme_api.h"
#include "toolkit/edit.h"
#include "toolkit/form.h"
#include "toolkit/label.h"
#include "toolkit/speedbutton.h"

int main(int argc, char** argv) {
  const bool classic = argc > 1 && std::strcmp(argv[1], "classic") == 0;
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
  // The pictures are decoded with WIC, a COM component.
  ::OleInitialize(nullptr);
  if (classic) controls::theme::SetThemeLibraryName("verdalux_missing_uxtheme.dll");
  tk::FormInstance<tk::TForm> form(L"ButtonsDemo", classic ? L"Buttons (classic)" : L"Buttons (visual styles)", 640,
                                   330, tk::TFont{});
  tk::GdiBitmap renderGlyph(static_cast<HBITMAP>(
      ::LoadImageW(::GetModuleHandleW(nullptr), L"RENDERGLYPH", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  std::vector<std::unique_ptr<tk::TLabel>> labels;
  std::vector<std::unique_ptr<controls::TBitBtnXP>> buttons;
  const wchar_t* states[] = {L"plain (state 0)", L"default (state 1)", L"focused", L"pressed (state 3)",
                             L"disabled (state 4)"};
  for (int i = 0; i < 5; ++i) {
    labels.push_back(std::make_unique<tk::TLabel>(&form, 8, 12 + i * 32, states[i]));
    buttons.push_back(std::make_unique<controls::TBitBtnXP>(&form, 120, 8 + i * 32, 113, 25, L"Render"));
    buttons.back()->SetGlyph(renderGlyph.get());
  }
  tk::TEdit edit(&form, 8, 170, 100, 21);
  buttons[1]->SetDefault(true);
  buttons[4]->SetEnabled(false);
  const controls::TBitBtnXPKind kinds[] = {
      controls::TBitBtnXPKind::bkOK,    controls::TBitBtnXPKind::bkCancel, controls::TBitBtnXPKind::bkHelp,
      controls::TBitBtnXPKind::bkYes,   controls::TBitBtnXPKind::bkNo,     controls::TBitBtnXPKind::bkClose,
      controls::TBitBtnXPKind::bkAbort, controls::TBitBtnXPKind::bkRetry,  controls::TBitBtnXPKind::bkIgnore,
      controls::TBitBtnXPKind::bkAll};
  for (int i = 0; i < 10; ++i) {
    buttons.push_back(
        std::make_unique<controls::TBitBtnXP>(&form, 260 + (i / 5) * 100, 8 + (i % 5) * 32, 89, 25, L""));
    buttons.back()->SetKind(kinds[i]);
    if (kinds[i] == controls::TBitBtnXPKind::bkOK || kinds[i] == controls::TBitBtnXPKind::bkYes)
      buttons.back()->SetDefault(false);  // one default button on the window
  }
  auto disabledOk = std::make_unique<controls::TBitBtnXP>(&form, 460, 8, 89, 25, L"");
  disabledOk->SetKind(controls::TBitBtnXPKind::bkOK);
  disabledOk->SetDefault(false);
  disabledOk->SetEnabled(false);

  tk::TPicture info, infoDown, exitPic, exitDown;
  info.LoadFromResource(nullptr, L"INFOBTN");
  infoDown.LoadFromResource(nullptr, L"INFOBTN_PRESSED");
  exitPic.LoadFromResource(nullptr, L"EXITBTN");
  exitDown.LoadFromResource(nullptr, L"EXITBTN_PRESSED");
  controls::TImageBtn ueberbtn(&form, 8, 290, 101, 30), ueberbtnDown(&form, 220, 290, 101, 30);
  controls::TImageBtn endebtn(&form, 112, 290, 101, 30), endebtnDown(&form, 324, 290, 101, 30);
  ueberbtn.SetPicture(info);
  ueberbtnDown.SetPicture(infoDown);
  endebtn.SetPicture(exitPic);
  endebtnDown.SetPicture(exitDown);
  ueberbtn.SetPicture2(infoDown);
  endebtn.SetPicture2(exitDown);
  tk::TLabel imageLabel(&form, 8, 270, L"Picture buttons: normal | pressed");
  tk::TSpeedButton www(&form, 440, 287, 137, 33, L"www.harvik.example");

  form.Show();
  buttons[2]->SetFocus();
  ::SendMessageW(buttons[3]->Handle(), BM_SETSTATE, TRUE, 0);
  if (argc > 3) edit.SetFocus();
  const UINT_PTR endTimer = ::SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, nullptr);
  MSG msg;
  while (!form.Closed() && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == endTimer) break;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
