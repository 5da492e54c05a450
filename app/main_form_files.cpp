// The "Open file" page: folder tree, file list, filter, favourite folders and
// the preview of the imported document.
#include <exception>

#include "app/favorites_file.h"
#include "app/layout.h"
#include "app/main_form.h"
#include "app/program_folder.h"
#include "core/favorites_lines.h"
#include "render/documents/document_factory.h"
#include "render/holder/ole_error.h"
#include "toolkit/modal.h"

namespace app {
namespace {

const tk::TFont kShellFont{L"Segoe UI", -12, false};

// A file of a type the program reads itself gets the reason below the fixed
// text, so a damaged file is not taken for a missing program; a platform OLE
// link's failure has the text alone.
std::wstring ImportFailureMessage(const std::wstring& path, const std::wstring& reason) {
  if (reason.empty() || documents::KindForPath(path) == documents::DocumentKind::None) return kImportFailureText;
  return std::wstring(kImportFailureText) + L"\n" + reason;
}

}  // namespace

void TMainForm::SetUpFilePage() {
  Dock(Plain(Panel3), tk::TAlign::alTop, 33);
  Dock(HeaderLook(Panel18), tk::TAlign::alLeft, 121);
  Dock(PrefListBox, tk::TAlign::alClient);

  Dock(Plain(Panel9), tk::TAlign::alLeft, 373);
  JamShellTree1.SetFont(kShellFont);
  JamShellTree1.SetIndent(19);
  Dock(JamShellTree1, tk::TAlign::alLeft, 185);
  Dock(Plain(Panel11), tk::TAlign::alBottom, 25);
  FilterComboBox1.SetBounds(188, 3, 185, FilterComboBox1.Height());
  FilterComboBox1.SetFilter(L"Alle Dateien(*.*)|*.*");
  JamShellList1.SetFont(kShellFont);
  Dock(JamShellList1, tk::TAlign::alClient);

  Dock(Plain(Panel12), tk::TAlign::alClient);
  Dock(Plain(Panel13), tk::TAlign::alTop, 17);
  Plain(Panel15).SetColor(::GetSysColor(COLOR_APPWORKSPACE));
  Dock(Panel15, tk::TAlign::alClient);

  FilterComboBox1.OnChange = [this] { FilterComboBox1Change(); };
  JamShellList1.OnDblClick = [this] { JamShellList1DblClick(); };
  JamShellList1.OnKeyPress = [this](wchar_t& key) { JamShellList1KeyPress(key); };
  PrefListBox.OnDblClick = [this] { PrefListBoxDblClick(); };
  PrefListBox.OnKeyPress = [this](wchar_t& key) { PrefListBoxKeyPress(key); };
}

void TMainForm::LoadFavorites() {
  std::vector<std::wstring> entries;
  app::LoadFavorites(FavoritesFile(), entries);  // a missing or unreadable file leaves the list empty
  for (const auto& e : entries) PrefListBox.Add(e);
}

void TMainForm::FilterComboBox1Change() {
  if (FilterComboBox1.Count() == 0) {
    JamShellList1.SetFilter(L"*.*");
    return;
  }
  if (FilterComboBox1.ItemIndex() < 0) FilterComboBox1.SetItemIndex(FilterComboBox1.Count() - 1);
  JamShellList1.SetFilter(FilterComboBox1.Mask());
}

void TMainForm::JamShellList1DblClick() {
  if (JamShellList1.SelectedCount() == 0) return;
  if (JamShellList1.SelectedIsFolder()) {
    JamShellList1.RunDefaultAction();
    return;
  }
  openfilenow(JamShellList1.SelectedObjectName());
}

void TMainForm::JamShellList1KeyPress(wchar_t& key) {
  if (key == L'\r' && !JamShellList1.IsEditing()) {
    JamShellList1DblClick();
    key = 0;
  }
}

void TMainForm::openfilenow(const std::wstring& fileName) {
  std::wstring folder = JamShellTree1.SelectedFolder();
  // A virtual folder in the tree has no path; the list's item still has one.
  if (folder.empty()) folder = FolderOf(JamShellList1.SelectedPath());
  folder = WithTrailingBackslash(folder);
  AddToPrefFolders(folder);
  try {
    MyOleContainer1.LinkDocument(folder + fileName);
  } catch (const render::OleError& e) {
    tk::ShowMessage(Handle(), ImportFailureMessage(folder + fileName, e.Reason()), L"Error!", MB_OK | MB_ICONERROR);
  } catch (const std::exception&) {
    tk::ShowMessage(Handle(), kImportFailureText, L"Error!", MB_OK | MB_ICONERROR);
  }
  const POINT extent = MyOleContainer1.GetDocumentExtent();
  DocExtentX = extent.x;
  DocExtentY = extent.y;
  BreitEdChange();
}

void TMainForm::AddToPrefFolders(const std::wstring& folder) {
  std::vector<std::wstring> entries;
  entries.reserve(static_cast<size_t>(PrefListBox.Count()));
  for (int i = 0; i < PrefListBox.Count(); ++i) entries.push_back(PrefListBox.Item(i));
  const std::ptrdiff_t last = core::LastEqual(entries, folder);
  core::MoveToFront(entries, folder);
  if (last >= 0) PrefListBox.Delete(static_cast<int>(last));
  PrefListBox.Insert(0, folder);
  SaveFavorites(FavoritesFile(), entries);  // a file that cannot be written keeps its old content
}

void TMainForm::PrefListBoxDblClick() {
  const int i = PrefListBox.ItemIndex();
  if (i >= 0 && i < PrefListBox.Count()) JamShellTree1.SetSelectedFolder(PrefListBox.Item(i));
}

void TMainForm::PrefListBoxKeyPress(wchar_t& key) {
  if (key == L'\r') PrefListBoxDblClick();
}

}  // namespace app
