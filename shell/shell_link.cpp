#include "shell/shell_link.h"

#include "shell/shell_list.h"
#include "shell/shell_tree.h"

namespace shell {

TJamShellLink::TJamShellLink(TJamShellTree& tree, TJamShellList& list) : tree_(tree), list_(list) {
  tree_.linkChanged_ = [this] { TreeChanged(); };
  list_.linkOpened_ = [this] { FolderOpened(); };
  TreeChanged();
}

TJamShellLink::~TJamShellLink() {
  tree_.linkChanged_ = nullptr;
  list_.linkOpened_ = nullptr;
}

void TJamShellLink::TreeChanged() {
  if (PCIDLIST_ABSOLUTE p = tree_.SelectedPidl()) list_.SetFolderPidl(p);
}

// The list already shows the folder, so the tree's change comes back here
// for the same folder and the list ignores it.
void TJamShellLink::FolderOpened() {
  if (PCIDLIST_ABSOLUTE p = list_.FolderPidl()) tree_.SelectPidl(p);
}

}  // namespace shell
