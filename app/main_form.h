// The main window: a three-page wizard with a progress bar in its status bar.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/button_bar.h"
#include "pictrix/pictrix.h"
#include "render/holder/my_ole_container.h"
#include "render/renderer/strip_renderer.h"
#include "render/size_settings.h"
#include "shell/filter_combo.h"
#include "shell/shell_link.h"
#include "shell/shell_list.h"
#include "shell/shell_tree.h"
#include "toolkit/listbox.h"
#include "toolkit/splitter.h"
#include "toolkit/form.h"
#include "toolkit/form_storage.h"
#include "toolkit/label.h"
#include "toolkit/pagecontrol.h"
#include "toolkit/paintbox.h"
#include "toolkit/panel.h"
#include "toolkit/printer_choice.h"
#include "toolkit/scrollbox.h"
#include "toolkit/statusbar.h"

namespace app {

inline constexpr wchar_t kImportFailureText[] =
    L"Could not import the file. An OLE2 capable application have to exist for this file type.";

// A page's header: a coloured band with bevels and a bold caption.
class THeaderBand : public tk::TPanel {
 public:
  THeaderBand(tk::TWinControl* parent, const std::wstring& caption);
  tk::TLabel Label;
};

class TMainForm : public tk::TForm {
  // The window's state comes first: the controls built below already read it.
  RECT PanelRect{0, 0, 0, 0};
  int32_t Progress = 0;
  TDibImage CurrentImage{};
  std::wstring ProgramFolder;
  bool Dragging = false;
  int32_t DragStartX = 0;
  int32_t DragStartY = 0;
  int32_t DocExtentX = 0;
  int32_t DocExtentY = 0;
  bool SizeLock = false;

 public:
  // programFolder: where "folders.dat" lives; empty means the executable's
  // folder, as always in the program. Tests give a folder of their own.
  explicit TMainForm(const std::wstring& programFolder = L"");
  ~TMainForm() override;

  // Progress display.
  void SetProStatus(int32_t percent);
  void SBarPaintMore();
  void StatusBar1DrawPanel(HDC dc, int panel, const RECT& rect);
  void WMUser(WPARAM wp, LPARAM lp);

  void FormCreate(const std::wstring& programFolder = L"");
  void FormCloseQuery(bool& canClose);
  void FormDestroy();

  // Picture views.
  void PaintBox1Paint(HDC dc);
  void ErgPaintBoxPaint(HDC dc);
  void PaintBox1MouseDown(tk::TMouseButton button, int x, int y);
  void ErgPaintBoxMouseDown(tk::TMouseButton button, int x, int y);
  void PaintBox1MouseMove(int x, int y);
  void ErgPaintBoxMouseMove(int x, int y);
  void PaintBox1MouseUp(tk::TMouseButton button, int x, int y);
  void ErgPaintBoxMouseUp(tk::TMouseButton button, int x, int y);
  void FormMouseWheelDown();
  void FormMouseWheelUp();
  bool IsDragging() const { return Dragging; }

  // "Open file" page.
  void FilterComboBox1Change();
  void JamShellList1DblClick();
  void JamShellList1KeyPress(wchar_t& key);
  void openfilenow(const std::wstring& fileName);
  void AddToPrefFolders(const std::wstring& folder);
  void PrefListBoxDblClick();
  void PrefListBoxKeyPress(wchar_t& key);
  std::wstring FavoritesFile() const { return ProgramFolder + L"folders.dat"; }

  // Render: the picture of the chosen size replaces the current one.
  void RenderBtnClick();

  // Size settings: the width and height locked to the document's aspect.
  void BreitEdChange() { SizeBand.BreitEdChange(); }
  void HochEdChange() { SizeBand.HochEdChange(); }
  POINT DocExtent() const { return POINT{DocExtentX, DocExtentY}; }

  // Failures the next renders are to meet, for tests; nothing by default.
  render::FailureInjection RenderFailures;

  // Hands a new picture over: the old one is released, the new one is owned
  // from here on, and the size page's view shows it at once.
  void TakePicture(const TDibImage& picture);

