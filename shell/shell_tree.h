// A folder tree over the shell namespace, rooted at the drives folder. Levels
// are read from the shell when the user (or SetSelectedFolder) first expands
// them; items carry the system image list's small icons.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "shell/pidl.h"
#include "toolkit/wincontrol.h"

namespace shell {

class TJamShellLink;

class TJamShellTree : public tk::TWinControl {
 public:
  explicit TJamShellTree(tk::TWinControl* parent);
  ~TJamShellTree() override;

  // File-system path of the selected folder; empty when it is virtual (the
  // drives folder itself) or nothing is selected.
  std::wstring SelectedFolder() const;
  // Expands the tree down to the folder and selects it. A path that does not
  // name a folder reachable from the root (missing, a file, empty) leaves the
  // selection as it was and returns false.
  bool SetSelectedFolder(const std::wstring& path);

  // The selected item's absolute ID list; null when nothing is selected.
  PCIDLIST_ABSOLUTE SelectedPidl() const;
  bool SelectPidl(PCIDLIST_ABSOLUTE target);

  void SetIndent(int pixels);
  int Indent() const;

  // Raised after the selected folder has changed.
  std::function<void()> OnChange;

 protected:
  bool HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  friend class TJamShellLink;
  struct Node {
    Pidl pidl;  // absolute
    bool populated = false;
  };

  HTREEITEM AddItem(HTREEITEM parent, Pidl pidl, const std::wstring& text, bool hasChildren);
  Node* NodeOf(HTREEITEM item) const;
  // Reads the item's child folders once; later calls return at once.
  void Populate(HTREEITEM item);
  HTREEITEM FindChild(HTREEITEM parent, PCUITEMID_CHILD id) const;

  std::unordered_map<const Node*, std::unique_ptr<Node>> nodes_;
  HTREEITEM root_ = nullptr;
  std::function<void()> linkChanged_;  // the coupling's hook, called before OnChange
};

}  // namespace shell
