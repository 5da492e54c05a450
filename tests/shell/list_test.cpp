// The file list on real folders: what it shows and in which order, the
// selected item, the default action, double-clicks, Enter, and refreshing
// by itself when the folder changes on disk.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "shell/shell_list.h"
#include "tests/shell/shell_fixture.h"
#include "tests/support/pixels.h"

using namespace shelltest;
using shell::TJamShellList;

namespace {

class ListTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    temp.MakeDir(L"Beta");
    temp.MakeDir(L"alpha");
    temp.MakeFile(L"b.EMF", 2000);
    temp.MakeFile(L"a.emf", 10);
    temp.MakeFile(L"c.wmf");
    temp.MakeFile(L"README");
    temp.MakeFile(L"Zeta.txt");
    temp.MakeFile(L"notes.TXT");
    list = std::make_unique<TJamShellList>(form.get());
    list->SetBounds(0, 0, 600, 380);
    list->OpenFile = [this](HWND, const std::wstring& path) {
      opened.push_back(path);
      return true;
    };
    ASSERT_TRUE(list->SetFolder(temp.Path()));
  }
  void TearDown() override {
    list.reset();
    ShellTest::TearDown();
  }
  std::vector<std::wstring> Shown() const {
    std::vector<std::wstring> r;
    for (int i = 0; i < list->Count(); ++i) r.push_back(list->ItemName(i));
    return r;
  }
  // What the list view itself shows, column by column.
  std::wstring Cell(int row, int column) const {
    wchar_t buf[260] = L"";
    ListView_GetItemText(list->Handle(), row, column, buf, 260);
    return buf;
  }
  int IndexOf(const std::wstring& name) const {
    for (int i = 0; i < list->Count(); ++i)
      if (list->ItemName(i) == name) return i;
    return -1;
  }
  bool Shows(const std::wstring& name) const { return IndexOf(name) >= 0; }

  std::unique_ptr<TJamShellList> list;
  std::vector<std::wstring> opened;
};

using NameList = std::vector<std::wstring>;

}  // namespace

TEST_F(ListTest, FoldersFirstThenFilesEachByNameWithFilter) {
  const NameList all = {L"alpha", L"Beta", L"a.emf", L"b.EMF", L"c.wmf", L"notes.TXT", L"README", L"Zeta.txt"};
  EXPECT_EQ(list->Filter(), L"*");
  EXPECT_EQ(Shown(), all);
  ASSERT_EQ(ListView_GetItemCount(list->Handle()), 8);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(Cell(i, 0), all[i]);
    EXPECT_EQ(list->ItemIsFolder(i), i < 2) << U8(all[i]);
  }
  // "*.*" also lets names without a dot through, as on Windows.
  list->SetFilter(L"*.*");
  EXPECT_EQ(Shown(), all);
  list->SetFilter(L"*.emf");
  EXPECT_EQ(Shown(), (NameList{L"alpha", L"Beta", L"a.emf", L"b.EMF"}));
  list->SetFilter(L"*.emf;*.wmf");
  EXPECT_EQ(Shown(), (NameList{L"alpha", L"Beta", L"a.emf", L"b.EMF", L"c.wmf"}));
  list->SetFilter(L"*.none");
  EXPECT_EQ(Shown(), (NameList{L"alpha", L"Beta"}));
  EXPECT_EQ(ListView_GetItemCount(list->Handle()), 2);
}

TEST_F(ListTest, ColumnsShowSizeTypeAndTime) {
  const int b = IndexOf(L"b.EMF"), a = IndexOf(L"a.emf"), c = IndexOf(L"c.wmf"), folder = IndexOf(L"alpha");
  EXPECT_EQ(Cell(b, 1), L"2 KB");
  EXPECT_EQ(Cell(a, 1), L"1 KB");
  EXPECT_EQ(Cell(c, 1), L"0 KB");
  EXPECT_EQ(Cell(folder, 1), L"");  // folders have no size
  EXPECT_FALSE(Cell(folder, 2).empty());
  // Made moments ago, so this year (unless the test straddles New Year's midnight).
  SYSTEMTIME now;
  GetLocalTime(&now);
  EXPECT_EQ(Cell(a, 3).substr(0, 5), std::to_wstring(now.wYear) + L"-");
}

