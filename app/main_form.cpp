#include "app/main_form.h"

#include <cstring>

#include "app/layout.h"
#include "app/program_folder.h"
#include "app/tab_images.h"
#include "toolkit/application.h"
#include "toolkit/handles.h"
#include "toolkit/modal.h"

namespace app {
namespace {

tk::TFont MainFont() { return tk::TFont{L"MS Sans Serif", -11, false}; }

}  // namespace

THeaderBand::THeaderBand(tk::TWinControl* parent, const std::wstring& caption)
    : tk::TPanel(parent), Label(this, 16, 10, caption, true) {
  HeaderLook(*this);
  Dock(*this, tk::TAlign::alTop, 33);
}

TMainForm::TMainForm(const std::wstring& programFolder)
    : tk::TForm(L"TMainForm", L"Harvik Verdalux 2.0", 622, 476, MainFont()),
      StatusBar1(this, {{250, false, L""}, {250, true, L""}}),
      Panel7(this),
      OuterPanel(this),
      PageControl2(&OuterPanel),
      TabSheet1(&PageControl2, L"Open file", 0),
      TabSheet2(&PageControl2, L"Choose size and quality", 2),
      TabSheet4(&PageControl2, L"Save and print", 1),
      Header1(&TabSheet1, L"Open file - Choose the file you want to convert into a bitmap"),
      Header2(&TabSheet2, L"Choose size and quality - Choose the size and click on \"Render\""),
      Header4(&TabSheet4, L"Ready! - View, save or print picture"),
      RxLabel8(Header1.Label),
      RxLabel9(Header2.Label),
      RxLabel10(Header4.Label),
      Panel3(&TabSheet1),
      Panel18(&Panel3),
      RxLabel12(&Panel18, 8, 10, L"Favorite folders:", true),
      PrefListBox(&Panel3),
      Panel9(&TabSheet1),
      JamShellTree1(&Panel9),
      Splitter1(&Panel9, tk::TAlign::alLeft),
      Panel11(&Panel9),
      FilterComboBox1(&Panel11),
      JamShellList1(&Panel9),
      Splitter2(&TabSheet1, tk::TAlign::alLeft),
      Panel12(&TabSheet1),
      Panel13(&Panel12),
      RxLabel1(&Panel13, 9, 2, L"Preview:"),
      Panel15(&Panel12, true),
      MyOleContainer1(&Panel15),
      JamShellLink1(JamShellTree1, JamShellList1),
      SizeBand(&TabSheet2, DocExtentX, DocExtentY, SizeLock),
      BreitEd(SizeBand.BreitEd),
      HochEd(SizeBand.HochEd),
      RandCheck(SizeBand.RandCheck),
      randl(SizeBand.randl),
      randr(SizeBand.randr),
      rando(SizeBand.rando),
      randu(SizeBand.randu),
      CorvixColorComboBox1(SizeBand.CorvixColorComboBox1),
      RenderBtn(SizeBand.RenderBtn),
      ScrollBox1(&TabSheet2),
      PaintBox1(&ScrollBox1),
      Panel5(&TabSheet4),
      SaveAsBtn(&Panel5, 8, 8, 145, 25, L"Save picture as..."),
      PrintBtn(&Panel5, 160, 8, 145, 25, L"Print picture..."),
      ErgScrollBox(&TabSheet4),
      ErgPaintBox(&ErgScrollBox),
      Bar(Panel7),
      wwwBtn(Bar.wwwBtn),
      Panel8(Bar.Panel8),
      ueberbtn(Bar.ueberbtn),
      endebtn(Bar.endebtn) {
  Dock(StatusBar1, tk::TAlign::alBottom, 19);
  Dock(Plain(Panel7), tk::TAlign::alBottom, 41);
  Dock(Plain(OuterPanel), tk::TAlign::alClient);
  Dock(PageControl2, tk::TAlign::alClient);
  PageControl2.SetImages(MakeTabImages());
  PageControl2.SetActivePageIndex(0);

  SetUpFilePage();
  SetUpViews();
  SetUpRenderBtn();
  SetUpSaveRow();
  SetUpBar();
  RenderBtn.OnClick = [this] { RenderBtnClick(); };
  StatusBar1.OnDrawPanel = [this](HDC dc, int panel, const RECT& r) { StatusBar1DrawPanel(dc, panel, r); };
  OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
  OnDestroy = [this] { FormDestroy(); };
  SetUpStorage();
  FormCreate(programFolder);
}

TMainForm::~TMainForm() {
  // Tear the windows down while every member still exists; this also runs
  // FormDestroy when the window was not closed through the quit question.
  DestroyHandle();
  FormDestroy();
}

void TMainForm::SetUpRenderBtn() {
  tk::GdiBitmap glyph(static_cast<HBITMAP>(
      ::LoadImageW(::GetModuleHandleW(nullptr), L"RENDERGLYPH", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  RenderBtn.SetGlyph(glyph.get());
  RenderBtn.SetModalResult(tk::mrOk);
}

void TMainForm::FormCreate(const std::wstring& programFolder) {
  ProgramFolder = programFolder.empty() ? ExecutableFolder() : WithTrailingBackslash(programFolder);
  // No help file is shipped; the name is kept absolute like every other path.
  tk::TApplication::Instance().SetHelpFile(ProgramFolder + tk::TApplication::Instance().HelpFile());
  newdib(&CurrentImage, 320, 200, 24, nullptr, 0);
  if (CurrentImage.Bits) std::memset(CurrentImage.Bits, 255, CurrentImage.Info->bmiHeader.biSizeImage);
  SaveDialog1InitialDir = ProgramFolder;
  JamShellTree1.SetSelectedFolder(ProgramFolder);
  LoadFavorites();
}

void TMainForm::FormCloseQuery(bool& canClose) {
  canClose = tk::ShowMessage(Handle(), L"Hereby you quit Verdalux!", L"Quit program",
                             MB_OKCANCEL | MB_ICONINFORMATION) == IDOK;
}

void TMainForm::FormDestroy() {
  // Runs once: from the window's destruction, or from the destructor when the
  // window was never closed. A picture without pixels was never allocated.
  if (CurrentImage.Bits) deldib(CurrentImage);
  CurrentImage = TDibImage{};
}

LRESULT TMainForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_USER) {
    WMUser(wp, lp);
    return 0;
  }
  if (msg == WM_DROPFILES) {
    FormDropFiles(reinterpret_cast<HDROP>(wp));
    return 0;
  }
  return tk::TForm::WndProc(msg, wp, lp);
}

}  // namespace app
