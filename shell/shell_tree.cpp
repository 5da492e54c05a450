#include "shell/shell_tree.h"

#include <algorithm>
#include <vector>

#include "shell/shell_namespace.h"

namespace shell {
namespace {

// The shell's own order for two children of one folder; ties by name so that
// the sort has a total order even if a folder compares two items as equal.
bool ShellOrderLess(IShellFolder* folder, PCUITEMID_CHILD a, const std::wstring& an, PCUITEMID_CHILD b,
                    const std::wstring& bn) {
  const HRESULT hr = folder->CompareIDs(0, a, b);
  const short c = SUCCEEDED(hr) ? static_cast<short>(HRESULT_CODE(hr)) : 0;
  if (c != 0) return c < 0;
  return an < bn;
}

}  // namespace

TJamShellTree::TJamShellTree(tk::TWinControl* parent) : TWinControl(parent) {
  CreateParams cp;
  cp.className = WC_TREEVIEWW;
  cp.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | TVS_HASBUTTONS | TVS_HASLINES |
             TVS_LINESATROOT | TVS_SHOWSELALWAYS;
  cp.exStyle = WS_EX_CLIENTEDGE;
  cp.width = 185;
  cp.height = 200;
  CreateHandle(cp);
  if (!Handle()) return;
  TreeView_SetImageList(Handle(), SystemSmallImages(), TVSIL_NORMAL);

  Pidl drives = DrivesFolder();
  ComPtr<IShellFolder> desktop = BindFolder(nullptr);
  if (!drives || !desktop) return;
  // The drives folder is one level below the desktop, so its list is its own child ID.
  const std::wstring name = NameOf(desktop.Get(), drives.get(), SHGDN_NORMAL);
  root_ = AddItem(TVI_ROOT, std::move(drives), name, true);
  if (!root_) return;
  Populate(root_);
  TreeView_Expand(Handle(), root_, TVE_EXPAND);
  TreeView_SelectItem(Handle(), root_);
}

TJamShellTree::~TJamShellTree() = default;

HTREEITEM TJamShellTree::AddItem(HTREEITEM parent, Pidl pidl, const std::wstring& text, bool hasChildren) {
  auto node = std::make_unique<Node>();
  node->pidl = std::move(pidl);
  TVINSERTSTRUCTW ins{};
  ins.hParent = parent;
  ins.hInsertAfter = TVI_LAST;
  ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
  ins.item.pszText = const_cast<wchar_t*>(text.c_str());
  ins.item.iImage = SmallIconIndex(node->pidl.get(), false);
  ins.item.iSelectedImage = SmallIconIndex(node->pidl.get(), true);
  ins.item.cChildren = hasChildren ? 1 : 0;
  ins.item.lParam = reinterpret_cast<LPARAM>(node.get());
  HTREEITEM h = TreeView_InsertItem(Handle(), &ins);
  if (h) nodes_.emplace(node.get(), std::move(node));
  return h;
}

TJamShellTree::Node* TJamShellTree::NodeOf(HTREEITEM item) const {
  if (!item || !Handle()) return nullptr;
  TVITEMW tvi{};
  tvi.mask = TVIF_PARAM | TVIF_HANDLE;
  tvi.hItem = item;
  if (!TreeView_GetItem(Handle(), &tvi)) return nullptr;
  auto* n = reinterpret_cast<Node*>(tvi.lParam);
  return nodes_.count(n) ? n : nullptr;
}

void TJamShellTree::Populate(HTREEITEM item) {
  Node* n = NodeOf(item);
  if (!n || n->populated) return;
  n->populated = true;
  struct Child {
    Pidl id;
    std::wstring name;
    bool hasSub;
  };
  std::vector<Child> kids;
  ComPtr<IShellFolder> folder = BindFolder(n->pidl.get());
  ComPtr<IEnumIDList> items;
  // No owner window: a drive without media shows no children instead of
  // stopping the program with the shell's insert-disk prompt.
  if (folder && folder->EnumObjects(nullptr, SHCONTF_FOLDERS, &items) == S_OK && items) {
    PITEMID_CHILD id = nullptr;
    while (items->Next(1, &id, nullptr) == S_OK) {
      Pidl owned(id);
      SFGAOF attrs = SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_STREAM;
      PCUITEMID_CHILD one = owned.get();
      if (FAILED(folder->GetAttributesOf(1, &one, &attrs))) continue;
      // Archives (zip) are folders to the shell but files to this program.
      if (!(attrs & SFGAO_FOLDER) || (attrs & SFGAO_STREAM)) continue;
      std::wstring name = NameOf(folder.Get(), owned.get(), SHGDN_INFOLDER);
      kids.push_back({std::move(owned), std::move(name), (attrs & SFGAO_HASSUBFOLDER) != 0});
    }
  }
  std::stable_sort(kids.begin(), kids.end(), [&](const Child& a, const Child& b) {
    return ShellOrderLess(folder.Get(), a.id.get(), a.name, b.id.get(), b.name);
  });
  for (auto& k : kids) AddItem(item, Pidl::Combine(n->pidl.get(), k.id.get()), k.name, k.hasSub);
  if (kids.empty()) {
    // The shell promised subfolders it does not have: drop the "+".
    TVITEMW tvi{};
    tvi.mask = TVIF_CHILDREN | TVIF_HANDLE;
    tvi.hItem = item;
    tvi.cChildren = 0;
    TreeView_SetItem(Handle(), &tvi);
  }
}

HTREEITEM TJamShellTree::FindChild(HTREEITEM parent, PCUITEMID_CHILD id) const {
  Node* p = NodeOf(parent);
  if (!p) return nullptr;
  ComPtr<IShellFolder> folder = BindFolder(p->pidl.get());
  if (!folder) return nullptr;
  for (HTREEITEM c = TreeView_GetChild(Handle(), parent); c; c = TreeView_GetNextSibling(Handle(), c)) {
    Node* n = NodeOf(c);
    if (!n) continue;
    const HRESULT hr = folder->CompareIDs(0, ::ILFindLastID(n->pidl.get()), id);
    if (SUCCEEDED(hr) && HRESULT_CODE(hr) == 0) return c;
  }
  return nullptr;
}

PCIDLIST_ABSOLUTE TJamShellTree::SelectedPidl() const {
  Node* n = Handle() ? NodeOf(TreeView_GetSelection(Handle())) : nullptr;
  return n ? n->pidl.get() : nullptr;
}

std::wstring TJamShellTree::SelectedFolder() const { return PathOf(SelectedPidl()); }

bool TJamShellTree::SetSelectedFolder(const std::wstring& path) {
  Pidl target = ParsePath(path);
  return target && SelectPidl(target.get());
}

bool TJamShellTree::SelectPidl(PCIDLIST_ABSOLUTE target) {
  Node* root = NodeOf(root_);
  if (!root || !target) return false;
  PCUIDLIST_RELATIVE rest = RelativeTo(root->pidl.get(), target);
  if (!rest) return false;
  // Walk down one level at a time, reading each level on the way; the
  // selection moves only when the whole way exists.
  HTREEITEM item = root_;
  for (; !ILIsEmpty(rest); rest = ::ILGetNext(rest)) {
    Populate(item);
    Pidl first(::ILCloneFirst(rest));
    HTREEITEM child = first ? FindChild(item, first.get()) : nullptr;
    if (!child) return false;
    item = child;
  }
  TreeView_EnsureVisible(Handle(), item);
  TreeView_SelectItem(Handle(), item);
  return true;
}

void TJamShellTree::SetIndent(int pixels) {
  if (Handle()) TreeView_SetIndent(Handle(), pixels);
}

int TJamShellTree::Indent() const { return Handle() ? static_cast<int>(TreeView_GetIndent(Handle())) : 0; }

bool TJamShellTree::HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg != WM_NOTIFY) return false;
  const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
  const auto* tv = reinterpret_cast<const NMTREEVIEWW*>(lp);
  switch (hdr->code) {
    case TVN_ITEMEXPANDINGW:
      if (tv->action & TVE_EXPAND) Populate(tv->itemNew.hItem);
      result = FALSE;  // let it expand
      return true;
    case TVN_SELCHANGEDW:
      if (linkChanged_) linkChanged_();
      if (OnChange) OnChange();
      result = 0;
      return true;
    case TVN_DELETEITEMW:
      nodes_.erase(reinterpret_cast<const Node*>(tv->itemOld.lParam));
      result = 0;
      return true;
  }
  return false;
}

}  // namespace shell
