#include "shell/shell_namespace.h"

#include <shellapi.h>
#include <shlwapi.h>

namespace shell {

Pidl DrivesFolder() {
  Pidl p;
  if (FAILED(::SHGetFolderLocation(nullptr, CSIDL_DRIVES, nullptr, 0, p.put()))) p.reset();
  return p;
}

Pidl ParsePath(const std::wstring& path) {
  Pidl p;
  if (path.empty()) return p;
  SFGAOF attrs = 0;
  if (FAILED(::SHParseDisplayName(path.c_str(), nullptr, p.put(), 0, &attrs))) p.reset();
  return p;
}

std::wstring PathOf(PCIDLIST_ABSOLUTE pidl) {
  wchar_t buf[MAX_PATH];
  if (!pidl || !::SHGetPathFromIDListW(pidl, buf)) return {};
  return buf;
}

ComPtr<IShellFolder> BindFolder(PCIDLIST_ABSOLUTE pidl) {
  ComPtr<IShellFolder> desktop;
  if (FAILED(::SHGetDesktopFolder(&desktop))) return nullptr;
  if (!pidl || ILIsEmpty(pidl)) return desktop;
  ComPtr<IShellFolder> folder;
  if (FAILED(desktop->BindToObject(pidl, nullptr, IID_PPV_ARGS(&folder)))) return nullptr;
  return folder;
}

std::wstring NameOf(IShellFolder* folder, PCUITEMID_CHILD child, SHGDNF flags) {
  STRRET sr{};
  if (!folder || FAILED(folder->GetDisplayNameOf(child, flags, &sr))) return {};
  wchar_t* s = nullptr;
  if (FAILED(::StrRetToStrW(&sr, child, &s)) || !s) return {};
  std::wstring r(s);
  ::CoTaskMemFree(s);
  return r;
}

bool SameItem(PCIDLIST_ABSOLUTE a, PCIDLIST_ABSOLUTE b) {
  if (!a || !b) return false;
  ComPtr<IShellFolder> desktop;
  if (FAILED(::SHGetDesktopFolder(&desktop))) return false;
  const HRESULT hr = desktop->CompareIDs(0, a, b);
  return SUCCEEDED(hr) && HRESULT_CODE(hr) == 0;
}

PCUIDLIST_RELATIVE RelativeTo(PCIDLIST_ABSOLUTE root, PCIDLIST_ABSOLUTE target) {
  if (!root || !target) return nullptr;
  // Cut a copy of target to as many levels as root has, then compare.
  Pidl prefix = Pidl::Clone(target);
  if (!prefix) return nullptr;
  PCUIDLIST_RELATIVE r = root;
  PUIDLIST_RELATIVE cut = prefix.get();
  PCUIDLIST_RELATIVE rest = target;
  while (!ILIsEmpty(r)) {
    if (ILIsEmpty(cut)) return nullptr;  // target is shallower than root
    r = ::ILGetNext(r);
    cut = ::ILGetNext(cut);
    rest = ::ILGetNext(rest);
  }
  cut->mkid.cb = 0;
  return SameItem(root, prefix.get()) ? rest : nullptr;
}

int SmallIconIndex(PCIDLIST_ABSOLUTE pidl, bool open) {
  SHFILEINFOW sfi{};
  UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
  if (open) flags |= SHGFI_OPENICON;
  if (!::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl), 0, &sfi, sizeof sfi, flags)) return -1;
  return sfi.iIcon;
}

HIMAGELIST SystemSmallImages() {
  SHFILEINFOW sfi{};
  // Any existing item returns the list; the drives folder exists everywhere.
  Pidl drives = DrivesFolder();
  return reinterpret_cast<HIMAGELIST>(::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(drives.get()), 0, &sfi,
                                                       sizeof sfi, SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

}  // namespace shell
