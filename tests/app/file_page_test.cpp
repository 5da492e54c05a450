// The "Open file" page with real folders, a real favourites file and the
// real document holder, driven through its controls.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/main_form.h"
#include "tests/support/files.h"
#include "tests/support/modal_recorder.h"
#include "tests/support/pixels.h"

using testsupport::CaptureClient;
using testsupport::PumpMessages;

namespace {

const wchar_t kImportFailure[] =
    L"Could not import the file. An OLE2 capable application have to exist for this file type.";

using testsupport::ReadBytes;
using testsupport::WriteBytes;

std::string Ansi(const std::wstring& w) {
  const int n = WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n - 1), '\0');
  WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, s.data(), n, nullptr, nullptr);
  return s;
}

// A program folder of its own, with document folders beside it.
class FilePageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = temp.Path() + L"\\";
    program = root + L"prog\\";
    docs = root + L"docs\\";
    other = root + L"other\\";
    for (const auto& d : {program, docs, other, docs + L"sub\\"}) CreateDirectoryW(d.c_str(), nullptr);
    CopyFileW(testsupport::SamplePath(L"drawing.emf").c_str(), (docs + L"drawing.emf").c_str(), FALSE);
    WriteBytes(docs + L"notes.xyz", "nothing handles this type");
  }
  void TearDown() override { form.reset(); }
  void Start() {
    form = std::make_unique<app::TMainForm>(program);
    form->JamShellList1.OpenFile = [this](HWND, const std::wstring& path) {
      opened.push_back(path);
      return true;
    };
    form->Show();
    PumpMessages();
  }
  // Shows `folder` in the tree and list and selects `name` in the list.
  void Select(const std::wstring& folder, const std::wstring& name) {
    ASSERT_TRUE(form->JamShellTree1.SetSelectedFolder(folder));
    PumpMessages();
    ASSERT_TRUE(form->JamShellList1.SelectName(name));
  }
  std::vector<std::wstring> Favorites() const {
    std::vector<std::wstring> v;
    for (int i = 0; i < form->PrefListBox.Count(); ++i) v.push_back(form->PrefListBox.Item(i));
    return v;
  }
  std::string FavoritesFile() const { return ReadBytes(program + L"folders.dat"); }
  void Enter(HWND h) {
    SendMessageW(h, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(h, WM_CHAR, L'\r', 0);
    SendMessageW(h, WM_KEYUP, VK_RETURN, 0);
  }

  testsupport::TempDir temp;
  std::wstring root, program, docs, other;
  std::unique_ptr<app::TMainForm> form;
  std::vector<std::wstring> opened;
};

}  // namespace

TEST_F(FilePageTest, StartsInTheProgramFolderWithTheStoredFavourites) {
  // Last line without line end, an empty line, and the list keeps the order.
  WriteBytes(program + L"folders.dat", Ansi(docs) + "\r\n\r\n" + Ansi(other));
  Start();
  EXPECT_EQ(Favorites(), (std::vector<std::wstring>{docs, L"", other}));
  EXPECT_EQ(form->PrefListBox.ItemIndex(), -1);
  EXPECT_EQ(form->JamShellTree1.SelectedFolder() + L"\\", program);
  // The list shows everything under "*" until the user picks the filter entry.
  EXPECT_EQ(form->JamShellList1.Filter(), L"*");
  EXPECT_EQ(form->FilterComboBox1.Count(), 1);
  EXPECT_EQ(form->FilterComboBox1.ItemIndex(), 0);
  form->FilterComboBox1Change();
  EXPECT_EQ(form->JamShellList1.Filter(), L"*.*");
}

TEST_F(FilePageTest, ImportingRecordsTheFolderAndFollowsTheDocument) {
  testsupport::ScopedRecorder rec;
  Start();
  Select(docs, L"drawing.emf");
  Enter(form->JamShellList1.Handle());
  EXPECT_TRUE(rec.messages.empty());
  // The list ran the file's default action first, then the page imported it.
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], docs + L"drawing.emf");
  EXPECT_EQ(Favorites(), std::vector<std::wstring>{docs});
  EXPECT_EQ(FavoritesFile(), Ansi(docs) + "\r\n");
  const POINT ext = form->DocExtent();
  ASSERT_GT(ext.x, 0);
  ASSERT_GT(ext.y, 0);
  EXPECT_EQ(form->BreitEd.Value(), 750);
  EXPECT_EQ(form->HochEd.Value(), static_cast<double>(int64_t{750} * ext.y / ext.x));
  // The preview shows the drawing: more than the background colour.
  PumpMessages();
  const auto snap = CaptureClient(form->MyOleContainer1.Handle());
  const COLORREF bg = GetSysColor(COLOR_WINDOW);
  int drawn = 0;
  for (int y = 0; y < snap.height; y += 3)
    for (int x = 0; x < snap.width; x += 3) drawn += snap.At(x, y) != bg;
  EXPECT_GT(drawn, 50);
}

