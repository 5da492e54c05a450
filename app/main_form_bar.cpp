// The bottom button bar's commands and files dropped onto the window.
#include <windows.h>
#include <shellapi.h>

#include "app/about_box.h"
#include "app/main_form.h"
#include "app/program_folder.h"
#include "app/shell_open.h"
#include "toolkit/modal.h"

namespace app {

void TMainForm::SetUpBar() {
  wwwBtn.OnClick = [this] { wwwBtnClick(); };
  ueberbtn.OnClick = [this] { ueberbtnClick(); };
  endebtn.OnClick = [this] { EndeBtnClick(); };
  OnShortCut = [this](const MSG& msg) { return FormShortCut(msg); };
  ::DragAcceptFiles(Handle(), TRUE);
}

void TMainForm::wwwBtnClick() {
  ShellOpen(ShellOpenRequest{Handle(), L"open", kHomepageUrl, L"", L"", SW_SHOW});
}

void TMainForm::ueberbtnClick() {
  tk::FormInstance<TAboutBox> about(Handle());
  about.ShowModal();
}

void TMainForm::EndeBtnClick() { Close(); }

void TMainForm::FormDropFiles(HDROP drop) {
  std::wstring path;
  if (::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
    const UINT length = ::DragQueryFileW(drop, 0, nullptr, 0);
    path.assign(length + 1, L'\0');
    path.resize(::DragQueryFileW(drop, 0, path.data(), length + 1));
  }
  ::DragFinish(drop);
  if (!path.empty()) OpenDropped(path);
}

void TMainForm::OpenDropped(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;  // gone before it arrived
  PageControl2.SetActivePageIndex(0);
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    JamShellTree1.SetSelectedFolder(path);
    return;
  }
  // The file is imported from its own folder, as if chosen there in the list.
  const std::wstring folder = FolderOf(path);
  const std::wstring name = path.substr(WithTrailingBackslash(folder).size());
  if (!JamShellTree1.SetSelectedFolder(folder)) {
    tk::ShowMessage(Handle(), kImportFailureText, L"Error!", MB_OK | MB_ICONERROR);
    return;
  }
  JamShellList1.SelectName(name);  // the list may still be filling; the import does not need it
  openfilenow(name);
}

}  // namespace app
