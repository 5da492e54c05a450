#include "shell/shell_list.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>

#include "shell/list_text.h"
#include "shell/shell_namespace.h"
#include "shell/wildcard.h"

namespace shell {

// One row as read from the shell: the item plus the text of its columns.
struct TJamShellList::Row {
  Item item;
  int icon = -1;
  std::wstring size, type, modified;
};

namespace {

enum Column { kName, kSize, kType, kModified };

bool ShellOpen(HWND owner, const std::wstring& path) {
  const auto r = reinterpret_cast<INT_PTR>(::ShellExecuteW(owner, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return r > 32;
}

std::wstring ThousandsSeparator() {
  wchar_t buf[8] = L",";
  ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, buf, 8);
  return buf;
}

}  // namespace

// Registered, so that no control class can mean anything else by it.
UINT TJamShellList::ChangedMessage() {
  static const UINT m = ::RegisterWindowMessageW(L"Verdalux.ShellList.FolderChanged");
  return m;
}

TJamShellList::TJamShellList(tk::TWinControl* parent) : TWinControl(parent), OpenFile(ShellOpen) {
  CreateParams cp;
  cp.className = WC_LISTVIEWW;
  cp.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT | LVS_EDITLABELS |
             LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE;
  cp.exStyle = WS_EX_CLIENTEDGE;
  cp.width = 185;
  cp.height = 200;
  CreateHandle(cp);
  if (!Handle()) return;
  ListView_SetExtendedListViewStyle(Handle(), LVS_EX_FULLROWSELECT);
  // LVS_SHAREIMAGELISTS: the system list belongs to the process, not to us.
  ListView_SetImageList(Handle(), SystemSmallImages(), LVSIL_SMALL);
  struct {
    const wchar_t* title;
    int width;
    int format;
  } const columns[] = {{L"Name", 170, LVCFMT_LEFT},
                       {L"Size", 70, LVCFMT_RIGHT},
                       {L"Type", 110, LVCFMT_LEFT},
                       {L"Modified", 110, LVCFMT_LEFT}};
  int i = 0;
  for (const auto& c : columns) {
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    col.fmt = c.format;
    col.cx = c.width;
    col.pszText = const_cast<wchar_t*>(c.title);
    col.iSubItem = i;
    ListView_InsertColumn(Handle(), i++, &col);
  }
}

TJamShellList::~TJamShellList() { watcher_.Stop(); }

bool TJamShellList::SetFolder(const std::wstring& path) {
  Pidl p = ParsePath(path);
  return p && SetFolderPidl(p.get());
}

bool TJamShellList::SetFolderPidl(PCIDLIST_ABSOLUTE folder) {
  if (!folder || !Handle()) return false;
  if (folder_ && SameItem(folder_.get(), folder)) return true;
  if (!BindFolder(folder)) return false;
  Pidl copy = Pidl::Clone(folder);
  if (!copy) return false;
  if (IsEditing()) ListView_CancelEditLabel(Handle());
  refreshPending_ = false;
  folder_ = std::move(copy);
  folderPath_ = PathOf(folder_.get());
  // A virtual folder, or one the system cannot watch, is simply not refreshed.
  watcher_.Start(folderPath_, Handle(), ChangedMessage());
  Reload({}, {});
  return true;
}

void TJamShellList::SetFilter(const std::wstring& filter) {
  if (filter == filter_) return;
  filter_ = filter;
  Refresh();
}

void TJamShellList::Refresh() {
  if (!Handle()) return;
  std::vector<std::wstring> selected;
  for (int i = -1; (i = ListView_GetNextItem(Handle(), i, LVNI_SELECTED)) >= 0;)
    if (i < Count()) selected.push_back(items_[i].name);
  const int f = ListView_GetNextItem(Handle(), -1, LVNI_FOCUSED);
  Reload(selected, f >= 0 && f < Count() ? items_[f].name : std::wstring());
}

std::vector<TJamShellList::Row> TJamShellList::ReadFolder() const {
  std::vector<Row> rows;
  if (!folder_) return rows;  // no folder yet (the null list would mean the desktop)
  ComPtr<IShellFolder> folder = BindFolder(folder_.get());
  ComPtr<IEnumIDList> en;
  // No owner window, so enumeration never stops on a shell prompt.
  if (!folder || folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &en) != S_OK || !en) return rows;
  const std::wstring sep = ThousandsSeparator();
  PITEMID_CHILD id = nullptr;
  while (en->Next(1, &id, nullptr) == S_OK) {
    Pidl child(id);
    SFGAOF attrs = SFGAO_FOLDER | SFGAO_STREAM;
    PCUITEMID_CHILD one = child.get();
    if (FAILED(folder->GetAttributesOf(1, &one, &attrs))) continue;
    Row row;
    row.item.isFolder = (attrs & SFGAO_FOLDER) && !(attrs & SFGAO_STREAM);
    row.item.pidl = Pidl::Combine(folder_.get(), child.get());
    if (!row.item.pidl) continue;
    row.item.path = PathOf(row.item.pidl.get());
    // Inside a file-system folder the name is the one on disk, extension
    // included; elsewhere (drives under "My Computer") the shell's display name.
    row.item.name = !folderPath_.empty() && !row.item.path.empty() ? ::PathFindFileNameW(row.item.path.c_str())
                                                                     : NameOf(folder.Get(), child.get(), SHGDN_INFOLDER);
    if (!row.item.isFolder && !MatchesFilter(row.item.name, filter_)) continue;
    SHFILEINFOW sfi{};
    if (::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(row.item.pidl.get()), 0, &sfi, sizeof sfi,
                         SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_TYPENAME)) {
      row.icon = sfi.iIcon;
      row.type = sfi.szTypeName;
    }
    WIN32_FILE_ATTRIBUTE_DATA fad{};
    if (!folderPath_.empty() && !row.item.path.empty() &&
        ::GetFileAttributesExW(row.item.path.c_str(), GetFileExInfoStandard, &fad)) {
      if (!row.item.isFolder)
        row.size = FormatSizeKB((static_cast<uint64_t>(fad.nFileSizeHigh) << 32) | fad.nFileSizeLow, sep);
      SYSTEMTIME utc, local;
      if (::FileTimeToSystemTime(&fad.ftLastWriteTime, &utc) &&
          ::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        row.modified = FormatModified(local);
    }
    rows.push_back(std::move(row));
  }
  std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
    return ListOrderLess(a.item.isFolder, a.item.name, b.item.isFolder, b.item.name);
  });
  return rows;
}

