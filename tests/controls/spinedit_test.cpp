// The integer spin edit: its arithmetic, and the control driven by keys,
// typing, its buttons and focus changes.
#include <memory>

#include <gtest/gtest.h>

#include "tests/support/pixels.h"
#include "toolkit/form.h"
#include "toolkit/spinedit.h"

namespace {

TEST(SpinValue, ParsesWholeNumbersOnly) {
  EXPECT_EQ(tk::ParseSpinText(L"750"), 750);
  EXPECT_EQ(tk::ParseSpinText(L"  -12"), -12);
  EXPECT_EQ(tk::ParseSpinText(L"+7"), 7);
  EXPECT_EQ(tk::ParseSpinText(L"2147483647"), 2147483647);
  EXPECT_EQ(tk::ParseSpinText(L"-2147483648"), -2147483647 - 1);
  for (const wchar_t* bad : {L"", L"-", L" ", L"12a", L"1 2", L"7.5", L"2147483648", L"-2147483649",
                             L"99999999999999999999"})
    EXPECT_FALSE(tk::ParseSpinText(bad).has_value()) << bad;
}

TEST(SpinValue, ClampsThenRoundsHalvesToEven) {
  const tk::SpinRange r{0, 100};
  EXPECT_EQ(tk::ClampSpinValue(7.5, r), 8);
  EXPECT_EQ(tk::ClampSpinValue(6.5, r), 6);
  EXPECT_EQ(tk::ClampSpinValue(2.5, r), 2);
  EXPECT_EQ(tk::ClampSpinValue(2.4999, r), 2);
  EXPECT_EQ(tk::ClampSpinValue(0.5, r), 0);
  EXPECT_EQ(tk::ClampSpinValue(99.5, r), 100);
  EXPECT_EQ(tk::ClampSpinValue(100.4, r), 100);
  EXPECT_EQ(tk::ClampSpinValue(-3, r), 0);
  EXPECT_EQ(tk::ClampSpinValue(1e300, r), 100);
  EXPECT_EQ(tk::ClampSpinValue(-1.0 / 0.0, {1, 30000}), 1);
  EXPECT_EQ(tk::ClampSpinValue(-2.5, {-10, 10}), -2);
  EXPECT_EQ(tk::ClampSpinValue(-3.5, {-10, 10}), -4);
  // Equal limits mean no limits, but the value stays a 32-bit number.
  EXPECT_EQ(tk::ClampSpinValue(40000, {0, 0}), 40000);
  EXPECT_EQ(tk::ClampSpinValue(1e12, {0, 0}), 2147483647);
  EXPECT_EQ(tk::ClampSpinValue(-1e12, {5, 5}), -2147483647 - 1);
}

class SpinEditTest : public testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<tk::TForm>(L"SpinEditTestForm", L"spin edit", 300, 100, tk::TFont{});
    edit = std::make_unique<tk::TRxSpinEdit>(form.get(), 10, 10, 97, 21);
    other = std::make_unique<tk::TRxSpinEdit>(form.get(), 10, 40, 97, 21);
    edit->SetRange(1, 30000);
    edit->SetValue(750);
    edit->OnChange = [this] { ++changes; };
    form->Show();
  }
  void TearDown() override {
    other.reset();
    edit.reset();
    form.reset();
  }

  void Type(const wchar_t* s) {
    for (; *s; ++s) ::SendMessageW(edit->Handle(), WM_CHAR, *s, 1);
  }
  void ReplaceText(const wchar_t* s) {
    edit->SelectAll();
    ::SendMessageW(edit->Handle(), WM_CHAR, VK_BACK, 1);
    Type(s);
  }
  void ClickSpin(bool up) {
    HWND spin = edit->SpinButton();
    RECT rc;
    ::GetClientRect(spin, &rc);
    const LPARAM at = MAKELPARAM(rc.right / 2, up ? rc.bottom / 4 : rc.bottom * 3 / 4);
    ::SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(spin, WM_LBUTTONUP, 0, at);
  }

  std::unique_ptr<tk::TForm> form;
  std::unique_ptr<tk::TRxSpinEdit> edit, other;
  int changes = 0;
};

