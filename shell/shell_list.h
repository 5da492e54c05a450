// The contents of one shell folder in report view: folders first, then the
// files that pass the wildcard filter, each group sorted by name. It re-reads
// the folder by itself when entries appear, vanish, are renamed or rewritten,
// and renames files in place.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "shell/folder_watcher.h"
#include "shell/pidl.h"
#include "toolkit/wincontrol.h"

namespace shell {

class TJamShellLink;

class TJamShellList : public tk::TWinControl {
 public:
  explicit TJamShellList(tk::TWinControl* parent);
  ~TJamShellList() override;

  // Shows a folder. False, and the list unchanged, when it cannot be opened.
  bool SetFolder(const std::wstring& path);
  bool SetFolderPidl(PCIDLIST_ABSOLUTE folder);
  // File-system path of the shown folder; empty when none or virtual.
  const std::wstring& Folder() const { return folderPath_; }
  PCIDLIST_ABSOLUTE FolderPidl() const { return folder_.get(); }

  // ";"-separated wildcards for files; folders are always shown. Empty: all files.
  void SetFilter(const std::wstring& filter);
  const std::wstring& Filter() const { return filter_; }

  // Reads the folder again, keeping the selection by name.
  void Refresh();

  int Count() const { return static_cast<int>(items_.size()); }
  std::wstring ItemName(int index) const;
  bool ItemIsFolder(int index) const;

  int SelectedCount() const;
  // The selected item, the first when several are; -1 when none.
  int SelectedIndex() const;
  bool SelectedIsFolder() const;
  // The selected item's name as stored in the file system, with extension.
  std::wstring SelectedObjectName() const;
  std::wstring SelectedPath() const;
  // Selects only this item (and focuses it); -1 clears the selection.
  void SetSelectedIndex(int index);
  bool SelectName(const std::wstring& name);

  // A folder opens in the list (no item selected afterwards) and raises
  // OnFolderOpened; a file goes to OpenFile. False when nothing was done.
  bool RunDefaultAction();
  // True while an in-place label editor is open.
  bool IsEditing() const;
  // True when the folder changed during label editing and is re-read when it ends.
  bool RefreshPending() const { return refreshPending_; }

  // How a file is opened; the shell's "open" verb unless replaced.
  std::function<bool(HWND owner, const std::wstring& path)> OpenFile;
  std::function<void(const std::wstring& path)> OnFolderOpened;
  // Every character the list receives outside label editing, after the list's
  // own handling of Enter; set key to 0 to swallow it.
  std::function<void(wchar_t& key)> OnKeyPress;
  // A double-click on the list; the list itself does nothing more.
  std::function<void()> OnDblClick;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  friend class TJamShellLink;
  struct Item {
    Pidl pidl;          // absolute
    std::wstring name;  // file-system name, or the display name of a virtual item
    std::wstring path;  // empty for virtual items
    bool isFolder = false;
  };
  struct Row;

  // Posted by the watcher when the shown folder has changed.
  static UINT ChangedMessage();

  void Reload(const std::vector<std::wstring>& select, const std::wstring& focus);
  std::vector<Row> ReadFolder() const;
  bool Rename(int index, const wchar_t* newName);

  Pidl folder_;
  std::wstring folderPath_;
  std::wstring filter_ = L"*";
  std::vector<Item> items_;  // in display order: item i is row i
  TFolderWatcher watcher_;
  bool refreshPending_ = false;         // a change arrived during label editing
  std::function<void()> linkOpened_;  // the coupling's hook, called before OnFolderOpened
};

}  // namespace shell
