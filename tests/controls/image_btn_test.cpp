// The image button driven with mouse messages, as the system delivers them to
// the control and, while it holds the capture, outside it; what it shows is
// read back from its window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/image_btn.h"
#include "tests/support/pixels.h"
#include "toolkit/form.h"

using testsupport::PumpMessages;

namespace {

class ImageBtnTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(normal.LoadFromResource(nullptr, L"EXITBTN"), S_OK);
    ASSERT_EQ(pressed.LoadFromResource(nullptr, L"EXITBTN_PRESSED"), S_OK);
    ASSERT_NE(normal, pressed);
    endebtn.SetPicture(normal);
    endebtn.SetPicture2(pressed);
    endebtn.OnClick = [this] {
      events.push_back(L"click");
      shownAtClick = Shows(normal);
    };
    endebtn.OnMouseUp = [this](tk::TMouseButton, int, int) { events.push_back(L"up"); };
    form.Show();
    PumpMessages();
  }
  // Posts a mouse message to the window that gets it: the one holding the capture, else the button.
  void Mouse(UINT msg, int x, int y, WPARAM keys) {
    HWND target = GetCapture() ? GetCapture() : endebtn.Handle();
    PostMessageW(target, msg, keys, MAKELPARAM(x, y));
    PumpMessages();
  }
  bool Shows(const tk::TPicture& pic) const {
    const auto shot = testsupport::CaptureClient(endebtn.Handle());
    if (shot.width != pic.Width() || shot.height != pic.Height()) return false;
    for (int y = 0; y < shot.height; ++y)
      for (int x = 0; x < shot.width; ++x) {
        const uint32_t p = pic.PixelAt(x, y);
        if (shot.At(x, y) != RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF)) return false;
      }
    return true;
  }

  tk::FormInstance<tk::TForm> form{L"TImageBtnForm", L"Button bar", 250, 60, tk::TFont{}};
  controls::TImageBtn endebtn{&form, 104, 8, 10, 10};
  tk::TPicture normal, pressed;
  std::vector<std::wstring> events;
  bool shownAtClick = false;
};

}  // namespace

TEST_F(ImageBtnTest, AutoSizedToItsPictureAndShowingTheNormalOne) {
  EXPECT_EQ(endebtn.Width(), 101);
  EXPECT_EQ(endebtn.Height(), 30);
  EXPECT_TRUE(Shows(normal));
}

TEST_F(ImageBtnTest, ALeftClickShowsThePressedPictureAndTheNormalOneBeforeTheClickHandler) {
  Mouse(WM_LBUTTONDOWN, 50, 15, MK_LBUTTON);
  EXPECT_TRUE(Shows(pressed));
  EXPECT_TRUE(endebtn.Pressed());
  EXPECT_EQ(GetCapture(), endebtn.Handle());
  Mouse(WM_LBUTTONUP, 50, 15, 0);
  EXPECT_EQ(events, (std::vector<std::wstring>{L"click", L"up"}));
  EXPECT_TRUE(shownAtClick);
  EXPECT_TRUE(Shows(normal));
  EXPECT_FALSE(endebtn.Pressed());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ImageBtnTest, DraggingAcrossTheEdgeSwitchesThePictureAndAReleaseOutsideGivesNoClick) {
  Mouse(WM_LBUTTONDOWN, 50, 15, MK_LBUTTON);
  const struct {
    int x, y;
    bool inside;
  } moves[] = {
      {100, 29, true},  {101, 15, false}, {100, 15, true}, {50, 30, false}, {50, 29, true},
      {-1, 15, false},  {0, 0, true},     {50, -1, false}, {500, 400, false},
  };
  for (const auto& m : moves) {
    Mouse(WM_MOUSEMOVE, m.x, m.y, MK_LBUTTON);
    EXPECT_TRUE(Shows(m.inside ? pressed : normal)) << m.x << "," << m.y;
    EXPECT_EQ(endebtn.ShowingSecond(), m.inside) << m.x << "," << m.y;
  }
  Mouse(WM_LBUTTONUP, 500, 400, 0);
  EXPECT_EQ(events, std::vector<std::wstring>{L"up"});
  EXPECT_TRUE(Shows(normal));
  EXPECT_FALSE(endebtn.Pressed());
}

TEST_F(ImageBtnTest, RightButtonShowsThePressedPictureWithoutAClick) {
  Mouse(WM_RBUTTONDOWN, 20, 10, MK_RBUTTON);
  EXPECT_TRUE(Shows(pressed));
  Mouse(WM_RBUTTONUP, 20, 10, 0);
  EXPECT_TRUE(Shows(normal));
  EXPECT_EQ(events, std::vector<std::wstring>{L"up"});
}

TEST_F(ImageBtnTest, MovingWithoutAButtonChangesNothing) {
  for (auto [x, y] : {std::pair{10, 10}, {100, 29}, {101, 30}, {50, 15}}) {
    Mouse(WM_MOUSEMOVE, x, y, 0);
    EXPECT_TRUE(Shows(normal));
    EXPECT_FALSE(endebtn.ShowingSecond());
  }
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(events.empty());
}

TEST_F(ImageBtnTest, LosingTheCaptureWhileHeldGivesNoClick) {
  Mouse(WM_LBUTTONDOWN, 50, 15, MK_LBUTTON);
  ReleaseCapture();  // another window took the mouse
  Mouse(WM_LBUTTONUP, 50, 15, 0);
  EXPECT_EQ(events, std::vector<std::wstring>{L"up"});
}
