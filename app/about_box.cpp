#include "app/about_box.h"

#include "app/layout.h"
#include "app/shell_open.h"

namespace app {
namespace {

tk::TFont DialogFont() { return tk::TFont{L"MS Sans Serif", -11, false}; }

// The dialog's layout: the band, the picture at its left, the texts to its
// right, the link under the texts and OK centred below the band.
constexpr int kClientW = 664, kClientH = 453;
constexpr RECT kBand{8, 8, 656, 400};
constexpr POINT kPicture{16, 16};
constexpr int kTextLeft = 280;
constexpr RECT kLink{kTextLeft, 336, kTextLeft + 200, 366};
constexpr int kOkW = 89, kOkH = 30;
constexpr POINT kOk{(kClientW - kOkW) / 2, 412};

}  // namespace

std::wstring WithYear(const std::wstring& text, int year) {
  std::wstring s = text;
  const size_t at = s.find(L"XXXX");
  if (at != std::wstring::npos) s.replace(at, 4, std::to_wstring(year));
  return s;
}

TAboutBox::TAboutBox(HWND owner)
    : tk::TForm(L"TAboutBox", L"Info", kClientW, kClientH, DialogFont(), {owner, tk::TBorderStyle::bsDialog}),
      Panel1(this),
      ProgramIcon(&Panel1, kPicture.x, kPicture.y, 240, 356),
      ProductName(&Panel1, kTextLeft, 24, L"Harvik Verdalux 2.0", true),
      Version(&Panel1, kTextLeft, 48, L"Version 2.0"),
      Comments(&Panel1, kTextLeft, 88, L"Turns documents into pictures of any size."),
      Maker(&Panel1, kTextLeft, 240, L"Harvik Software"),
      Rights(&Panel1, kTextLeft, 280, L"All rights reserved."),
      Copyright(&Panel1, kTextLeft, 260, L"Copyright \x00A9 1999-XXXX Harvik Software"),
      BitBtnXP1(&Panel1, kLink.left, kLink.top, kLink.right - kLink.left, kLink.bottom - kLink.top, kHomepageCaption),
      BitBtn1(this, kOk.x, kOk.y, kOkW, kOkH, L"", IDOK) {
  HeaderLook(Panel1);
  Panel1.SetBounds(kBand.left, kBand.top, kBand.right - kBand.left, kBand.bottom - kBand.top);
  tk::TPicture picture;
  picture.LoadFromResource(nullptr, L"ABOUTPIC");  // without it the band shows its colour
  ProgramIcon.SetAutoSize(true);
  ProgramIcon.SetPicture(picture);
  BitBtnXP1.OnClick = [this] { BitBtnXP1Click(); };
  BitBtn1.SetKind(controls::TBitBtnXPKind::bkOK);
  // OK has the focus when the dialog opens, so Enter closes it.
  BitBtn1.SetTabOrder(0);
  FormCreate();
}

void TAboutBox::FormCreate() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  Copyright.SetCaption(WithYear(Copyright.Caption(), now.wYear));
}

void TAboutBox::BitBtnXP1Click() {
  ShellOpen(ShellOpenRequest{Handle(), L"open", kHomepageUrl, std::nullopt, std::nullopt, SW_SHOW});
}

LRESULT TAboutBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  // Esc (the dialog's cancel command) closes it like its close box; the
  // dialog has no Cancel button to take the command.
  if (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL && HIWORD(wp) == BN_CLICKED && lp == 0) {
    SetModalResult(tk::mrCancel);
    return 0;
  }
  return tk::TForm::WndProc(msg, wp, lp);
}

}  // namespace app
