// The flat speed button: edges for hover and press, the click on a release
// over it, its caption beside the glyph.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/pixels.h"
#include "toolkit/form.h"
#include "toolkit/speedbutton.h"

using testsupport::PumpMessages;

TEST(SpeedButton, FlatUntilHoveredSunkenWhileHeldAndClickedOnRelease) {
  tk::FormInstance<tk::TForm> form(L"TSpeedForm", L"Speed", 200, 60, tk::TFont{});
  tk::TSpeedButton www(&form, 5, 5, 137, 33, L"www.harvik.example");
  int clicks = 0;
  www.OnClick = [&] { ++clicks; };
  form.Show();
  PumpMessages();
  SendMessageW(www.Handle(), WM_MOUSELEAVE, 0, 0);  // wherever the pointer of the test display is
  const COLORREF face = form.Color();
  auto topEdge = [&] {
    www.Repaint();
    PumpMessages();
    return testsupport::CaptureClient(www.Handle()).At(60, 0);
  };
  EXPECT_FALSE(www.Hot());
  EXPECT_EQ(topEdge(), face) << "flat: no edge";
  const auto shot = testsupport::CaptureClient(www.Handle());
  int text = 0;
  for (int x = 0; x < shot.width; ++x) text += shot.At(x, 16) == GetSysColor(COLOR_BTNTEXT);
  EXPECT_GT(text, 0) << "the caption is drawn";

  SendMessageW(www.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
  EXPECT_TRUE(www.Hot());
  EXPECT_EQ(topEdge(), GetSysColor(COLOR_BTNHIGHLIGHT)) << "raised while the mouse is over it";
  SendMessageW(www.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  EXPECT_TRUE(www.Down());
  EXPECT_EQ(topEdge(), GetSysColor(COLOR_BTNSHADOW)) << "sunken while held";
  SendMessageW(www.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 10));
  EXPECT_FALSE(www.Down()) << "dragged off: up again";
  SendMessageW(www.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 10));
  SendMessageW(www.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(www.Down());
  SendMessageW(www.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  SendMessageW(www.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(300, 10));
  EXPECT_EQ(clicks, 1) << "released outside: no click";
  SendMessageW(www.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(www.Hot());
  EXPECT_EQ(topEdge(), face);
}
