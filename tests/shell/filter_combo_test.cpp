// The file-type combo box: entries from the filter text, the chosen mask, and
// the change event only for the user's own choice.
#include "shell/filter_combo.h"
#include "tests/shell/shell_fixture.h"
#include "tests/support/pixels.h"

using namespace shelltest;
using shell::TFilterComboBox;

namespace {

class FilterComboTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    combo = std::make_unique<TFilterComboBox>(form.get());
    combo->SetBounds(188, 3, 185, 200);
    combo->OnChange = [this] { ++changes; };
  }
  void TearDown() override {
    combo.reset();
    ShellTest::TearDown();
  }
  std::wstring Shown(int i) const {
    wchar_t buf[260] = L"";
    SendMessageW(combo->Handle(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buf));
    return buf;
  }
  int ShownCount() const { return static_cast<int>(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0)); }

  std::unique_ptr<TFilterComboBox> combo;
  int changes = 0;
};

}  // namespace

TEST_F(FilterComboTest, OneEntryForAllFiles) {
  combo->SetFilter(L"Alle Dateien(*.*)|*.*");
  EXPECT_EQ(combo->Count(), 1);
  EXPECT_EQ(ShownCount(), 1);
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(combo->Mask(), L"*.*");
  EXPECT_EQ(combo->Text(), L"Alle Dateien(*.*)");
  combo->SetFilter(L"");
  EXPECT_EQ(ShownCount(), 0);
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Mask(), L"");
  EXPECT_EQ(changes, 0);
}

TEST_F(FilterComboTest, OnlyTheUsersChoiceRaisesOnChange) {
  combo->SetFilter(L"Metafiles|*.emf;*.wmf|Text|*.txt|All|*.*");
  ASSERT_EQ(ShownCount(), 3);
  EXPECT_EQ(Shown(2), L"All");
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Mask(), L"*.txt");
  combo->SetItemIndex(7);  // out of range: ignored
  EXPECT_EQ(combo->ItemIndex(), 1);
  combo->SetItemIndex(-1);
  EXPECT_EQ(combo->Mask(), L"");
  EXPECT_EQ(changes, 0);

  combo->SetItemIndex(0);
  std::wstring maskSeen;
  combo->OnChange = [&] {
    ++changes;
    maskSeen = combo->Mask();
  };
  combo->SetFocus();
  PressKey(combo->Handle(), VK_DOWN);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(maskSeen, L"*.txt");
}
