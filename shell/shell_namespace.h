// The few shell namespace operations the folder tree and the file list share.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <string>

#include "shell/pidl.h"

namespace shell {

using Microsoft::WRL::ComPtr;

// The drives folder ("My Computer", "This PC").
Pidl DrivesFolder();

// The item a path names, parsed from the desktop; empty when it does not exist.
Pidl ParsePath(const std::wstring& path);

// The file-system path of an item; empty for a virtual item.
std::wstring PathOf(PCIDLIST_ABSOLUTE pidl);

// The folder object of an item (the desktop for the empty list); null when the
// item is no folder or cannot be opened.
ComPtr<IShellFolder> BindFolder(PCIDLIST_ABSOLUTE pidl);

// A name of child in folder, as flags asks for it; empty on failure.
std::wstring NameOf(IShellFolder* folder, PCUITEMID_CHILD child, SHGDNF flags);

// True when both lists name the same item, compared by the shell itself (file
// names ignore case; parsed and enumerated lists of one item can differ in bytes).
bool SameItem(PCIDLIST_ABSOLUTE a, PCIDLIST_ABSOLUTE b);

// The part of target below root, pointing into target; null when target is
// not root or inside it. Levels are compared by the shell, not by bytes.
PCUIDLIST_RELATIVE RelativeTo(PCIDLIST_ABSOLUTE root, PCIDLIST_ABSOLUTE target);

// Index of the item's small icon in the system image list, -1 when unknown.
int SmallIconIndex(PCIDLIST_ABSOLUTE pidl, bool open);

// The system image list of small icons. Shared by the whole process: never destroyed by us.
HIMAGELIST SystemSmallImages();

}  // namespace shell
