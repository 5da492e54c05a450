// What reaches the main window from outside its pages: files dropped from a
// file manager, Esc during a render, and the keys for pages and Render.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/main_form.h"
#include "tests/support/files.h"
#include "tests/support/modal_recorder.h"
#include "tests/support/pixels.h"
#include "toolkit/application.h"

using testsupport::PumpMessages;

namespace {

// The block a file manager hands over with WM_DROPFILES: a DROPFILES header
// followed by the wide paths, each ended by a zero, and one zero more.
HGLOBAL DropBlock(const std::vector<std::wstring>& paths) {
  size_t chars = 1;
  for (const auto& p : paths) chars += p.size() + 1;
  HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(GlobalLock(block));
  header->pFiles = sizeof(DROPFILES);
  header->pt = POINT{200, 150};
  header->fWide = TRUE;
  auto* out = reinterpret_cast<wchar_t*>(reinterpret_cast<BYTE*>(header) + sizeof(DROPFILES));
  for (const auto& p : paths) {
    std::copy(p.begin(), p.end(), out);
    out += p.size() + 1;
  }
  GlobalUnlock(block);
  return block;
}

std::wstring PanelText(HWND statusBar, int panel) {
  wchar_t text[256] = {};
  SendMessageW(statusBar, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text));
  return text;
}

class WindowInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program = temp.Path() + L"\\prog\\";
    docs = temp.Path() + L"\\docs\\";
    for (const auto& d : {program, docs, docs + L"sub\\"}) CreateDirectoryW(d.c_str(), nullptr);
    CopyFileW(testsupport::SamplePath(L"drawing.emf").c_str(), (docs + L"drawing.emf").c_str(), FALSE);
    // A metafile header that promises more than the file holds.
    testsupport::WriteBytes(docs + L"broken.emf", std::string("\x01\0\0\0\x6c\0\0\0garbage", 15));
    form = std::make_unique<app::TMainForm>(program);
    form->JamShellList1.OpenFile = [](HWND, const std::wstring&) { return true; };
    form->Show();
    PumpMessages();
  }
  void TearDown() override { form.reset(); }
  void Drop(const std::vector<std::wstring>& paths) {
    SendMessageW(form->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropBlock(paths)), 0);
    PumpMessages();
  }
  std::vector<std::wstring> Favorites() const {
    std::vector<std::wstring> v;
    for (int i = 0; i < form->PrefListBox.Count(); ++i) v.push_back(form->PrefListBox.Item(i));
    return v;
  }

  testsupport::TempDir temp;
  std::wstring program, docs;
  std::unique_ptr<app::TMainForm> form;
};

}  // namespace

TEST_F(WindowInputTest, ADroppedFileImportsAsEnterInTheListWould) {
  testsupport::ScopedRecorder rec;
  EXPECT_TRUE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  form->PageControl2.SetActivePageIndex(2);
  Drop({docs + L"drawing.emf"});
  EXPECT_TRUE(rec.messages.empty());
  EXPECT_EQ(form->PageControl2.ActivePageIndex(), 0);
  EXPECT_EQ(form->JamShellTree1.SelectedFolder() + L"\\", docs);
  EXPECT_EQ(Favorites(), std::vector<std::wstring>{docs});
  EXPECT_EQ(testsupport::ReadBytes(program + L"folders.dat").size(), docs.size() + 2);
  const POINT ext = form->DocExtent();
  ASSERT_GT(ext.x, 0);
  EXPECT_EQ(form->HochEd.Value(), static_cast<double>(int64_t{750} * ext.y / ext.x));
  EXPECT_TRUE(form->MyOleContainer1.Holder().HasDocument());
  // The preview shows the drawing.
  const auto snap = testsupport::CaptureClient(form->MyOleContainer1.Handle());
  int drawn = 0;
  for (int y = 0; y < snap.height; y += 3)
    for (int x = 0; x < snap.width; x += 3) drawn += snap.At(x, y) != GetSysColor(COLOR_WINDOW);
  EXPECT_GT(drawn, 50);
}

