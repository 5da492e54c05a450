// Render through the main window: the size band as the user left it, the
// border, the hand-over of the picture and every failure's message.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/main_form.h"
#include "tests/support/files.h"
#include "tests/support/modal_recorder.h"
#include "tests/support/pixels.h"

using testsupport::PumpMessages;

namespace {

std::wstring SamplesFolder() { return testsupport::ExeFolder() + L"samples\\"; }

const uint8_t* PixelAt(const TDibImage& img, int x, int yFromTop) {
  const int h = img.Info->bmiHeader.biHeight;
  return static_cast<const uint8_t*>(img.Bits) + static_cast<size_t>(h - 1 - yFromTop) * img.BytesPerRow + 3 * x;
}

class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<app::TMainForm>();
    form->Show();
    form->PageControl2.SetActivePageIndex(1);
    PumpMessages();
  }
  void Settings(int w, int h, bool border, int l = 0, int t = 0, int r = 0, int b = 0) {
    form->RandCheck.SetChecked(border);
    form->randl.SetValue(l);
    form->rando.SetValue(t);
    form->randr.SetValue(r);
    form->randu.SetValue(b);
    form->BreitEd.SetValue(w);
    form->HochEd.SetValue(h);
  }
  int Gdi() const { return static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)); }
  std::unique_ptr<app::TMainForm> form;
};

}  // namespace

TEST_F(RenderTest, BorderedPictureWithoutADocument) {
  testsupport::ScopedRecorder rec;
  Settings(750, 1000, true, 5, 5, 5, 5);
  form->CorvixColorComboBox1.SetColorValue(0x00332211);
  form->RenderBtn.SetFocus();
  SendMessageW(form->RenderBtn.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(rec.messages.empty());
  const TDibImage& img = form->Image();
  ASSERT_NE(img.Bits, nullptr);
  EXPECT_EQ(img.Info->bmiHeader.biWidth, 825);
  EXPECT_EQ(img.Info->bmiHeader.biHeight, 1100);
  // Border bytes in memory order blue, green, red; the picture at column 37, row 50.
  for (auto [x, y] : {std::pair{0, 0}, {36, 50}, {824, 1099}, {37 + 750, 500}, {400, 49}, {400, 1050}}) {
    const uint8_t* p = PixelAt(img, x, y);
    EXPECT_EQ(p[0], 0x33) << x << "," << y;
    EXPECT_EQ(p[1], 0x22);
    EXPECT_EQ(p[2], 0x11);
  }
  for (auto [x, y] : {std::pair{37, 50}, {37 + 749, 50 + 999}, {400, 600}}) {
    const uint8_t* p = PixelAt(img, x, y);
    EXPECT_EQ(p[0] & p[1] & p[2], 0xFF) << "no document leaves the picture white at " << x << "," << y;
  }
  EXPECT_EQ(form->ProgressValue(), 0);
  // The size page's view takes the new size at once.
  PumpMessages();
  EXPECT_EQ(form->PaintBox1.Width(), 825);
  EXPECT_EQ(form->PaintBox1.Height(), 1100);
}

TEST_F(RenderTest, TheImportedDrawingFillsThePicture) {
  testsupport::ScopedRecorder rec;
  ASSERT_TRUE(form->JamShellTree1.SetSelectedFolder(SamplesFolder()));
  form->openfilenow(L"drawing.emf");
  ASSERT_TRUE(rec.messages.empty());
  Settings(600, 10, false);
  form->BreitEd.SetValue(600);  // the height follows the drawing
  const int h = static_cast<int>(form->HochEd.Value());
  ASSERT_GT(h, 100);
  form->RenderBtnClick();
  const TDibImage& img = form->Image();
  ASSERT_EQ(img.Info->bmiHeader.biWidth, 600);
  ASSERT_EQ(img.Info->bmiHeader.biHeight, h);
  int coloured = 0;
  for (int y = 0; y < h; y += 5)
    for (int x = 0; x < 600; x += 5) {
      const uint8_t* p = PixelAt(img, x, y);
      coloured += !(p[0] == 255 && p[1] == 255 && p[2] == 255);
    }
  EXPECT_GT(coloured, 100);
}

TEST_F(RenderTest, EachFailureShowsOneMessageAndKeepsThePicture) {
  struct Case {
    const wchar_t* text;
    int stripBitmapAt, readBackAt, allocationAfter;
    bool progressTouched;
  } cases[] = {
      {L"Could not create bitmap! Not enough free memory?!", -1, -1, 0, false},
      {L"Could not create bitmap! Please choose a smaller size!", 1, -1, -1, true},
      {L"Could not create bitmap! Please choose a smaller size!", -1, -1, 2, true},  // the second strip image
      {L"Could not copy bitmap! Not enough free memory?!", -1, 2, -1, true},
  };
  Settings(300, 1400, true, 1, 2, 3, 4);
  form->RenderBtnClick();  // warm up: the first render settles caches and fonts
  const TDibImage before = form->Image();
  for (const Case& c : cases) {
    testsupport::ScopedRecorder rec;
    form->SetProStatus(0);
    form->SetProStatus(30);
    const int live = PictrixLiveImages(), gdi = Gdi();
    form->RenderFailures = {c.stripBitmapAt, c.readBackAt};
    PictrixFailAllocationAfter(c.allocationAfter);
    form->RenderBtnClick();
    PictrixFailAllocationAfter(-1);
    form->RenderFailures = {};
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, c.text);
    EXPECT_EQ(rec.messages[0].caption, L"Error");
    EXPECT_EQ(rec.messages[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(form->ProgressValue(), c.progressTouched ? 0 : 30) << testing::PrintToString(c.text);
    EXPECT_EQ(form->Image().Bits, before.Bits);
    EXPECT_EQ(PictrixLiveImages(), live);
    EXPECT_EQ(Gdi(), gdi);
  }
}

TEST_F(RenderTest, APictureTooLargeForMemoryFailsAtOnceWithOneMessage) {
  const void* before = form->Image().Bits;
  // 30000 x 360000 pixels (32 GB), and 30000 x 20000 (1.8 GB) with 1 GB left.
  for (const bool bottomBorder : {true, false}) {
    testsupport::ScopedRecorder rec;
    if (bottomBorder)
      Settings(30000, 30000, true, 100, 100, 100, 1000);
    else
      Settings(30000, 20000, false);
    PictrixPretendAvailableMemory(int64_t{1} << 30);
    form->RenderBtnClick();
    PictrixPretendAvailableMemory(-1);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, L"Could not create bitmap! Not enough free memory?!");
    EXPECT_EQ(form->Image().Bits, before);
    EXPECT_EQ(form->ProgressValue(), 0);
  }
}
