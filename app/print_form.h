// The "Print picture..." dialog: a preview of the chosen printer's page with
// the picture where it will print, the print size (the page used fully or
// percentages of it), the aspect and centring options and the printer setup.
// It prints nothing itself; whoever shows it prints with Options() and
// Printer() once it ends with OK.
#pragma once
#include <windows.h>

#include <optional>

#include "controls/bitbtn_xp.h"
#include "core/print_layout.h"
#include "core/print_preview.h"
#include "raster/dib.h"
#include "toolkit/checkbox.h"
#include "toolkit/form.h"
#include "toolkit/form_storage.h"
#include "toolkit/label.h"
#include "toolkit/paintbox.h"
#include "toolkit/panel.h"
#include "toolkit/printer_choice.h"
#include "toolkit/spinedit.h"

namespace app {

// The separator line above the dialog's buttons: a lowered line along the
// bottom of its rectangle.
class TBottomLine : public tk::TCustomControl {
 public:
  TBottomLine(tk::TWinControl* parent, int left, int top, int width, int height);

 protected:
  void Paint(HDC dc) override;
  bool EraseBackground(HDC dc) override;
};

class TPrintForm : public tk::TForm {
 public:
  // image: the picture to print, which must outlive the dialog; printer: the
  // printer to start with.
  TPrintForm(HWND owner, const TDibImage& image, tk::PrinterChoice printer);

  void FormShow();
  void PrintPaintBoxPaint();
  void UserdefCheckClick();
  void BreitEditChange();
  void HochEditChange();
  void PrintSetupBtnClick();

  // What the controls say now.
  core::PrintOptions Options() const;
  const tk::PrinterChoice& Printer() const { return printer_; }
  // The printer's page as the preview uses it; none when it cannot be reached.
  std::optional<core::PageGeometry> Page() const { return page_; }
  // Where the preview draws the sheet, the printable area and the picture.
  core::PagePreview Preview() const;

  tk::TLabel RxLabel1;
  tk::TPanel Panel1;
  tk::TPaintBox PrintPaintBox;
  tk::TGroupBox GroupBox1;
  tk::TRadioButton UseFullCheck;
  tk::TRadioButton UserdefCheck;
  tk::TLabel RxLabel2;
  tk::TRxSpinEdit BreitEdit;
  tk::TLabel RxLabel3;
  tk::TGroupBox GroupBox2;
  tk::TCheckBox SverhCheck;
  tk::TCheckBox ZentrCheck;
  TBottomLine Bevel1;
  controls::TBitBtnXP OkBitBtn1;
  controls::TBitBtnXP PrintSetupBtn;
  controls::TBitBtnXP CancelBitBtn2;
  tk::TRxSpinEdit HochEdit;  // on the dialog, lined up inside GroupBox1
  tk::TFormStorage FormStorage1{*this};

 private:
  void SetUpControls();
  void SetUpStorage();
  void ReadPage();
  void SizeEditsFollowChoice();
  // Sets the other percentage from the edited one while the aspect is kept.
  void FollowPercent(bool editedIsWidth);
  void PaintPreview(HDC dc);

  const TDibImage& image_;
  tk::PrinterChoice printer_;
  std::optional<core::PageGeometry> page_;
  bool following_ = false;  // one percentage is being set from the other
};

}  // namespace app
