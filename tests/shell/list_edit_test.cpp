// Renaming in place through the list view's own label editor, driven with
// keys the way a user types them.
#include <windows.h>
#include <commctrl.h>

#include "shell/shell_list.h"
#include "shell/shell_namespace.h"
#include "tests/shell/shell_fixture.h"
#include "tests/support/pixels.h"

using namespace shelltest;
using shell::TJamShellList;

namespace {

class ListEditTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    temp.MakeFile(L"old.txt", 3);
    temp.MakeFile(L"taken.txt", 4);
    list = std::make_unique<TJamShellList>(form.get());
    list->SetBounds(0, 0, 600, 380);
    list->OpenFile = [this](HWND, const std::wstring&) {
      ++opens;
      return true;
    };
    list->OnKeyPress = [this](wchar_t& key) { keys.push_back(key); };
    ASSERT_TRUE(list->SetFolder(temp.Path()));
    list->SetFocus();
  }
  void TearDown() override {
    list.reset();
    ShellTest::TearDown();
  }
  // Opens the editor on the named item and types text into it; the editor
  // stays open. Returns the edit control.
  HWND StartEdit(const std::wstring& name, const std::wstring& text) {
    int index = -1;
    for (int i = 0; i < list->Count(); ++i)
      if (list->ItemName(i) == name) index = i;
    EXPECT_GE(index, 0) << U8(name);
    list->SetSelectedIndex(index);
    HWND edit = ListView_EditLabel(list->Handle(), index);
    testsupport::PumpMessages();
    EXPECT_TRUE(edit);
    EXPECT_TRUE(list->IsEditing());
    if (edit) SetWindowTextW(edit, text.c_str());
    return edit;
  }
  std::wstring Label(int index) const {
    wchar_t buf[260] = L"";
    ListView_GetItemText(list->Handle(), index, 0, buf, 260);
    return buf;
  }

  std::unique_ptr<TJamShellList> list;
  int opens = 0;
  std::vector<wchar_t> keys;
};

}  // namespace

TEST_F(ListEditTest, EnterInTheEditorRenamesTheFileAndGoesNoFurther) {
  EXPECT_FALSE(list->IsEditing());
  HWND edit = StartEdit(L"old.txt", L"new name é.txt");
  ASSERT_TRUE(edit);
  PressKey(edit, VK_RETURN);
  EXPECT_FALSE(list->IsEditing());
  EXPECT_FALSE(Exists(temp.Path(L"old.txt")));
  EXPECT_TRUE(Exists(temp.Path(L"new name é.txt")));
  EXPECT_EQ(list->SelectedObjectName(), L"new name é.txt");
  EXPECT_EQ(list->SelectedPath(), temp.Path(L"new name é.txt"));
  EXPECT_EQ(Label(list->SelectedIndex()), L"new name é.txt");
  // The Enter only ended the editing: no default action, no key for the page.
  EXPECT_EQ(opens, 0);
  EXPECT_TRUE(keys.empty());
  // The watcher's refresh afterwards keeps the renamed item selected.
  EXPECT_TRUE(WaitFor([&] { return list->Count() == 2 && list->ItemName(0) == L"new name é.txt"; }));
  EXPECT_EQ(list->SelectedObjectName(), L"new name é.txt");
}

TEST_F(ListEditTest, AFailedRenameKeepsItemAndFiles) {
  struct Case {
    const wchar_t* typed;
    const char* why;
  } const cases[] = {{L"taken.txt", "name already used"},
                     {L"sub\\x.txt", "a path, not a name"},
                     {L"bad?.txt", "character Windows refuses"},
                     {L"", "empty"}};
  for (const auto& c : cases) {
    HWND edit = StartEdit(L"old.txt", c.typed);
    ASSERT_TRUE(edit) << c.why;
    PressKey(edit, VK_RETURN);
    EXPECT_FALSE(list->IsEditing()) << c.why;
    EXPECT_TRUE(Exists(temp.Path(L"old.txt"))) << c.why;
    EXPECT_EQ(list->SelectedObjectName(), L"old.txt") << c.why;
    EXPECT_EQ(Label(list->SelectedIndex()), L"old.txt") << c.why;
  }
  EXPECT_TRUE(Exists(temp.Path(L"taken.txt")));
  EXPECT_EQ(list->Count(), 2);
  EXPECT_EQ(opens, 0);
  EXPECT_TRUE(keys.empty());
}

TEST_F(ListEditTest, EscapeCancelsAndAChangeWhileEditingWaitsForTheEditor) {
  HWND edit = StartEdit(L"old.txt", L"never.txt");
  ASSERT_TRUE(edit);
  // A file appearing meanwhile must not close the editor under the user's
  // hands: the list notes the change and keeps its rows until the editor ends.
  temp.MakeFile(L"appeared.txt");
  ASSERT_TRUE(WaitFor([&] { return list->RefreshPending(); }));
  EXPECT_TRUE(list->IsEditing());
  EXPECT_EQ(list->Count(), 2);
  PressKey(edit, VK_ESCAPE);
  EXPECT_FALSE(list->IsEditing());
  EXPECT_TRUE(Exists(temp.Path(L"old.txt")));
  EXPECT_FALSE(Exists(temp.Path(L"never.txt")));
  // Then the postponed refresh comes.
  EXPECT_TRUE(WaitFor([&] { return list->Count() == 3; }));
  EXPECT_TRUE(keys.empty());
}

TEST_F(ListEditTest, NoRenamingOutsideTheFileSystem) {
  ASSERT_TRUE(list->SetFolderPidl(shell::DrivesFolder().get()));  // drives under "My Computer"
  ASSERT_GT(list->Count(), 0);
  EXPECT_EQ(ListView_EditLabel(list->Handle(), 0), nullptr);
  EXPECT_FALSE(list->IsEditing());
}
