// The main window driven as a user would, with pixels read back from the screen.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/main_form.h"
#include "tests/support/modal_recorder.h"
#include "tests/support/pixels.h"

using testsupport::CaptureClient;
using testsupport::PumpMessages;

namespace {

constexpr COLORREF kNavy = RGB(0, 0, 128);

struct PaintCounter {
  int paints = 0;
  int erases = 0;
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<PaintCounter*>(ref);
    if (m == WM_PAINT) ++self->paints;
    if (m == WM_ERASEBKGND) ++self->erases;
    return DefSubclassProc(h, m, w, l);
  }
};

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<app::TMainForm>();
    form->Show();
    PumpMessages();
  }
  void TearDown() override { form.reset(); }

  // Navy pixels in the middle row of the progress panel.
  int NavyInPanel() {
    const RECT r = form->StatusBar1.PanelRect(1);
    const auto snap = CaptureClient(form->StatusBar1.Handle());
    return snap.CountInRow((r.top + r.bottom) / 2, 0, snap.width, kNavy);
  }
  int PanelWidth() {
    const RECT r = form->ProgressPanelRect();
    return r.right - r.left;
  }

  std::unique_ptr<app::TMainForm> form;
};

}  // namespace

TEST_F(MainFormTest, HasTheLayoutOfTheWizard) {
  HWND h = form->Handle();
  wchar_t caption[64];
  GetWindowTextW(h, caption, 64);
  EXPECT_STREQ(caption, L"Harvik Verdalux 2.0");
  RECT rc;
  GetClientRect(h, &rc);
  EXPECT_EQ(rc.right, 622);
  EXPECT_EQ(rc.bottom, 476);

  // Bottom up: status bar 19, button bar 41, pages fill the rest.
  EXPECT_EQ(form->StatusBar1.Top(), 476 - 19);
  EXPECT_EQ(form->StatusBar1.Height(), 19);
  EXPECT_EQ(form->StatusBar1.Width(), 622);
  EXPECT_EQ(form->Panel7.Top(), 476 - 19 - 41);
  EXPECT_EQ(form->Panel7.Height(), 41);
  EXPECT_EQ(form->OuterPanel.Top(), 0);
  EXPECT_EQ(form->OuterPanel.Height(), 476 - 60);
  EXPECT_EQ(form->PageControl2.Width(), 622);

  ASSERT_EQ(form->PageControl2.PageCount(), 3);
  EXPECT_EQ(form->PageControl2.ActivePageIndex(), 0);
  const wchar_t* names[] = {L"Open file", L"Choose size and quality", L"Save and print"};
  const int images[] = {0, 2, 1};
  for (int i = 0; i < 3; ++i) {
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(form->PageControl2.Handle(), TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, names[i]);
    EXPECT_EQ(item.iImage, images[i]);
  }
  EXPECT_EQ(form->RxLabel8.Caption(), L"Open file - Choose the file you want to convert into a bitmap");
  EXPECT_EQ(form->RxLabel9.Caption(), L"Choose size and quality - Choose the size and click on \"Render\"");
  EXPECT_EQ(form->RxLabel10.Caption(), L"Ready! - View, save or print picture");
  EXPECT_TRUE(form->RxLabel8.Font().bold);
  EXPECT_EQ(form->RxLabel8.Left(), 16);
  EXPECT_EQ(form->RxLabel8.Top(), 10);

  // The statusbar's two panels, 250 pixels each.
  int edges[4] = {};
  ASSERT_EQ(SendMessageW(form->StatusBar1.Handle(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
  EXPECT_EQ(edges[0], 250);
  EXPECT_EQ(edges[1], 500);
}

TEST_F(MainFormTest, HeaderBandsHaveTheirColourInsideTheBevels) {
  for (int page = 0; page < 3; ++page) {
    form->PageControl2.SetActivePageIndex(page);
    PumpMessages();
    tk::TPanel& band = page == 0 ? static_cast<tk::TPanel&>(form->Header1)
                       : page == 1 ? static_cast<tk::TPanel&>(form->Header2)
                                   : static_cast<tk::TPanel&>(form->Header4);
    EXPECT_EQ(band.Height(), 33);
    const auto snap = CaptureClient(band.Handle());
    ASSERT_GT(snap.width, 100);
    EXPECT_EQ(snap.At(snap.width - 5, 5), RGB(240, 202, 166)) << "page " << page;
    // Outer bevel lowered: shadow on the top edge; inner raised: highlight inside it.
    EXPECT_EQ(snap.At(snap.width / 2, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(snap.At(snap.width / 2, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(snap.At(snap.width / 2, snap.height - 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(snap.At(snap.width / 2, snap.height - 2), GetSysColor(COLOR_BTNSHADOW));
  }
  form->PageControl2.SetActivePageIndex(0);
}

TEST_F(MainFormTest, StartsWithAWhitePictureAndTheProgramFolder) {
  const TDibImage& img = form->Image();
  ASSERT_NE(img.Bits, nullptr);
  EXPECT_EQ(img.Info->bmiHeader.biWidth, 320);
  EXPECT_EQ(img.Info->bmiHeader.biHeight, 200);
  EXPECT_EQ(img.Info->bmiHeader.biBitCount, 24);
  const auto* bytes = static_cast<const uint8_t*>(img.Bits);
  const DWORD size = img.Info->bmiHeader.biSizeImage;
  ASSERT_GE(size, 320u * 3 * 200);
  size_t notWhite = 0;
  for (DWORD i = 0; i < size; ++i) notWhite += bytes[i] != 255;
  EXPECT_EQ(notWhite, 0u);
  ASSERT_FALSE(form->Folder().empty());
  EXPECT_EQ(form->Folder().back(), L'\\');
  EXPECT_EQ(form->SaveDialog1InitialDir, form->Folder());
}

TEST_F(MainFormTest, ProgressGrowsByPaintingOverAndShrinksByARepaint) {
  ASSERT_GT(PanelWidth(), 0) << "the status bar has painted its progress panel once";
  const int w = PanelWidth();
  PaintCounter counter;
  SetWindowSubclass(form->StatusBar1.Handle(), PaintCounter::Proc, 1, reinterpret_cast<DWORD_PTR>(&counter));

  form->SetProStatus(40);
  EXPECT_EQ(NavyInPanel(), w * 40 / 100);
  form->SetProStatus(49);
  EXPECT_EQ(NavyInPanel(), w * 49 / 100);
  form->SetProStatus(60);
  EXPECT_EQ(NavyInPanel(), w * 60 / 100);
  // Growing only painted over: no repaint of the status bar at all.
  EXPECT_EQ(counter.paints, 0);
  EXPECT_EQ(counter.erases, 0);

  // Shrinking repaints at once, before SetProStatus returns.
  form->SetProStatus(10);
  EXPECT_GE(counter.paints, 1);
  EXPECT_EQ(NavyInPanel(), w * 10 / 100);
  form->SetProStatus(100);
  EXPECT_EQ(NavyInPanel(), w);
  form->SetProStatus(0);
  EXPECT_EQ(NavyInPanel(), 0);
  RemoveWindowSubclass(form->StatusBar1.Handle(), PaintCounter::Proc, 1);
}

TEST_F(MainFormTest, WmUserSetsThePercentage) {
  const int w = PanelWidth();
  EXPECT_EQ(SendMessageW(form->Handle(), WM_USER, 75, 12345), 0);
  EXPECT_EQ(form->ProgressValue(), 75);
  EXPECT_EQ(NavyInPanel(), w * 75 / 100);
  // Posted like any other client would: handled when the loop dispatches it.
  PostMessageW(form->Handle(), WM_USER, 30, 0);
  EXPECT_EQ(form->ProgressValue(), 75);
  PumpMessages();
  EXPECT_EQ(form->ProgressValue(), 30);
  EXPECT_EQ(NavyInPanel(), w * 30 / 100);
  // A value far out of range fills the panel and nothing beyond it.
  SendMessageW(form->Handle(), WM_USER, 5000, 0);
  EXPECT_EQ(NavyInPanel(), w);
}

TEST(MainFormBeforePaint, ABarBeforeAnyPaintDrawsNothing) {
  app::TMainForm form;  // never shown, so the status bar has not painted
  form.SetProStatus(50);
  const RECT r = form.ProgressPanelRect();
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right, 0);
  EXPECT_EQ(r.bottom, 0);
  form.Show();
  PumpMessages();
  // The first paint draws the bar the value asks for, and only inside the panel.
  const RECT panel = form.ProgressPanelRect();
  const auto snap = CaptureClient(form.StatusBar1.Handle());
  const int y = (panel.top + panel.bottom) / 2;
  EXPECT_EQ(snap.CountInRow(y, panel.left, panel.right, kNavy), (panel.right - panel.left) / 2);
  EXPECT_EQ(snap.CountInRow(y, 0, panel.left, kNavy), 0);
  EXPECT_EQ(snap.CountInRow(0, 0, snap.width, kNavy), 0);
}

TEST_F(MainFormTest, QuitQuestionCancelKeepsEverything) {
  testsupport::ScopedRecorder rec;
  rec.messageAnswers = {IDCANCEL};
  const void* bits = form->Image().Bits;
  const int live = PictrixLiveImages();
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(rec.messages[0].text, L"Hereby you quit Verdalux!");
  EXPECT_EQ(rec.messages[0].caption, L"Quit program");
  EXPECT_EQ(rec.messages[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONINFORMATION));
  EXPECT_EQ(rec.messages[0].owner, form->Handle());
  EXPECT_TRUE(IsWindow(form->Handle()));
  EXPECT_EQ(form->Image().Bits, bits);
  EXPECT_EQ(PictrixLiveImages(), live);
}

TEST_F(MainFormTest, QuitQuestionOkClosesAndReleasesThePictureOnce) {
  testsupport::ScopedRecorder rec;
  rec.messageAnswers = {IDOK};
  HWND h = form->Handle();
  const int live = PictrixLiveImages();
  SendMessageW(h, WM_CLOSE, 0, 0);
  EXPECT_EQ(rec.messages.size(), 1u);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_TRUE(form->Closed());
  EXPECT_EQ(form->Image().Bits, nullptr);
  EXPECT_EQ(PictrixLiveImages(), live - 1);
  form.reset();  // destroying the closed form releases nothing twice
  EXPECT_EQ(PictrixLiveImages(), live - 1);
}

TEST(MainFormStartup, AFailedFirstPictureIsDroppedSilently) {
  const int live = PictrixLiveImages();
  PictrixFailAllocationAfter(0);
  {
    app::TMainForm form;
    PictrixFailAllocationAfter(-1);
    EXPECT_EQ(form.Image().Bits, nullptr);
    EXPECT_EQ(PictrixLiveImages(), live);
  }
  EXPECT_EQ(PictrixLiveImages(), live);
}