TEST_F(FilePageTest, ThirdFavouriteMovesToTheTopAndTheFileFollows) {
  const std::wstring docsLower = docs.substr(0, docs.size() - 5) + L"DOCS\\";
  WriteBytes(program + L"folders.dat", Ansi(other) + "\r\n" + Ansi(docsLower) + "\r\n" + Ansi(docs) + "\r\n");
  Start();
  Select(docs, L"drawing.emf");
  form->JamShellList1DblClick();
  // Only the exact spelling counts; the other spelling stays where it was.
  EXPECT_EQ(Favorites(), (std::vector<std::wstring>{docs, other, docsLower}));
  EXPECT_EQ(FavoritesFile(), Ansi(docs) + "\r\n" + Ansi(other) + "\r\n" + Ansi(docsLower) + "\r\n");
}

TEST_F(FilePageTest, ADuplicateKeepsTheEarlierCopy) {
  WriteBytes(program + L"folders.dat", Ansi(other) + "\r\n" + Ansi(docs) + "\r\nX\r\n" + Ansi(docs) + "\r\n");
  Start();
  Select(docs, L"drawing.emf");
  form->JamShellList1DblClick();
  EXPECT_EQ(Favorites(), (std::vector<std::wstring>{docs, other, docs, L"X"}));
}