TEST_F(SpinEditTest, SetValueClampsRoundsAndNotifiesOnlyOnChange) {
  edit->SetRange(0, 100);
  edit->SetValue(7.5);
  EXPECT_EQ(edit->Text(), L"8");
  EXPECT_EQ(changes, 1);
  edit->SetValue(8.2);  // same text: no event
  EXPECT_EQ(changes, 1);
  edit->SetValue(1000);
  EXPECT_EQ(edit->Text(), L"100");
  EXPECT_EQ(edit->Value(), 100.0);
  edit->SetValue(0.0 / 0.0);
  EXPECT_EQ(edit->Text(), L"100");
  EXPECT_EQ(changes, 2);
}

TEST_F(SpinEditTest, TypedTextIsReadUnclampedOrAsMinimum) {
  ReplaceText(L"40000");
  EXPECT_EQ(edit->Text(), L"40000");
  EXPECT_EQ(edit->Value(), 40000.0);
  EXPECT_EQ(changes, 6);  // the emptied field, then one per typed digit

  ReplaceText(L"");
  EXPECT_EQ(edit->Text(), L"");
  EXPECT_EQ(edit->Value(), 1.0);  // not a number: the minimum
  Type(L"-");
  EXPECT_EQ(edit->Value(), 1.0);
  ReplaceText(L"1x2");  // letters are not taken
  EXPECT_EQ(edit->Text(), L"12");
  ::SetWindowTextW(edit->Handle(), L"abc");  // but pasted text may hold anything
  EXPECT_EQ(edit->Value(), 1.0);
}

TEST_F(SpinEditTest, LeavingTheFieldClampsOnlyOutOfRangeValues) {
  edit->SetFocus();
  ReplaceText(L"40000");
  const int typed = changes;
  other->SetFocus();
  ASSERT_TRUE(other->Focused()) << "focus did not move";
  EXPECT_EQ(edit->Text(), L"30000");
  EXPECT_EQ(changes, typed + 1);

  edit->SetFocus();
  ReplaceText(L"");
  const int emptied = changes;
  other->SetFocus();
  EXPECT_EQ(edit->Text(), L"");  // the minimum lies in range: the field stays empty
  EXPECT_EQ(changes, emptied);
}

TEST_F(SpinEditTest, ArrowKeysAndButtonsStepByOne) {
  ::SendMessageW(edit->Handle(), WM_KEYDOWN, VK_UP, 1);
  EXPECT_EQ(edit->Text(), L"751");
  EXPECT_EQ(changes, 1);
  ::SendMessageW(edit->Handle(), WM_KEYDOWN, VK_DOWN, 1);
  ::SendMessageW(edit->Handle(), WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_EQ(edit->Text(), L"749");
  EXPECT_EQ(changes, 3);

  ASSERT_NE(edit->SpinButton(), nullptr);
  ClickSpin(true);
  EXPECT_EQ(edit->Text(), L"750");
  EXPECT_EQ(changes, 4);
  ClickSpin(false);
  EXPECT_EQ(edit->Text(), L"749");
  EXPECT_EQ(changes, 5);

  // At the limit a step changes nothing and raises nothing.
  edit->SetValue(30000);
  const int atMax = changes;
  ::SendMessageW(edit->Handle(), WM_KEYDOWN, VK_UP, 1);
  ClickSpin(true);
  EXPECT_EQ(edit->Text(), L"30000");
  EXPECT_EQ(changes, atMax);

  // From a field that holds no number, a step starts at the minimum.
  ReplaceText(L"");
  ::SendMessageW(edit->Handle(), WM_KEYDOWN, VK_UP, 1);
  EXPECT_EQ(edit->Text(), L"2");
}

TEST_F(SpinEditTest, ButtonsSitInsideTheRightEnd) {
  RECT er, sr;
  ::GetClientRect(edit->Handle(), &er);
  ::GetWindowRect(edit->SpinButton(), &sr);
  ::MapWindowPoints(nullptr, edit->Handle(), reinterpret_cast<POINT*>(&sr), 2);
  EXPECT_EQ(sr.right, er.right);
  EXPECT_EQ(sr.top, 0);
  EXPECT_EQ(sr.bottom, er.bottom);
  EXPECT_GT(sr.right - sr.left, 8);
}

}  // namespace
