// The integer spin edit driven by keys, typing, its buttons and focus
// changes. Its arithmetic is tested in the core.
#include <memory>
#include <utility>

#include <gtest/gtest.h>

#include "tests/support/pixels.h"
#include "toolkit/form.h"
#include "toolkit/spinedit.h"

namespace {

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

  using Seen = std::pair<std::wstring, int>;  // text, change events so far
  Seen Now() const { return {edit->Text(), changes}; }
  void Key(WPARAM vk) { ::SendMessageW(edit->Handle(), WM_KEYDOWN, vk, 1); }
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
  EXPECT_EQ(Now(), Seen(L"8", 1));
  edit->SetValue(8.2);  // same text: no event
  EXPECT_EQ(Now(), Seen(L"8", 1));
  edit->SetValue(1000);
  EXPECT_EQ(Now(), Seen(L"100", 2));
  EXPECT_EQ(edit->Value(), 100.0);
  edit->SetValue(0.0 / 0.0);
  EXPECT_EQ(Now(), Seen(L"100", 2));
}

TEST_F(SpinEditTest, TypedTextIsReadUnclampedOrAsMinimum) {
  ReplaceText(L"40000");
  EXPECT_EQ(Now(), Seen(L"40000", 6));  // the emptied field, then one per typed digit
  EXPECT_EQ(edit->Value(), 40000.0);
  ReplaceText(L"-");
  EXPECT_EQ(edit->Value(), 1.0);  // not a number: the minimum
  ReplaceText(L"1x2");  // letters are not taken
  EXPECT_EQ(edit->Text(), L"12");
  ::SetWindowTextW(edit->Handle(), L"abc");  // but pasted text may hold anything
  EXPECT_EQ(edit->Value(), 1.0);
}

TEST_F(SpinEditTest, LeavingTheFieldClampsOnlyOutOfRangeValues) {
  edit->SetFocus();
  ReplaceText(L"40000");
  other->SetFocus();
  ASSERT_TRUE(other->Focused()) << "focus did not move";
  EXPECT_EQ(Now(), Seen(L"30000", 7));
  edit->SetFocus();
  ReplaceText(L"");
  other->SetFocus();
  EXPECT_EQ(Now(), Seen(L"", 8));  // the minimum lies in range: the field stays empty
}

TEST_F(SpinEditTest, ArrowKeysAndButtonsStepByOne) {
  Key(VK_UP);
  EXPECT_EQ(Now(), Seen(L"751", 1));
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(Now(), Seen(L"749", 3));
  ASSERT_NE(edit->SpinButton(), nullptr);
  ClickSpin(true);
  EXPECT_EQ(Now(), Seen(L"750", 4));
  ClickSpin(false);
  EXPECT_EQ(Now(), Seen(L"749", 5));
  // At the limit a step changes nothing and raises nothing.
  edit->SetValue(30000);
  Key(VK_UP);
  ClickSpin(true);
  EXPECT_EQ(Now(), Seen(L"30000", 6));
  // From a field that holds no number, a step starts at the minimum.
  ReplaceText(L"");
  Key(VK_UP);
  EXPECT_EQ(edit->Text(), L"2");
}

}  // namespace