TEST_F(FilePageTest, AFailedImportStillRecordsTheFolderAndShowsOneMessage) {
  testsupport::ScopedRecorder rec;
  Start();
  Select(docs, L"drawing.emf");
  form->JamShellList1DblClick();
  ASSERT_GT(form->DocExtent().x, 0);
  form->HochEd.SetValue(1234);  // the width follows the drawing's aspect
  const double width = form->BreitEd.Value(), height = form->HochEd.Value();
  Select(docs, L"notes.xyz");
  form->JamShellList1DblClick();
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(rec.messages[0].text, kImportFailure);
  EXPECT_EQ(rec.messages[0].caption, L"Error!");
  EXPECT_EQ(rec.messages[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(Favorites(), std::vector<std::wstring>{docs});
  EXPECT_EQ(form->DocExtent().x, 0);
  EXPECT_EQ(form->DocExtent().y, 0);
  EXPECT_FALSE(form->MyOleContainer1.Holder().HasDocument());
  // The fields stay as they were, and the height no longer follows the width.
  EXPECT_EQ(form->BreitEd.Value(), width);
  EXPECT_EQ(form->HochEd.Value(), height);
  form->BreitEd.SetValue(900);
  EXPECT_EQ(form->HochEd.Value(), height);
}

// A type the program reads itself says why, below the fixed text; a type
// that goes to the platform's OLE links gets the text alone (above).
TEST_F(FilePageTest, ADamagedFileOfABuiltInTypeSaysWhyBelowTheMessage) {
  struct Case {
    const wchar_t* name;
    const char* bytes;
    const wchar_t* reason;  // nullptr: any reason, as long as there is one
  } cases[] = {
      {L"short.emf", "nothing handles this type", L"refused: the file is too short for an enhanced metafile"},
      {L"empty.wmf", "", L"refused: the file is empty"},
      {L"noise.png", "not a picture at all", nullptr},
  };
  for (const Case& c : cases) WriteBytes(docs + c.name, c.bytes);
  Start();
  for (const Case& c : cases) {
    testsupport::ScopedRecorder rec;
    Select(docs, c.name);
    form->JamShellList1DblClick();
    ASSERT_EQ(rec.messages.size(), 1u) << c.name;
    const std::wstring& text = rec.messages[0].text;
    const std::wstring head = std::wstring(kImportFailure) + L"\n";
    ASSERT_EQ(text.substr(0, head.size()), head) << c.name;
    if (c.reason)
      EXPECT_EQ(text.substr(head.size()), c.reason);
    else
      EXPECT_GT(text.size(), head.size() + 8) << c.name;
    EXPECT_FALSE(form->MyOleContainer1.Holder().HasDocument());
  }
}

TEST_F(FilePageTest, NothingSelectedOrAFolderImportsNothing) {
  testsupport::ScopedRecorder rec;
  Start();
  ASSERT_TRUE(form->JamShellTree1.SetSelectedFolder(docs));
  PumpMessages();
  form->JamShellList1.SetSelectedIndex(-1);
  form->JamShellList1DblClick();
  ASSERT_TRUE(form->JamShellList1.SelectName(L"sub"));
  form->JamShellList1DblClick();
  EXPECT_EQ(form->JamShellList1.Folder() + L"\\", docs + L"sub\\");
  EXPECT_EQ(form->JamShellTree1.SelectedFolder() + L"\\", docs + L"sub\\");
  EXPECT_TRUE(rec.messages.empty());
  EXPECT_EQ(form->PrefListBox.Count(), 0);
  EXPECT_EQ(GetFileAttributesW((program + L"folders.dat").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FilePageTest, EnterWhileRenamingOnlyEndsTheRenaming) {
  testsupport::ScopedRecorder rec;
  Start();
  Select(docs, L"drawing.emf");
  HWND list = form->JamShellList1.Handle();
  SetFocus(list);
  HWND edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_EDITLABELW, form->JamShellList1.SelectedIndex(), 0));
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(form->JamShellList1.IsEditing());
  SetWindowTextW(edit, L"renamed.emf");
  Enter(edit);
  PumpMessages();
  EXPECT_FALSE(form->JamShellList1.IsEditing());
  EXPECT_NE(GetFileAttributesW((docs + L"renamed.emf").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(form->PrefListBox.Count(), 0);
  EXPECT_FALSE(form->MyOleContainer1.Holder().HasDocument());
}

TEST_F(FilePageTest, FavouritesListOpensItsFolderAndIgnoresVanishedOnes) {
  WriteBytes(program + L"folders.dat", Ansi(docs) + "\r\n" + Ansi(root + L"gone\\") + "\r\n");
  Start();
  // Enter with no entry selected does nothing.
  const std::wstring before = form->JamShellTree1.SelectedFolder();
  SendMessageW(form->PrefListBox.Handle(), WM_CHAR, L'\r', 0);
  EXPECT_EQ(form->JamShellTree1.SelectedFolder(), before);
  form->PrefListBox.SetItemIndex(0);
  SendMessageW(form->PrefListBox.Handle(), WM_CHAR, L'\r', 0);
  PumpMessages();
  EXPECT_EQ(form->JamShellTree1.SelectedFolder() + L"\\", docs);
  EXPECT_EQ(form->JamShellList1.Folder() + L"\\", docs);
  // A favourite that no longer exists leaves tree, list and favourites alone.
  form->PrefListBox.SetItemIndex(1);
  form->PrefListBoxDblClick();
  EXPECT_EQ(form->JamShellTree1.SelectedFolder() + L"\\", docs);
  EXPECT_EQ(form->PrefListBox.Count(), 2);
}

TEST_F(FilePageTest, BadFavouritesFilesNeverStopTheProgram) {
  // 10 MB of long lines with binary bytes and NULs.
  std::string junk;
  for (int i = 0; junk.size() < (10u << 20); ++i) {
    junk.append(static_cast<size_t>(200000 + i * 37 % 5000), static_cast<char>(i % 251 + 1));
    junk.push_back('\0');
    junk += "\r\n";
  }
  WriteBytes(program + L"folders.dat", junk);
  Start();
  EXPECT_GT(form->PrefListBox.Count(), 40);
  form.reset();

  // A favourites file that cannot be rewritten: the list changes, the file does not.
  WriteBytes(program + L"folders.dat", Ansi(other) + "\r\n");
  Start();
  HANDLE lock = CreateFileW((program + L"folders.dat").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  testsupport::ScopedRecorder rec;
  Select(docs, L"drawing.emf");
  form->JamShellList1DblClick();
  CloseHandle(lock);
  EXPECT_TRUE(rec.messages.empty());
  EXPECT_EQ(Favorites(), (std::vector<std::wstring>{docs, other}));
  EXPECT_EQ(FavoritesFile(), Ansi(other) + "\r\n");
  EXPECT_TRUE(form->MyOleContainer1.Holder().HasDocument());
}
