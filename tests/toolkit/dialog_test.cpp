// Modal forms and keyboard navigation: the owner disabled while a form runs,
// Esc and Enter, the result, quit requests, radio groups, and forms whose own
// WM_USER handler dialog navigation must not reach.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/pixels.h"
#include "toolkit/button.h"
#include "toolkit/checkbox.h"
#include "toolkit/dialog_keys.h"
#include "toolkit/edit.h"
#include "toolkit/form.h"
#include "toolkit/panel.h"

using testsupport::PumpMessages;

namespace {

void Key(HWND target, UINT vk) { PostMessageW(target, WM_KEYDOWN, vk, 1); }

// A dialog as the program's dialogs are built: an edit, OK (default) and
// Cancel, the buttons inside a panel so they are no direct children.
class TTestDialog : public tk::TForm {
 public:
  explicit TTestDialog(HWND owner)
      : tk::TForm(L"TTestDialog", L"Dialog", 300, 120, tk::TFont{}, {owner, tk::TBorderStyle::bsDialog}),
        Name(this, 8, 8, 200, 21),
        Buttons(this),
        Ok(&Buttons, 8, 8, 75, 25, L"OK", IDOK),
        Cancel(&Buttons, 90, 8, 75, 25, L"Cancel", IDCANCEL) {
    Buttons.SetBounds(0, 60, 300, 60);
    Ok.SetDefault(true);
    Ok.SetModalResult(tk::mrOk);
    Cancel.SetCancel(true);
    Cancel.SetModalResult(tk::mrCancel);
    Ok.OnClick = [this] { clicks.push_back(L"OK"); };
    Cancel.OnClick = [this] { clicks.push_back(L"Cancel"); };
  }
  tk::TEdit Name;
  tk::TPanel Buttons;
  tk::TButton Ok;
  tk::TButton Cancel;
  std::vector<std::wstring> clicks;
};

// Counts WM_USER the way the main window uses it: a progress message.
class TProgressForm : public tk::TForm {
 public:
  TProgressForm() : tk::TForm(L"TProgressForm", L"Owner", 300, 200, tk::TFont{}), Go(this, 8, 8, 75, 25, L"Go") {
    Go.SetDefault(true);
  }
  tk::TButton Go;
  std::vector<WPARAM> userMessages;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_USER) {
      userMessages.push_back(wp);
      return 0;
    }
    return tk::TForm::WndProc(msg, wp, lp);
  }
};

}  // namespace

TEST(ModalForm, EscCancelsEnterPressesTheDefaultAndTheOwnerIsDisabledMeanwhile) {
  tk::FormInstance<TProgressForm> owner;
  owner.Show();
  const struct {
    UINT key;
    int result;
    const wchar_t* clicked;
  } cases[] = {{VK_ESCAPE, tk::mrCancel, L"Cancel"}, {VK_RETURN, tk::mrOk, L"OK"}};
  for (const auto& c : cases) {
    tk::FormInstance<TTestDialog> dialog(owner.Handle());
    bool ownerEnabledWhileShown = true;
    HWND focusWhileShown = nullptr;
    dialog.OnShow = [&] {
      ownerEnabledWhileShown = IsWindowEnabled(owner.Handle());
      focusWhileShown = GetFocus();
      Key(GetFocus(), c.key);
    };
    EXPECT_EQ(dialog.ShowModal(), c.result);
    EXPECT_FALSE(ownerEnabledWhileShown);
    EXPECT_EQ(focusWhileShown, dialog.Name.Handle()) << "the first control takes the focus";
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
    EXPECT_EQ(dialog.ModalResult(), c.result);
    EXPECT_EQ(dialog.clicks, std::vector<std::wstring>{c.clicked});
  }
  EXPECT_TRUE(owner.userMessages.empty());
}

TEST(ModalForm, EnterPressesTheFocusedButtonAndTabMovesBetweenControls) {
  tk::FormInstance<TTestDialog> dialog(nullptr);
  dialog.OnShow = [&] {
    Key(dialog.Name.Handle(), VK_TAB);      // edit -> OK
    Key(dialog.Name.Handle(), VK_TAB);      // arrives at OK; posted to the edit, navigated from the focus
    Key(dialog.Name.Handle(), VK_RETURN);  // Cancel has the focus: Enter presses it
  };
  EXPECT_EQ(dialog.ShowModal(), tk::mrCancel);
  EXPECT_EQ(dialog.clicks, std::vector<std::wstring>{L"Cancel"});
}

TEST(ModalForm, ClosingOrSettingTheResultEndsItAndDestroyingTheWindowCancels) {
  tk::FormInstance<TTestDialog> a(nullptr);
  a.OnShow = [&] { PostMessageW(a.Handle(), WM_CLOSE, 0, 0); };
  EXPECT_EQ(a.ShowModal(), tk::mrCancel);
  EXPECT_FALSE(a.Closed()) << "a modal form hides; its owner destroys it";

  tk::FormInstance<TTestDialog> b(nullptr);
  b.OnShow = [&] { b.SetModalResult(tk::mrRetry); };
  EXPECT_EQ(b.ShowModal(), tk::mrRetry);
  EXPECT_TRUE(b.clicks.empty());

  tk::FormInstance<TTestDialog> c(nullptr);
  c.OnCloseQuery = [](bool& canClose) { canClose = false; };
  c.OnShow = [&] {
    PostMessageW(c.Handle(), WM_CLOSE, 0, 0);  // refused by the close question
    c.Cancel.Click();
  };
  EXPECT_EQ(c.ShowModal(), tk::mrCancel);
  EXPECT_EQ(c.clicks, std::vector<std::wstring>{L"Cancel"});
}