TEST_F(WindowInputTest, OfSeveralFilesTheFirstCountsAndACorruptOneFailsOnce) {
  testsupport::ScopedRecorder rec;
  Drop({docs + L"drawing.emf", docs + L"broken.emf"});
  ASSERT_TRUE(rec.messages.empty());
  ASSERT_GT(form->DocExtent().x, 0);
  Drop({docs + L"broken.emf", docs + L"drawing.emf"});
  ASSERT_EQ(rec.messages.size(), 1u);
  // A metafile is the program's own to read: why it could not, below the text.
  EXPECT_EQ(rec.messages[0].text.rfind(std::wstring(app::kImportFailureText) + L"\nrefused: ", 0), 0u);
  EXPECT_EQ(rec.messages[0].caption, L"Error!");
  EXPECT_EQ(rec.messages[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(form->DocExtent().x, 0);
  EXPECT_FALSE(form->MyOleContainer1.Holder().HasDocument());
  EXPECT_EQ(Favorites(), std::vector<std::wstring>{docs});
  // A file that vanished before it arrived does nothing at all.
  Drop({docs + L"gone.emf"});
  EXPECT_EQ(rec.messages.size(), 1u);
}

TEST_F(WindowInputTest, ADroppedFolderOpensInTreeAndList) {
  testsupport::ScopedRecorder rec;
  testsupport::WriteBytes(docs + L"sub\\inside.txt", "x");
  Drop({docs + L"sub"});
  EXPECT_TRUE(rec.messages.empty());
  EXPECT_EQ(form->JamShellTree1.SelectedFolder() + L"\\", docs + L"sub\\");
  EXPECT_TRUE(form->JamShellList1.SelectName(L"inside.txt"));
  EXPECT_TRUE(Favorites().empty());
  EXPECT_FALSE(form->MyOleContainer1.Holder().HasDocument());
}

TEST_F(WindowInputTest, EscDuringARenderKeepsTheOldPicture) {
  testsupport::ScopedRecorder rec;
  form->PageControl2.SetActivePageIndex(1);
  // The old picture: three strips with a coloured border.
  form->RandCheck.SetChecked(true);
  for (tk::TRxSpinEdit* side : {&form->randl, &form->randr, &form->rando, &form->randu}) side->SetValue(5);
  form->CorvixColorComboBox1.SetColorValue(0x00332211);
  form->BreitEd.SetValue(300);
  form->HochEd.SetValue(1400);
  form->RenderBtnClick();
  const TDibImage before = form->Image();
  ASSERT_NE(before.Bits, nullptr);
  PumpMessages();
  ASSERT_EQ(testsupport::CaptureClient(form->PaintBox1.Handle()).At(2, 2), COLORREF{0x00332211});

  // The new one would be 400 x 1200 without a border.
  form->RandCheck.SetChecked(false);
  form->BreitEd.SetValue(400);
  form->HochEd.SetValue(1200);
  const int32_t live = PictrixLiveImages();
  const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);  // 0 under Wine 8
  // A key typed before Esc stays for its control; Esc is seen between strips.
  PostMessageW(form->BreitEd.Handle(), WM_KEYDOWN, 'A', 1);
  PostMessageW(form->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
  form->RenderBtnClick();
  EXPECT_TRUE(rec.messages.empty());
  EXPECT_EQ(form->Image().Bits, before.Bits);
  EXPECT_EQ(form->Image().Info, before.Info);
  EXPECT_EQ(PictrixLiveImages(), live);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi);
  EXPECT_EQ(form->ProgressValue(), 0);
  // The first panel of the status bar is never given text, a cancel included.
  EXPECT_EQ(PanelText(form->StatusBar1.Handle(), 0), L"");
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>('A'));
  EXPECT_EQ(msg.hwnd, form->BreitEd.Handle());
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
  // The view still shows the old picture, border and all.
  form->PaintBox1.Repaint();
  EXPECT_EQ(testsupport::CaptureClient(form->PaintBox1.Handle()).At(2, 2), COLORREF{0x00332211});

  // Without Esc the next render runs to the end.
  form->RenderBtnClick();
  ASSERT_NE(form->Image().Bits, before.Bits);
  EXPECT_EQ(form->Image().Info->bmiHeader.biWidth, 400);
  EXPECT_EQ(form->Image().Info->bmiHeader.biHeight, 1200);
  EXPECT_EQ(PanelText(form->StatusBar1.Handle(), 0), L"");
  EXPECT_EQ(PictrixLiveImages(), live);  // the old picture went, the new one came
}

TEST_F(WindowInputTest, AltLettersPickPagesAndEnterInASizeFieldRenders) {
  testsupport::ScopedRecorder rec;
  auto& application = tk::TApplication::Instance();
  const struct {
    WPARAM key;
    int page;
  } pages[] = {{'C', 1}, {'S', 2}, {'O', 0}, {'c', 0}, {'X', 0}};
  for (const auto& p : pages) {
    // Alt held: the context bit of the key's data.
    PostMessageW(GetFocus() ? GetFocus() : form->Handle(), WM_SYSKEYDOWN, p.key, (1 << 29) | 1);
    application.ProcessMessages();
    EXPECT_EQ(form->PageControl2.ActivePageIndex(), p.page) << static_cast<char>(p.key);
  }
  // Without Alt a letter only types.
  PostMessageW(form->Handle(), WM_SYSKEYDOWN, 'S', 1);
  application.ProcessMessages();
  EXPECT_EQ(form->PageControl2.ActivePageIndex(), 0);

  form->PageControl2.SetActivePageIndex(1);
  PumpMessages();
  form->BreitEd.SetValue(321);
  form->HochEd.SetValue(123);
  const void* before = form->Image().Bits;
  const struct {
    tk::TWinControl* field;
    bool border;
  } fields[] = {{&form->HochEd, false}, {&form->BreitEd, false}, {&form->randl, true}};
  for (const auto& f : fields) {
    form->RandCheck.SetChecked(f.border);
    form->randl.SetValue(10);
    f.field->SetFocus();
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
    application.ProcessMessages();
    EXPECT_NE(form->Image().Bits, before);
    EXPECT_EQ(form->Image().Info->bmiHeader.biWidth, f.border ? 321 + 32 + 321 * int(form->randr.Value()) / 100 : 321);
    before = form->Image().Bits;
  }
  // Enter elsewhere renders nothing.
  form->PrefListBox.SetFocus();
  PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
  application.ProcessMessages();
  EXPECT_EQ(form->Image().Bits, before);
  EXPECT_TRUE(rec.messages.empty());
}