void TJamShellList::Reload(const std::vector<std::wstring>& select, const std::wstring& focus) {
  std::vector<Row> rows = ReadFolder();
  HWND h = Handle();
  ::SendMessageW(h, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(h);
  items_.clear();
  items_.reserve(rows.size());
  for (auto& r : rows) {
    const int index = static_cast<int>(items_.size());
    LVITEMW it{};
    it.mask = LVIF_TEXT | LVIF_IMAGE;
    it.iItem = index;
    it.pszText = const_cast<wchar_t*>(r.item.name.c_str());
    it.iImage = r.icon;
    if (ListView_InsertItem(h, &it) != index) break;  // out of memory: show what fits
    ListView_SetItemText(h, index, kSize, const_cast<wchar_t*>(r.size.c_str()));
    ListView_SetItemText(h, index, kType, const_cast<wchar_t*>(r.type.c_str()));
    ListView_SetItemText(h, index, kModified, const_cast<wchar_t*>(r.modified.c_str()));
    const bool sel = std::find(select.begin(), select.end(), r.item.name) != select.end();
    const bool foc = !focus.empty() && r.item.name == focus;
    if (sel || foc)
      ListView_SetItemState(h, index, (sel ? LVIS_SELECTED : 0) | (foc ? LVIS_FOCUSED : 0),
                            LVIS_SELECTED | LVIS_FOCUSED);
    items_.push_back(std::move(r.item));
  }
  if (focus.empty() && !items_.empty()) ListView_SetItemState(h, 0, LVIS_FOCUSED, LVIS_FOCUSED);
  ::SendMessageW(h, WM_SETREDRAW, TRUE, 0);
  const int f = ListView_GetNextItem(h, -1, LVNI_FOCUSED);
  if (f >= 0) ListView_EnsureVisible(h, f, FALSE);
  ::InvalidateRect(h, nullptr, TRUE);
}

std::wstring TJamShellList::ItemName(int index) const {
  return index >= 0 && index < Count() ? items_[index].name : std::wstring();
}

bool TJamShellList::ItemIsFolder(int index) const { return index >= 0 && index < Count() && items_[index].isFolder; }

int TJamShellList::SelectedCount() const { return Handle() ? static_cast<int>(ListView_GetSelectedCount(Handle())) : 0; }

int TJamShellList::SelectedIndex() const {
  if (!Handle()) return -1;
  const int i = ListView_GetNextItem(Handle(), -1, LVNI_SELECTED);
  return i < Count() ? i : -1;
}

bool TJamShellList::SelectedIsFolder() const { return ItemIsFolder(SelectedIndex()); }

std::wstring TJamShellList::SelectedObjectName() const { return ItemName(SelectedIndex()); }

std::wstring TJamShellList::SelectedPath() const {
  const int i = SelectedIndex();
  return i >= 0 ? items_[i].path : std::wstring();
}

void TJamShellList::SetSelectedIndex(int index) {
  if (!Handle()) return;
  ListView_SetItemState(Handle(), -1, 0, LVIS_SELECTED);
  if (index < 0 || index >= Count()) return;
  ListView_SetItemState(Handle(), index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(Handle(), index, FALSE);
}

bool TJamShellList::SelectName(const std::wstring& name) {
  for (int i = 0; i < Count(); ++i) {
    if (items_[i].name == name) {
      SetSelectedIndex(i);
      return true;
    }
  }
  return false;
}

bool TJamShellList::IsEditing() const { return Handle() && ListView_GetEditControl(Handle()) != nullptr; }

}  // namespace shell