TEST(ModalForm, AQuitRequestEndsTheLoopAndIsPostedAgainForTheOuterLoop) {
  tk::FormInstance<TProgressForm> owner;
  owner.Show();
  tk::FormInstance<TTestDialog> dialog(owner.Handle());
  dialog.OnShow = [] { PostQuitMessage(7); };
  EXPECT_EQ(dialog.ShowModal(), tk::mrCancel);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST(ModalForm, NavigationNeverReachesTheOwnersWmUserHandler) {
  tk::FormInstance<TProgressForm> owner;
  owner.Show();
  // The owner's own navigation (Tab onto its default button) asks it for its
  // default button with DM_GETDEFID, the number of WM_USER.
  owner.Go.SetFocus();
  MSG tab{owner.Go.Handle(), WM_KEYDOWN, VK_TAB, 1};
  tk::NavigateDialog(owner.Handle(), tab, tk::TNavigation::tabOnly);
  // A dialog it owns, driven with every navigation key.
  tk::FormInstance<TTestDialog> dialog(owner.Handle());
  dialog.OnShow = [&] {
    for (UINT k : {VK_TAB, VK_DOWN, VK_UP, VK_LEFT, VK_RIGHT, VK_TAB, VK_TAB, VK_RETURN}) Key(GetFocus(), k);
  };
  dialog.ShowModal();
  // A real WM_USER still arrives.
  PostMessageW(owner.Handle(), WM_USER, 42, 0);
  PumpMessages();
  EXPECT_EQ(owner.userMessages, std::vector<WPARAM>{42});
}

TEST(ModalForm, TheDefaultButtonIsTheFocusedButtonOrTheDefaultOne) {
  tk::FormInstance<TTestDialog> dialog(nullptr);
  dialog.Show();
  dialog.Name.SetFocus();
  EXPECT_TRUE(dialog.Ok.Active());
  EXPECT_FALSE(dialog.Cancel.Active());
  EXPECT_EQ(dialog.DefaultButtonId(), IDOK);
  EXPECT_EQ(GetWindowLongW(dialog.Ok.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  dialog.Cancel.SetFocus();
  EXPECT_FALSE(dialog.Ok.Active());
  EXPECT_TRUE(dialog.Cancel.Active());
  EXPECT_EQ(dialog.DefaultButtonId(), IDCANCEL);
  EXPECT_EQ(GetWindowLongW(dialog.Ok.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
}

TEST(ModalForm, FormInstanceRunsTheDestroyHandlerWhileTheMembersExist) {
  struct TNotes : tk::TForm {
    TNotes() : tk::TForm(L"TNotes", L"Notes", 100, 100, tk::TFont{}), Note(this, 0, 0, 50, 20) {
      Note.SetText(L"kept");
      OnDestroy = [this] { seen = Note.Text(); };
    }
    tk::TEdit Note;
    std::wstring seen;
    std::wstring* out = nullptr;
    ~TNotes() override {
      if (out) *out = seen;
    }
  };
  std::wstring seen;
  {
    tk::FormInstance<TNotes> notes;
    notes.out = &seen;
  }
  EXPECT_EQ(seen, L"kept");
}

TEST(Controls, IdsChosenByTheCreatorAndFoundAmongDescendants) {
  tk::FormInstance<TTestDialog> dialog(nullptr);
  EXPECT_EQ(dialog.Ok.ControlId(), IDOK);
  EXPECT_EQ(GetDlgCtrlID(dialog.Cancel.Handle()), IDCANCEL);
  EXPECT_EQ(dialog.FindDescendant(IDCANCEL), &dialog.Cancel);
  EXPECT_GT(dialog.Name.ControlId(), 1000) << "automatic IDs stay clear of the dialog IDs";
  EXPECT_EQ(GetWindow(dialog.Handle(), GW_OWNER), nullptr);
  EXPECT_EQ(GetWindowLongW(dialog.Handle(), GWL_STYLE) & WS_THICKFRAME, 0) << "a dialog border is fixed";
}

TEST(Controls, ArrowsMoveAndCheckWithinARadioGroupInsideAGroupBox) {
  tk::FormInstance<tk::TForm> form(L"TRadioForm", L"Radio", 300, 200, tk::TFont{});
  tk::TGroupBox box(&form, 8, 8, 200, 120, L"Print size");
  tk::TRadioButton full(&box, 16, 24, 150, 17, L"Use page fully", true);
  tk::TRadioButton user(&box, 16, 48, 150, 17, L"User-defined");
  tk::TCheckBox after(&form, 8, 140, 150, 17, L"Centered output");
  int userClicks = 0;
  user.OnClick = [&] { ++userClicks; };
  form.Show();
  full.SetChecked(true);
  full.SetFocus();
  MSG down{full.Handle(), WM_KEYDOWN, VK_DOWN, 1};
  EXPECT_TRUE(tk::NavigateDialog(form.Handle(), down, tk::TNavigation::dialog));
  EXPECT_TRUE(user.Focused());
  EXPECT_TRUE(user.Checked());
  EXPECT_FALSE(full.Checked());
  EXPECT_EQ(userClicks, 1);
  MSG tab{user.Handle(), WM_KEYDOWN, VK_TAB, 1};
  EXPECT_TRUE(tk::NavigateDialog(form.Handle(), tab, tk::TNavigation::dialog));
  EXPECT_TRUE(after.Focused()) << "Tab leaves the group";
  // The group box's inside shows its parent's colour, not unpainted memory.
  form.SetColor(RGB(200, 220, 240));
  box.Repaint();
  PumpMessages();
  EXPECT_EQ(testsupport::CaptureClient(box.Handle()).At(100, 100), RGB(200, 220, 240));
}