TEST_F(ListTest, SelectedItemNameFolderAndPath) {
  EXPECT_EQ(list->SelectedCount(), 0);
  EXPECT_EQ(list->SelectedIndex(), -1);
  EXPECT_EQ(list->SelectedObjectName(), L"");
  EXPECT_FALSE(list->SelectedIsFolder());
  EXPECT_FALSE(list->RunDefaultAction());

  ASSERT_TRUE(list->SelectName(L"notes.TXT"));
  EXPECT_EQ(list->SelectedCount(), 1);
  EXPECT_EQ(list->SelectedObjectName(), L"notes.TXT");
  EXPECT_EQ(list->SelectedPath(), temp.Path(L"notes.TXT"));
  EXPECT_FALSE(list->SelectedIsFolder());

  ASSERT_TRUE(list->SelectName(L"Beta"));
  EXPECT_TRUE(list->SelectedIsFolder());
  EXPECT_EQ(list->SelectedPath(), temp.Path(L"Beta"));

  // Several selected: the first one counts.
  ListView_SetItemState(list->Handle(), IndexOf(L"c.wmf"), LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(list->SelectedCount(), 2);
  EXPECT_EQ(list->SelectedObjectName(), L"Beta");
  EXPECT_FALSE(list->SelectName(L"missing"));
}

TEST_F(ListTest, DefaultActionOpensFoldersInPlaceAndFilesThroughTheShell) {
  temp.MakeFile(L"Beta\\inner.emf");
  std::vector<std::wstring> folderEvents;
  list->OnFolderOpened = [&](const std::wstring& p) { folderEvents.push_back(p); };

  ASSERT_TRUE(list->SelectName(L"a.emf"));
  EXPECT_TRUE(list->RunDefaultAction());
  EXPECT_EQ(opened, (NameList{temp.Path(L"a.emf")}));
  EXPECT_EQ(list->Folder(), temp.Path());
  EXPECT_TRUE(folderEvents.empty());

  ASSERT_TRUE(list->SelectName(L"Beta"));
  EXPECT_TRUE(list->RunDefaultAction());
  EXPECT_EQ(list->Folder(), temp.Path(L"Beta"));
  EXPECT_EQ(folderEvents, (NameList{temp.Path(L"Beta")}));
  EXPECT_EQ(Shown(), (NameList{L"inner.emf"}));
  EXPECT_EQ(list->SelectedCount(), 0);  // nothing chosen yet in the new folder
  EXPECT_EQ(opened.size(), 1u);
}

TEST_F(ListTest, DoubleClickOnlyRaisesTheEvent) {
  int clicks = 0;
  list->OnDblClick = [&] { ++clicks; };
  ASSERT_TRUE(list->SelectName(L"alpha"));
  RECT r{};
  ASSERT_TRUE(ListView_GetItemRect(list->Handle(), IndexOf(L"alpha"), &r, LVIR_LABEL));
  SendMessageW(list->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(r.left + 3, (r.top + r.bottom) / 2));
  SendMessageW(list->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(r.left + 3, (r.top + r.bottom) / 2));
  testsupport::PumpMessages();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(list->Folder(), temp.Path());
  EXPECT_TRUE(opened.empty());
}

TEST_F(ListTest, EnterRunsTheDefaultActionBeforeThePageSeesIt) {
  std::vector<std::wstring> log;
  list->OpenFile = [&](HWND, const std::wstring& path) {
    log.push_back(L"open " + path);
    return true;
  };
  list->OnKeyPress = [&](wchar_t& key) {
    log.push_back(L"key " + std::to_wstring(key) + L" in " + list->Folder());
    if (key == 13) key = 0;
  };
  ASSERT_TRUE(list->SelectName(L"c.wmf"));
  PressKey(list->Handle(), VK_RETURN);
  EXPECT_EQ(log, (NameList{L"open " + temp.Path(L"c.wmf"), L"key 13 in " + temp.Path()}));

  // On a folder the list has moved in before the page's handler runs.
  log.clear();
  ASSERT_TRUE(list->SelectName(L"alpha"));
  PressKey(list->Handle(), VK_RETURN);
  EXPECT_EQ(log, (NameList{L"key 13 in " + temp.Path(L"alpha")}));

  // Other characters pass to the page without any action of the list.
  log.clear();
  PressKey(list->Handle(), 'X');
  EXPECT_EQ(log, (NameList{L"key 120 in " + temp.Path(L"alpha")}));
}

TEST_F(ListTest, RefreshesWhenFilesAppearVanishOrAreRenamed) {
  ASSERT_TRUE(list->SelectName(L"c.wmf"));
  const std::wstring added = temp.MakeFile(L"added.emf");
  EXPECT_TRUE(WaitFor([&] { return Shows(L"added.emf"); })) << "new file never appeared";
  EXPECT_EQ(IndexOf(L"added.emf"), 3);  // sorted in among the files
  EXPECT_EQ(list->SelectedObjectName(), L"c.wmf");  // selection kept by name

  ASSERT_TRUE(DeleteFileW(added.c_str()));
  EXPECT_TRUE(WaitFor([&] { return !Shows(L"added.emf"); })) << "deleted file never vanished";

  ASSERT_TRUE(MoveFileW(temp.Path(L"README").c_str(), temp.Path(L"LIESMICH").c_str()));
  EXPECT_TRUE(WaitFor([&] { return Shows(L"LIESMICH") && !Shows(L"README"); })) << "rename never shown";

  temp.MakeDir(L"gamma");
  EXPECT_TRUE(WaitFor([&] { return IndexOf(L"gamma") == 2; })) << "new folder never appeared";
  EXPECT_EQ(list->SelectedObjectName(), L"c.wmf");
}

TEST_F(ListTest, FollowsOnlyTheFolderItShows) {
  temp.MakeDir(L"Beta\\deep");
  ASSERT_TRUE(list->SetFolder(temp.Path(L"Beta")));
  EXPECT_EQ(Shown(), (NameList{L"deep"}));
  // The old folder is not watched any more; the new one is.
  temp.MakeFile(L"Beta\\late.txt");
  EXPECT_TRUE(WaitFor([&] { return Shows(L"late.txt"); }));
  temp.MakeFile(L"elsewhere.txt");
  temp.MakeFile(L"Beta\\later.txt");
  EXPECT_TRUE(WaitFor([&] { return Shows(L"later.txt"); }));
  EXPECT_FALSE(Shows(L"elsewhere.txt"));
}

TEST_F(ListTest, AVanishedFolderEmptiesTheList) {
  temp.MakeFile(L"Beta\\doomed.txt");
  ASSERT_TRUE(list->SetFolder(temp.Path(L"Beta")));
  ASSERT_EQ(list->Count(), 1);
  ASSERT_TRUE(DeleteFileW(temp.Path(L"Beta\\doomed.txt").c_str()));
  ASSERT_TRUE(RemoveDirectoryW(temp.Path(L"Beta").c_str()));
  EXPECT_TRUE(WaitFor([&] { return list->Count() == 0; }));
  EXPECT_EQ(list->SelectedPath(), L"");
  EXPECT_FALSE(list->RunDefaultAction());
}

TEST_F(ListTest, AFolderThatCannotBeShownLeavesTheListAsItWas) {
  EXPECT_FALSE(list->SetFolder(temp.Path(L"missing")));
  EXPECT_FALSE(list->SetFolder(temp.Path(L"a.emf")));  // a file is no folder
  EXPECT_FALSE(list->SetFolder(L""));
  EXPECT_FALSE(list->SetFolderPidl(nullptr));
  EXPECT_EQ(list->Folder(), temp.Path());
  EXPECT_EQ(list->Count(), 8);
}

TEST_F(ShellTest, AListWithoutAFolderStaysEmpty) {
  TJamShellList empty(form.get());
  empty.SetFilter(L"*.emf");
  empty.Refresh();
  EXPECT_EQ(empty.Count(), 0);
  EXPECT_EQ(empty.Folder(), L"");
  EXPECT_FALSE(empty.RunDefaultAction());
}
