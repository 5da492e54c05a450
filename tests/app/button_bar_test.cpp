// The bottom button bar as the user meets it: where its controls sit, their
// pictures, cursors and hints, and the three commands driven with the mouse.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/about_box.h"
#include "app/main_form.h"
#include "app/shell_open.h"
#include "tests/app/posted_call.h"
#include "tests/support/modal_recorder.h"
#include "tests/support/pixels.h"

using testsupport::MouseClick;
using testsupport::PumpMessages;

namespace {

// A window's rectangle in its parent's client coordinates, read from the system.
RECT InParent(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

BOOL CALLBACK CountVisible(HWND h, LPARAM count) {
  *reinterpret_cast<int*>(count) += IsWindowVisible(h) ? 1 : 0;
  return TRUE;
}

// Records the shell calls instead of starting a browser.
class ShellRecorder {
 public:
  ShellRecorder() : previous_(app::SetShellOpener([this](const app::ShellOpenRequest& r) { calls.push_back(r); })) {}
  ~ShellRecorder() { app::SetShellOpener(previous_); }
  std::vector<app::ShellOpenRequest> calls;

 private:
  app::ShellOpener previous_;
};

class ButtonBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.Show();
    PumpMessages();
  }
  tk::FormInstance<app::TMainForm> form;
};

}  // namespace

TEST_F(ButtonBarTest, ControlsSitWhereTheLayoutPutsThem) {
  RECT client;
  GetClientRect(form.Handle(), &client);
  const RECT bar = InParent(form.Panel7.Handle());
  EXPECT_EQ(bar.bottom, client.bottom - 19);  // above the status bar
  EXPECT_EQ(bar.bottom - bar.top, 41);
  EXPECT_EQ(bar.right - bar.left, client.right);

  struct Expect {
    const char* name;
    HWND window, parent;
    RECT place;
  } const expected[] = {
      {"wwwBtn", form.wwwBtn.Handle(), form.Panel7.Handle(), {5, 5, 142, 38}},
      {"Panel8", form.Panel8.Handle(), form.Panel7.Handle(), {client.right - 206, 0, client.right, 41}},
      {"ueberbtn", form.ueberbtn.Handle(), form.Panel8.Handle(), {0, 8, 101, 38}},
      {"endebtn", form.endebtn.Handle(), form.Panel8.Handle(), {104, 8, 205, 38}},
  };
  for (const Expect& e : expected) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(GetParent(e.window), e.parent);
    EXPECT_TRUE(IsWindowVisible(e.window));
    const RECT r = InParent(e.window);
    EXPECT_EQ(r.left, e.place.left);
    EXPECT_EQ(r.top, e.place.top);
    EXPECT_EQ(r.right, e.place.right);
    EXPECT_EQ(r.bottom, e.place.bottom);
  }
  // The panel has no bevel: its edge shows the bar's own colour.
  EXPECT_EQ(form.Panel8.BevelOuter(), tk::TBevel::bvNone);
  EXPECT_EQ(form.wwwBtn.Caption(), app::kHomepageCaption);
}

TEST_F(ButtonBarTest, PicturesCursorsAndTooltips) {
  // The picture buttons take their pictures' size, and show them.
  for (controls::TImageBtn* b : {&form.ueberbtn, &form.endebtn}) {
    ASSERT_EQ(b->Picture().Width(), 101);
    ASSERT_EQ(b->Picture().Height(), 30);
    EXPECT_EQ(b->Picture2().Width(), 101);
    EXPECT_NE(b->Picture(), b->Picture2());
    const auto shot = testsupport::CaptureClient(b->Handle());
    const uint32_t centre = b->Picture().PixelAt(50, 4) & 0xFFFFFF;
    EXPECT_EQ(shot.At(50, 4), RGB(centre >> 16, (centre >> 8) & 0xFF, centre & 0xFF));
  }
  EXPECT_NE(form.ueberbtn.Picture(), form.endebtn.Picture());

  // The hand over both picture buttons, the arrow over the link.
  const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
  for (controls::TImageBtn* b : {&form.ueberbtn, &form.endebtn}) {
    SendMessageW(b->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(b->Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), hand);
  }

  // Each control's hint is a tool of the window's tooltip control.
  const HWND tips = form.Bar.Hints.Handle();
  ASSERT_NE(tips, nullptr);
  wchar_t cls[64] = {};
  GetClassNameW(tips, cls, 64);
  EXPECT_STREQ(cls, TOOLTIPS_CLASSW);
  EXPECT_EQ(GetWindow(tips, GW_OWNER), form.Handle());
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 3);
  EXPECT_EQ(form.Bar.Hints.Hint(form.wwwBtn), L"Go to the Harvik homepage...");
  EXPECT_EQ(form.Bar.Hints.Hint(form.ueberbtn), L"Information about the program");
  EXPECT_EQ(form.Bar.Hints.Hint(form.endebtn), L"Hereby you leave the program");
  EXPECT_EQ(form.Bar.Hints.Hint(form.Panel8), L"");
}

