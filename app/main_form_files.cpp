// The "Open file" page: folder tree, file list, filter, favourite folders and
// the preview of the imported document.
#include <exception>

#include "app/favorites_file.h"
#include "app/main_form.h"
#include "app/program_folder.h"
#include "toolkit/modal.h"

namespace app {
namespace {

constexpr COLORREF kHeaderColor = RGB(240, 202, 166);
const tk::TFont kShellFont{L"Segoe UI", -12, false};

tk::TPanel& Plain(tk::TPanel& p) {
  p.SetBevelOuter(tk::TBevel::bvNone);
  return p;
}

}  // namespace

void TMainForm::SetUpFilePage() {
  Plain(Panel3).SetHeight(33);
  Panel3.SetAlign(tk::TAlign::alTop);
  Panel18.SetBevelInner(tk::TBevel::bvRaised);
  Panel18.SetBevelOuter(tk::TBevel::bvLowered);
  Panel18.SetColor(kHeaderColor);
  Panel18.SetWidth(121);
  Panel18.SetAlign(tk::TAlign::alLeft);
  PrefListBox.SetAlign(tk::TAlign::alClient);

  Plain(Panel9).SetWidth(373);
  Panel9.SetAlign(tk::TAlign::alLeft);
  JamShellTree1.SetFont(kShellFont);
  JamShellTree1.SetIndent(19);
  JamShellTree1.SetWidth(185);
  JamShellTree1.SetAlign(tk::TAlign::alLeft);
  Plain(Panel11).SetHeight(25);
  Panel11.SetAlign(tk::TAlign::alBottom);
  FilterComboBox1.SetBounds(188, 3, 185, FilterComboBox1.Height());
  FilterComboBox1.SetFilter(L"Alle Dateien(*.*)|*.*");
  JamShellList1.SetFont(kShellFont);
  JamShellList1.SetAlign(tk::TAlign::alClient);

  Plain(Panel12).SetAlign(tk::TAlign::alClient);
  Plain(Panel13).SetHeight(17);
  Panel13.SetAlign(tk::TAlign::alTop);
  Plain(Panel15).SetColor(::GetSysColor(COLOR_APPWORKSPACE));
  Panel15.SetAlign(tk::TAlign::alClient);

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
  } catch (const std::exception&) {
    tk::ShowMessage(Handle(), L"Could not import the file. An OLE2 capable application have to exist for this file type.",
                    L"Error!", MB_OK | MB_ICONERROR);
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
  const int last = LastEqual(entries, folder);
  MoveToFront(entries, folder);
  if (last >= 0) PrefListBox.Delete(last);
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
