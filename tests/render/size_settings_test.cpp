// The size and border band: its layout and tab order, and the aspect lock of
// width and height driven by typing, keys and focus changes.
#include <memory>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

#include "render/size_settings.h"
#include "tests/support/pixels.h"
#include "toolkit/form.h"

using render::TSizeSettings;

namespace {

class SizeSettingsTest : public testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<tk::TForm>(L"SizeSettingsTestForm", L"size settings", 640, 300, tk::TFont{});
    band = std::make_unique<TSizeSettings>(form.get(), extX, extY, sizeLock);
    form->Show();
  }
  void TearDown() override {
    band.reset();
    form.reset();
  }

  // What the user does: select the whole field, then type (empty: just delete).
  static void TypeInto(tk::TRxSpinEdit& e, const wchar_t* text) {
    e.SelectAll();
    ::SendMessageW(e.Handle(), WM_CHAR, VK_BACK, 1);
    for (; *text; ++text) ::SendMessageW(e.Handle(), WM_CHAR, *text, 1);
  }
  using Pair = std::pair<std::wstring, std::wstring>;
  Pair Sizes() const { return {band->BreitEd.Text(), band->HochEd.Text()}; }
  void SetExtent(int32_t x, int32_t y) {
    extX = x;
    extY = y;
  }

  int32_t extX = 0, extY = 0;
  bool sizeLock = false;
  std::unique_ptr<tk::TForm> form;
  std::unique_ptr<TSizeSettings> band;
};

RECT BoundsIn(const tk::TWinControl& c, HWND parent) {
  RECT r;
  ::GetWindowRect(c.Handle(), &r);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};  // left, top, width, height
}

TEST_F(SizeSettingsTest, LayoutRangesAndDefaults) {
  EXPECT_EQ(band->Left(), 0);
  EXPECT_EQ(band->Top(), 0);
  EXPECT_EQ(band->Height(), 105);
  EXPECT_EQ(band->Width(), form->ClientWidth());

  struct Row {
    const tk::TWinControl* control;
    RECT want;  // left, top, width, height
  };
  const Row rows[] = {
      {&band->BreitEd, {64, 8, 97, 21}},   {&band->HochEd, {64, 32, 97, 21}}, {&band->RandCheck, {216, 8, 97, 17}},
      {&band->randl, {400, 8, 65, 21}},    {&band->randr, {400, 32, 65, 21}}, {&band->rando, {544, 8, 65, 21}},
      {&band->randu, {544, 32, 65, 21}},   {&band->RenderBtn, {8, 56, 113, 25}},
      {&band->CorvixColorComboBox1, {400, 56, 209, 22}},  // 22: the closed height of the list
  };
  for (const Row& row : rows) {
    const RECT got = BoundsIn(*row.control, band->Handle());
    EXPECT_EQ(std::tie(got.left, got.top, got.right, got.bottom),
              std::tie(row.want.left, row.want.top, row.want.right, row.want.bottom));
  }
  EXPECT_EQ(Sizes(), Pair(L"750", L"1000"));
  EXPECT_TRUE(band->RandCheck.Checked());
  EXPECT_EQ(band->RenderBtn.Text(), L"Render");
  EXPECT_EQ(band->CorvixColorComboBox1.ColorValue(), controls::clWhite);
  EXPECT_EQ(band->CorvixColorComboBox1.HTMLcolor(), L"#FFFFFF");
  EXPECT_EQ(band->CorvixColorComboBox1.ItemIndex(), 15);

  // Ranges: the bottom edge alone goes to 1000 %.
  for (tk::TRxSpinEdit* e : {&band->randl, &band->randr, &band->rando, &band->randu}) {
    EXPECT_EQ(e->Text(), L"5");
    e->SetValue(5000);
  }
  EXPECT_EQ(band->randl.Text(), L"100");
  EXPECT_EQ(band->rando.Text(), L"100");
  EXPECT_EQ(band->randu.Text(), L"1000");
  band->BreitEd.SetValue(0);
  band->HochEd.SetValue(1e9);
  EXPECT_EQ(Sizes(), Pair(L"1", L"30000"));
}