// The window's hint display is off: the hints are carried, yet a mouse resting
// on a control brings none up, where the same rest with hints on does.
TEST_F(ButtonBarTest, HintsAreCarriedButARestingMouseShowsNone) {
  const HWND tips = form.Bar.Hints.Handle();
  const HWND quit = form.endebtn.Handle();
  RECT r;
  GetWindowRect(quit, &r);
  auto restUntilShown = [&](DWORD limit) {
    const DWORD start = GetTickCount();
    for (int step = 0; GetTickCount() - start < limit; ++step) {
      if (step < 5) {  // a few moves the tooltip sees, then the mouse rests
        SetCursorPos((r.left + r.right) / 2 - 4 + 2 * step, (r.top + r.bottom) / 2);
        SendMessageW(quit, WM_MOUSEMOVE, 0, MAKELPARAM(46 + 2 * step, 15));
      }
      PumpMessages();
      if (IsWindowVisible(tips)) return GetTickCount() - start;
      Sleep(50);
    }
    return DWORD{0};
  };
  form.Bar.Hints.SetShowHint(true);
  const DWORD shownAfter = restUntilShown(10000);
  ASSERT_GT(shownAfter, 0u) << "with hints on, a resting mouse brings the hint up";
  SendMessageW(tips, TTM_POP, 0, 0);
  SetCursorPos(0, 0);
  PumpMessages();

  form.Bar.Hints.SetShowHint(false);
  EXPECT_EQ(restUntilShown(3 * shownAfter + 500), 0u);
  EXPECT_EQ(form.Bar.Hints.Hint(form.endebtn), L"Hereby you leave the program");
}

TEST_F(ButtonBarTest, TheHomepageLinkAsksTheShellOnce) {
  ShellRecorder shell;
  MouseClick(form.wwwBtn.Handle());
  ASSERT_EQ(shell.calls.size(), 1u);
  const app::ShellOpenRequest& r = shell.calls[0];
  EXPECT_EQ(r.owner, form.Handle());
  EXPECT_EQ(r.verb, L"open");
  EXPECT_EQ(r.file, app::kHomepageUrl);
  EXPECT_EQ(r.parameters, std::optional<std::wstring>(L""));
  EXPECT_EQ(r.directory, std::optional<std::wstring>(L""));
  EXPECT_EQ(r.show, SW_SHOW);
}

TEST_F(ButtonBarTest, AFailingShellShowsNothing) {
  testsupport::ScopedRecorder rec;
  const auto visibleWindows = [] {
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountVisible, reinterpret_cast<LPARAM>(&n));
    return n;
  };
  const int before = visibleWindows();
  // The real shell, with an address nothing can open: the result is dropped.
  app::ShellOpen({form.Handle(), L"open", L"Z:\\no\\such\\place\\nothing.none", L"", L"", SW_SHOW});
  PumpMessages();
  EXPECT_TRUE(rec.messages.empty());
  EXPECT_EQ(visibleWindows(), before);
  EXPECT_FALSE(form.Closed());
}

TEST_F(ButtonBarTest, QuitButtonAsksAndOnlyOkCloses) {
  testsupport::ScopedRecorder rec;
  rec.messageAnswers = {IDCANCEL, IDOK};
  const void* picture = form.Image().Bits;
  MouseClick(form.endebtn.Handle());
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(rec.messages[0].text, L"Hereby you quit Verdalux!");
  EXPECT_EQ(rec.messages[0].caption, L"Quit program");
  EXPECT_EQ(rec.messages[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONINFORMATION));
  EXPECT_FALSE(form.Closed());
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
  EXPECT_EQ(form.Image().Bits, picture);
  // A press that leaves the button before the release is no click.
  SendMessageW(form.endebtn.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(form.endebtn.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 10));
  SendMessageW(form.endebtn.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(300, 10));
  EXPECT_EQ(rec.messages.size(), 1u);
  MouseClick(form.endebtn.Handle());
  EXPECT_EQ(rec.messages.size(), 2u);
  EXPECT_TRUE(form.Closed());
}

TEST_F(ButtonBarTest, InfoButtonOpensAFreshAboutBoxEachTime) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const std::wstring year = std::to_wstring(now.wYear);
  HWND seen[2] = {};
  for (HWND& dialog : seen) {
    testsupport::PostedCall look([&] {
      dialog = FindWindowW(L"TAboutBox", L"Info");
      ASSERT_NE(dialog, nullptr);
      auto* about = dynamic_cast<app::TAboutBox*>(tk::TWinControl::FromHandle(dialog));
      ASSERT_NE(about, nullptr);
      EXPECT_EQ(GetWindow(dialog, GW_OWNER), form.Handle());
      EXPECT_FALSE(IsWindowEnabled(form.Handle()));  // modal
      EXPECT_NE(about->Copyright.Caption().find(year), std::wstring::npos);
      EXPECT_EQ(about->Copyright.Caption().find(L"XXXX"), std::wstring::npos);
      about->BitBtn1.Click();
    });
    MouseClick(form.ueberbtn.Handle());
    EXPECT_TRUE(look.Ran());
    ASSERT_NE(dialog, nullptr);
    // Gone once its loop has ended, and the main window works again.
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(IsWindowEnabled(form.Handle()));
  }
  EXPECT_NE(seen[0], seen[1]);
  EXPECT_EQ(FindWindowW(L"TAboutBox", nullptr), nullptr);
}
