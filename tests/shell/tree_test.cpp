// The folder tree on the real shell namespace, and its coupling with the list.
#include <windows.h>
#include <commctrl.h>

#include "shell/shell_link.h"
#include "shell/shell_list.h"
#include "shell/shell_namespace.h"
#include "shell/shell_tree.h"
#include "tests/shell/shell_fixture.h"
#include "tests/support/pixels.h"

using namespace shelltest;
using shell::TJamShellLink;
using shell::TJamShellList;
using shell::TJamShellTree;

namespace {

class TreeTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    tree = std::make_unique<TJamShellTree>(form.get());
    tree->SetBounds(0, 0, 185, 380);
    tree->OnChange = [this] { ++changes; };
  }
  void TearDown() override {
    tree.reset();
    ShellTest::TearDown();
  }
  HWND tv() const { return tree->Handle(); }
  std::wstring ItemText(HTREEITEM item) const {
    wchar_t buf[260] = L"";
    TVITEMW it{};
    it.mask = TVIF_TEXT | TVIF_HANDLE;
    it.hItem = item;
    it.pszText = buf;
    it.cchTextMax = 260;
    TreeView_GetItem(tv(), &it);
    return buf;
  }
  int ChildFlag(HTREEITEM item) const {
    TVITEMW it{};
    it.mask = TVIF_CHILDREN | TVIF_HANDLE;
    it.hItem = item;
    TreeView_GetItem(tv(), &it);
    return it.cChildren;
  }
  HTREEITEM ChildNamed(HTREEITEM parent, const std::wstring& name) const {
    for (HTREEITEM c = TreeView_GetChild(tv(), parent); c; c = TreeView_GetNextSibling(tv(), c))
      if (ItemText(c) == name) return c;
    return nullptr;
  }

  std::unique_ptr<TJamShellTree> tree;
  int changes = 0;
};

}  // namespace

TEST_F(TreeTest, StartsAtTheDrivesFolderAndReadsLevelsWhenOpened) {
  HTREEITEM root = TreeView_GetRoot(tv());
  ASSERT_TRUE(root);
  EXPECT_EQ(TreeView_GetNextSibling(tv(), root), nullptr);  // one root: the drives folder
  EXPECT_TRUE(shell::SameItem(tree->SelectedPidl(), shell::DrivesFolder().get()));
  EXPECT_EQ(tree->SelectedFolder(), L"");  // virtual
  EXPECT_TRUE(TreeView_GetItemState(tv(), root, TVIS_EXPANDED) & TVIS_EXPANDED);
  // The system image list's icons are on the items.
  EXPECT_EQ(TreeView_GetImageList(tv(), TVSIL_NORMAL), shell::SystemSmallImages());
  TVITEMW it{};
  it.mask = TVIF_IMAGE | TVIF_HANDLE;
  it.hItem = root;
  TreeView_GetItem(tv(), &it);
  EXPECT_GE(it.iImage, 0);
  // Drive C: is a child; its own children are read only when it opens.
  ASSERT_TRUE(tree->SetSelectedFolder(L"C:\\"));
  EXPECT_EQ(tree->SelectedFolder(), L"C:\\");
  HTREEITEM c = TreeView_GetSelection(tv());
  EXPECT_EQ(TreeView_GetParent(tv(), c), root);
  EXPECT_EQ(ChildFlag(c), 1);
  EXPECT_EQ(TreeView_GetChild(tv(), c), nullptr);
  TreeView_Expand(tv(), c, TVE_EXPAND);
  EXPECT_TRUE(ChildNamed(c, L"windows"));

  const tk::TFont segoe{L"Segoe UI", -12};
  tree->SetFont(segoe);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(tv(), WM_GETFONT, 0, 0)), tk::FontHandle(segoe));
  tree->SetIndent(19);
  EXPECT_EQ(tree->Indent(), 19);
}

TEST_F(TreeTest, SelectedFolderRoundTripOnNestedFolders) {
  temp.MakeDir(L"one");
  temp.MakeDir(L"one\\two");
  const std::wstring deep = temp.MakeDir(L"one\\two\\three");
  ASSERT_TRUE(tree->SetSelectedFolder(deep));
  EXPECT_EQ(tree->SelectedFolder(), deep);
  EXPECT_EQ(changes, 1);
  // Expanded down to it, and the item is the folder's own name.
  HTREEITEM sel = TreeView_GetSelection(tv());
  EXPECT_EQ(ItemText(sel), L"three");
  EXPECT_EQ(ItemText(TreeView_GetParent(tv(), sel)), L"two");
  EXPECT_TRUE(TreeView_GetItemState(tv(), TreeView_GetParent(tv(), sel), TVIS_EXPANDED) & TVIS_EXPANDED);
  // Back up one level, and a different spelling of the same folder.
  ASSERT_TRUE(tree->SetSelectedFolder(temp.Path(L"one")));
  EXPECT_EQ(tree->SelectedFolder(), temp.Path(L"one"));
  ASSERT_TRUE(tree->SetSelectedFolder(temp.Path(L"ONE\\Two\\three\\")));
  EXPECT_EQ(tree->SelectedFolder(), deep);
  EXPECT_EQ(changes, 3);
}

