// The file list's reaction to the user: keys, double-clicks, the default
// action of an item, renaming in place, and the watcher's change message.
#include "shell/list_text.h"
#include "shell/shell_list.h"
#include "shell/shell_namespace.h"

namespace shell {

bool TJamShellList::RunDefaultAction() {
  const int i = SelectedIndex();
  if (i < 0) return false;
  if (items_[i].isFolder) {
    Pidl target = Pidl::Clone(items_[i].pidl.get());
    if (!target || !SetFolderPidl(target.get())) return false;
    const std::wstring path = folderPath_;
    if (linkOpened_) linkOpened_();
    if (OnFolderOpened) OnFolderOpened(path);
    return true;
  }
  const std::wstring path = items_[i].path;
  return !path.empty() && OpenFile && OpenFile(Handle(), path);
}

bool TJamShellList::Rename(int index, const wchar_t* newName) {
  if (!newName || index < 0 || index >= Count()) return false;  // cancelled, or a row we do not know
  Item& item = items_[index];
  const std::wstring name = newName;
  if (name == item.name) return false;
  // A name the file system would refuse or reinterpret (a path, a trailing
  // dot) keeps the old name; so does any failure of the move itself.
  const std::wstring target = JoinPath(folderPath_, name);
  if (!IsValidItemName(name) || !::MoveFileW(item.path.c_str(), target.c_str())) {
    ::MessageBeep(MB_ICONWARNING);
    return false;
  }
  item.name = name;
  item.path = target;
  if (Pidl p = ParsePath(target)) item.pidl = std::move(p);
  return true;
}

LRESULT TJamShellList::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == ChangedMessage()) {
    watcher_.Acknowledge();
    // Re-reading would close an open label editor and lose what was typed.
    if (IsEditing())
      refreshPending_ = true;
    else
      Refresh();
    return 0;
  }
  switch (msg) {
    case WM_CHAR: {
      if (IsEditing()) break;
      auto key = static_cast<wchar_t>(wp);
      if (key == L'\r') RunDefaultAction();
      if (OnKeyPress) OnKeyPress(key);
      if (key == 0) return 0;
      return TWinControl::WndProc(msg, key, lp);
    }
    case WM_DESTROY:
      watcher_.Stop();
      break;
  }
  return TWinControl::WndProc(msg, wp, lp);
}

bool TJamShellList::HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg != WM_NOTIFY) return false;
  const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
  const auto* di = reinterpret_cast<const NMLVDISPINFOW*>(lp);
  switch (hdr->code) {
    case NM_DBLCLK:
      if (OnDblClick) OnDblClick();
      result = 0;
      return true;
    case LVN_BEGINLABELEDITW: {
      // Only items on disk can be renamed; TRUE refuses the editor.
      const int i = di->item.iItem;
      const bool allowed = !folderPath_.empty() && i >= 0 && i < Count() && !items_[i].path.empty();
      result = allowed ? FALSE : TRUE;
      return true;
    }
    case LVN_ENDLABELEDITW:
      result = Rename(di->item.iItem, di->item.pszText) ? TRUE : FALSE;
      if (refreshPending_) {
        refreshPending_ = false;
        // After the editor has gone, not while the list view is still closing it.
        ::PostMessageW(Handle(), ChangedMessage(), 0, 0);
      }
      return true;
  }
  return false;
}

}  // namespace shell
