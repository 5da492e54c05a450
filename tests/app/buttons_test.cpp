// The main window's bitmap button and its progress next to dialogs: keyboard
// navigation asks windows for their default button with the number the main
// window uses for progress (WM_USER), and must never move the bar.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/main_form.h"
#include "tests/support/pixels.h"
#include "toolkit/dialog_keys.h"
#include "toolkit/edit.h"

using testsupport::PumpMessages;

TEST(MainWindowButtons, RenderIsABitmapButtonWithItsTwoImageGlyph) {
  tk::FormInstance<app::TMainForm> form;
  EXPECT_EQ(form.RenderBtn.Glyph().width, 36);
  EXPECT_EQ(form.RenderBtn.Glyph().height, 18);
  EXPECT_EQ(form.RenderBtn.NumGlyphs(), 2);
  EXPECT_EQ(form.RenderBtn.ModalResult(), tk::mrOk);
  EXPECT_EQ(GetWindowLongW(form.RenderBtn.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_EQ(form.RenderBtn.Text(), L"Render");
}

TEST(MainWindowButtons, DialogNavigationLeavesTheProgressAlone) {
  tk::FormInstance<app::TMainForm> form;
  form.Show();
  form.PageControl2.SetActivePageIndex(1);
  form.SetProStatus(37);
  PumpMessages();
  // Tab through the size page by the main window's own navigation.
  form.BreitEd.SetFocus();
  for (int i = 0; i < 12; ++i) {
    MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 1};
    tk::NavigateDialog(form.Handle(), tab, tk::TNavigation::tabOnly);
  }
  EXPECT_EQ(form.ProgressValue(), 37);

  // A modal dialog owned by the main window, driven with every navigation key.
  struct TDialog : tk::TForm {
    explicit TDialog(HWND owner)
        : tk::TForm(L"TNavDialog", L"Dialog", 300, 100, tk::TFont{}, {owner, tk::TBorderStyle::bsDialog}),
          Edit(this, 8, 8, 100, 21),
          Ok(this, 8, 60, 89, 25, L"", IDOK),
          Cancel(this, 110, 60, 89, 25, L"", IDCANCEL) {
      Ok.SetKind(controls::TBitBtnXPKind::bkOK);
      Cancel.SetKind(controls::TBitBtnXPKind::bkCancel);
    }
    tk::TEdit Edit;
    controls::TBitBtnXP Ok, Cancel;
  };
  tk::FormInstance<TDialog> dialog(form.Handle());
  dialog.OnShow = [&] {
    for (UINT k : {VK_TAB, VK_TAB, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_TAB, VK_RETURN})
      PostMessageW(GetFocus(), WM_KEYDOWN, k, 1);
  };
  EXPECT_NE(dialog.ShowModal(), tk::mrNone);
  EXPECT_EQ(form.ProgressValue(), 37);
  // The progress message itself still works.
  SendMessageW(form.Handle(), WM_USER, 64, 0);
  EXPECT_EQ(form.ProgressValue(), 64);
}