TEST_F(TreeTest, APathItCannotSelectLeavesTheSelectionAlone) {
  const std::wstring start = temp.MakeDir(L"start");
  temp.MakeFile(L"start\\file.txt");
  ASSERT_TRUE(tree->SetSelectedFolder(start));
  changes = 0;
  for (const std::wstring& bad : {temp.Path(L"missing"), temp.Path(L"missing\\deeper"), temp.Path(L"start\\file.txt"),
                                  std::wstring(), std::wstring(L"::nonsense::"), std::wstring(L"Q:\\nowhere")}) {
    EXPECT_FALSE(tree->SetSelectedFolder(bad)) << U8(bad);
    EXPECT_EQ(tree->SelectedFolder(), start) << U8(bad);
  }
  EXPECT_FALSE(tree->SelectPidl(nullptr));
  EXPECT_EQ(changes, 0);
}

TEST_F(TreeTest, AnEmptyFolderLosesItsPlusWhenOpened) {
  const std::wstring parent = temp.MakeDir(L"parent");
  temp.MakeDir(L"parent\\empty");
  ASSERT_TRUE(tree->SetSelectedFolder(parent));
  HTREEITEM p = TreeView_GetSelection(tv());
  TreeView_Expand(tv(), p, TVE_EXPAND);
  HTREEITEM empty = ChildNamed(p, L"empty");
  ASSERT_TRUE(empty);
  TreeView_Expand(tv(), empty, TVE_EXPAND);
  EXPECT_EQ(TreeView_GetChild(tv(), empty), nullptr);
  EXPECT_EQ(ChildFlag(empty), 0);
}

TEST_F(TreeTest, LinkKeepsListAndTreeTogether) {
  const std::wstring sub = temp.MakeDir(L"sub");
  temp.MakeFile(L"sub\\in sub.emf");
  temp.MakeFile(L"top.emf");
  TJamShellList list(form.get());
  list.SetBounds(190, 0, 400, 380);
  int opened = 0;
  list.OpenFile = [&](HWND, const std::wstring&) { return ++opened, true; };
  TJamShellLink link(*tree, list);
  // The list starts on the tree's selection, the drives folder.
  EXPECT_TRUE(shell::SameItem(list.FolderPidl(), tree->SelectedPidl()));
  EXPECT_GT(list.Count(), 0);

  // Tree -> list.
  ASSERT_TRUE(tree->SetSelectedFolder(temp.Path()));
  EXPECT_EQ(list.Folder(), temp.Path());
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.ItemName(0), L"sub");
  EXPECT_EQ(list.ItemName(1), L"top.emf");

  // List -> tree, by the default action and by Enter.
  ASSERT_TRUE(list.SelectName(L"sub"));
  std::wstring heard;
  list.OnFolderOpened = [&](const std::wstring& p) { heard = p; };
  ASSERT_TRUE(list.RunDefaultAction());
  EXPECT_EQ(heard, sub);
  EXPECT_EQ(tree->SelectedFolder(), sub);
  EXPECT_EQ(list.Folder(), sub);
  EXPECT_EQ(list.ItemName(0), L"in sub.emf");

  ASSERT_TRUE(tree->SetSelectedFolder(temp.Path()));
  ASSERT_TRUE(list.SelectName(L"sub"));
  std::wstring treeWhenKeySeen;
  list.OnKeyPress = [&](wchar_t& key) {
    if (key == 13) treeWhenKeySeen = tree->SelectedFolder();
  };
  PressKey(list.Handle(), VK_RETURN);
  EXPECT_EQ(treeWhenKeySeen, sub);
  EXPECT_EQ(list.Folder(), sub);
  EXPECT_EQ(opened, 0);
}

TEST_F(TreeTest, NonAsciiNamesThroughTreeAndList) {
  const std::wstring name = L"Ordner ÄÖÜ é 日本";
  const std::wstring folder = temp.MakeDir(name);
  temp.MakeFile(name + L"\\Bild ä 日.emf");
  TJamShellList list(form.get());
  TJamShellLink link(*tree, list);
  ASSERT_TRUE(tree->SetSelectedFolder(folder));
  EXPECT_EQ(tree->SelectedFolder(), folder);
  EXPECT_EQ(ItemText(TreeView_GetSelection(tv())), name);
  EXPECT_EQ(list.Folder(), folder);
  ASSERT_EQ(list.Count(), 1);
  list.SetSelectedIndex(0);
  EXPECT_EQ(list.SelectedObjectName(), L"Bild ä 日.emf");
  EXPECT_EQ(list.SelectedPath(), folder + L"\\Bild ä 日.emf");
  list.SetFilter(L"bild Ä*.EMF");
  EXPECT_EQ(list.Count(), 1);

  ASSERT_TRUE(tree->SetSelectedFolder(temp.Path()));
  ASSERT_TRUE(list.SelectName(name));
  ASSERT_TRUE(list.RunDefaultAction());
  EXPECT_EQ(tree->SelectedFolder(), folder);
}