  // "Save and print" page: the current picture into a file the user names.
  void SaveAsBtnClick();
  // For tests: the next saves meet a full disk once a file would pass this
  // many bytes; -1, never.
  int64_t SaveFailAfterBytes = -1;
  // "Save and print" page: the print dialog, then the current picture on the
  // printer chosen there.
  void PrintBtnClick();
  // For tests: the default printer, and the file the next prints go to
  // instead of the printer (empty: the printer).
  std::function<std::optional<tk::PrinterChoice>()> DefaultPrinter = &tk::PrinterChoice::Default;
  std::wstring PrintOutputFile;

  // The button bar, and what reaches the window from outside the pages.
  void wwwBtnClick();
  void ueberbtnClick();
  void EndeBtnClick();
  // Files dropped from the desktop or a file manager: the first one counts.
  void FormDropFiles(HDROP drop);
  void OpenDropped(const std::wstring& path);
  bool FormShortCut(const MSG& msg);

  // Read access for the other parts of the program and for tests.
  int32_t ProgressValue() const { return Progress; }
  const RECT& ProgressPanelRect() const { return PanelRect; }
  const TDibImage& Image() const { return CurrentImage; }
  const std::wstring& Folder() const { return ProgramFolder; }

  // Controls, from the bottom up.
  tk::TStatusBar StatusBar1;
  tk::TPanel Panel7;
  tk::TPanel OuterPanel;
  tk::TPageControl PageControl2;
  tk::TTabSheet TabSheet1;
  tk::TTabSheet TabSheet2;
  tk::TTabSheet TabSheet4;
  THeaderBand Header1;
  THeaderBand Header2;
  THeaderBand Header4;
  tk::TLabel& RxLabel8;
  tk::TLabel& RxLabel9;
  tk::TLabel& RxLabel10;
  // "Open file" page.
  tk::TPanel Panel3;
  tk::TPanel Panel18;
  tk::TLabel RxLabel12;
  tk::TListBox PrefListBox;
  tk::TPanel Panel9;
  shell::TJamShellTree JamShellTree1;
  tk::TSplitter Splitter1;
  tk::TPanel Panel11;
  shell::TFilterComboBox FilterComboBox1;
  shell::TJamShellList JamShellList1;
  tk::TSplitter Splitter2;
  tk::TPanel Panel12;
  tk::TPanel Panel13;
  tk::TLabel RxLabel1;
  tk::TPanel Panel15;
  render::TMyOleContainer MyOleContainer1;
  shell::TJamShellLink JamShellLink1;
  // "Choose size and quality" page.
  render::TSizeSettings SizeBand;
  tk::TRxSpinEdit& BreitEd;
  tk::TRxSpinEdit& HochEd;
  tk::TCheckBox& RandCheck;
  tk::TRxSpinEdit& randl;
  tk::TRxSpinEdit& randr;
  tk::TRxSpinEdit& rando;
  tk::TRxSpinEdit& randu;
  controls::TCorvixColorComboBox& CorvixColorComboBox1;
  controls::TBitBtnXP& RenderBtn;
  tk::TScrollBox ScrollBox1;
  tk::TPaintBox PaintBox1;
  tk::TPanel Panel5;  // the save and print buttons' row
  controls::TBitBtnXP SaveAsBtn;
  controls::TBitBtnXP PrintBtn;
  tk::TScrollBox ErgScrollBox;
  tk::TPaintBox ErgPaintBox;
  // The button bar's contents (in Panel7).
  TButtonBar Bar;
  tk::TSpeedButton& wwwBtn;
  tk::TPanel& Panel8;
  controls::TImageBtn& ueberbtn;
  controls::TImageBtn& endebtn;

  std::wstring SaveDialog1InitialDir;
  // Keeps the placement and the border settings between runs.
  tk::TFormStorage FormStorage1{*this};

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void SetUpViews();
  void SetUpRenderBtn();
  void SetUpSaveRow();
  void SetUpBar();
  void SetUpFilePage();
  void SetUpStorage();
  render::RenderSettings ReadRenderSettings() const;
  void LoadFavorites();
  void PaintPicture(tk::TPaintBox& box, HDC dc);
  void StartDrag(int x, int y);
  void DragTo(tk::TScrollBox& box, int x, int y);
  void WheelScroll(int pixels);
  int WheelRemainder = 0;

};

}  // namespace app