TEST_F(SizeSettingsTest, TabOrderRunsFromRenderToTheColourList) {
  const HWND expected[] = {band->RenderBtn.Handle(), band->BreitEd.Handle(), band->HochEd.Handle(),
                           band->RandCheck.Handle(), band->randl.Handle(),   band->randr.Handle(),
                           band->rando.Handle(),     band->randu.Handle(),   band->CorvixColorComboBox1.Handle()};
  HWND h = expected[8];
  for (HWND want : expected) {
    h = ::GetNextDlgTabItem(form->Handle(), h, FALSE);
    EXPECT_EQ(h, want);
  }
}

TEST_F(SizeSettingsTest, EditedFieldKeepsItsTextAndTheOtherFollows) {
  SetExtent(3, 4);
  TypeInto(band->BreitEd, L"750");
  EXPECT_EQ(Sizes(), Pair(L"750", L"1000"));
  TypeInto(band->HochEd, L"1001");
  EXPECT_EQ(Sizes(), Pair(L"750", L"1001"));  // 750.75 truncated
  TypeInto(band->BreitEd, L"751");
  EXPECT_EQ(Sizes(), Pair(L"751", L"1001"));  // 1001.33 truncated
  // Keys change the field like typing does.
  ::SendMessageW(band->BreitEd.Handle(), WM_KEYDOWN, VK_UP, 1);
  EXPECT_EQ(Sizes(), Pair(L"752", L"1002"));
  EXPECT_FALSE(sizeLock);
  // While the lock is held elsewhere, a change leaves the other field alone.
  sizeLock = true;
  TypeInto(band->BreitEd, L"30");
  EXPECT_EQ(Sizes(), Pair(L"30", L"1002"));
}

TEST_F(SizeSettingsTest, EmptiedWidthCountsAsTheMinimum) {
  SetExtent(3, 4);
  TypeInto(band->BreitEd, L"");
  EXPECT_EQ(Sizes(), Pair(L"", L"1"));  // 1 x 4 / 3 = 1.33
}

TEST_F(SizeSettingsTest, TooLargeWidthClampsHeightThenItselfOnExit) {
  SetExtent(1, 1);
  band->BreitEd.SetFocus();
  TypeInto(band->BreitEd, L"40000");
  EXPECT_EQ(Sizes(), Pair(L"40000", L"30000"));
  band->HochEd.SetValue(5);  // so that leaving the field must compute the height again
  EXPECT_EQ(Sizes(), Pair(L"5", L"5"));
  band->BreitEd.SetFocus();
  TypeInto(band->BreitEd, L"40000");
  band->randl.SetFocus();
  ASSERT_TRUE(band->randl.Focused()) << "focus did not move";
  EXPECT_EQ(Sizes(), Pair(L"30000", L"30000"));
}

TEST_F(SizeSettingsTest, ZeroExtentSideTurnsThatDirectionOff) {
  SetExtent(5, 0);
  TypeInto(band->HochEd, L"500");
  EXPECT_EQ(Sizes(), Pair(L"750", L"500"));
  TypeInto(band->BreitEd, L"600");
  EXPECT_EQ(Sizes(), Pair(L"600", L"1"));  // 0 clamped to the minimum
  SetExtent(0, 0);
  TypeInto(band->BreitEd, L"321");
  TypeInto(band->HochEd, L"123");
  EXPECT_EQ(Sizes(), Pair(L"321", L"123"));
}

TEST_F(SizeSettingsTest, NewDocumentKeepsWidthAndRecomputesHeight) {
  SetExtent(3, 4);
  TypeInto(band->HochEd, L"2000");
  EXPECT_EQ(Sizes(), Pair(L"1500", L"2000"));
  // An import stores the new extent and calls the width handler once.
  SetExtent(2000000000, 1999999999);
  band->BreitEdChange();
  EXPECT_EQ(Sizes(), Pair(L"1500", L"1499"));
  TypeInto(band->BreitEd, L"30000");
  EXPECT_EQ(Sizes(), Pair(L"30000", L"29999"));  // needs the 64-bit product
}

}  // namespace
