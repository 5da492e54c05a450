// The about dialog: the product picture and the maker's texts on a band in the
// header colour, a link to the homepage, and OK. Made for one showing.
#pragma once
#include <windows.h>

#include <string>

#include "controls/bitbtn_xp.h"
#include "toolkit/form.h"
#include "toolkit/image.h"
#include "toolkit/label.h"
#include "toolkit/panel.h"

namespace app {

// Replaces the first "XXXX" in text by the year; text without one is kept.
std::wstring WithYear(const std::wstring& text, int year);

class TAboutBox : public tk::TForm {
 public:
  explicit TAboutBox(HWND owner);

  void FormCreate();
  void BitBtnXP1Click();

  tk::TPanel Panel1;
  tk::TImage ProgramIcon;
  tk::TLabel ProductName;
  tk::TLabel Version;
  tk::TLabel Comments;
  tk::TLabel Maker;
  tk::TLabel Rights;
  tk::TLabel Copyright;  // holds the year
  controls::TBitBtnXP BitBtnXP1;
  controls::TBitBtnXP BitBtn1;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

}  // namespace app
