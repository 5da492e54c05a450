// Saving the current picture from the "Save and print" page: the button row,
// the dialog as the program asks it, each file type chosen by the list or by
// the typed name and read back against the picture in memory, and failures.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "app/main_form.h"
#include "render/renderer/picture_sink.h"
#include "tests/output/output_fixtures.h"
#include "tests/support/files.h"
#include "tests/support/modal_recorder.h"
#include "tests/support/pixels.h"

using core::PictureFormat;
using outputtest::Narrow;
using testsupport::PumpMessages;

namespace {

std::vector<uint8_t> TopDownPixels(const TDibImage& img) { return outputtest::TopDownOf(render::RowsOf(img)); }

// Also notes how far the progress bar stood when a message came up.
class ProgressRecorder : public testsupport::ScopedRecorder {
 public:
  explicit ProgressRecorder(const app::TMainForm& form) : form_(form) {}
  int ShowMessageBox(const tk::MessageBoxRequest& r) override {
    progressAtMessage.push_back(form_.ProgressValue());
    return ScopedRecorder::ShowMessageBox(r);
  }
  std::vector<int32_t> progressAtMessage;

 private:
  const app::TMainForm& form_;
};

class SaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    out = dir.MakeDir(L"out");
    program = dir.MakeDir(L"program");
    form = std::make_unique<app::TMainForm>(program);
    form->Show();
    form->PageControl2.SetActivePageIndex(2);
    PumpMessages();
  }
  // A picture of three strips whose pixels change along both sides, smoothly
  // enough for JPEG to keep them close.
  void TakeGradientPicture(int32_t w = 203, int32_t h = 1100) {
    TDibImage img{};
    newdib(&img, w, h, 24, nullptr, 0);
    ASSERT_NE(img.Bits, nullptr);
    for (int32_t y = 0; y < h; ++y) {
      uint8_t* row = static_cast<uint8_t*>(img.Bits) + int64_t{y} * img.BytesPerRow;
      for (int32_t x = 0; x < w; ++x) {
        row[3 * x] = uint8_t(x * 255 / (w - 1));
        row[3 * x + 1] = uint8_t(y * 255 / (h - 1));
        row[3 * x + 2] = uint8_t(128 + (x - y) / 16);
      }
    }
    form->TakePicture(img);
  }
  // Clicks "Save picture as..." with the dialog answered by `name` and the list's `index`.
  void SaveAs(testsupport::ModalRecorder& rec, const std::wstring& name, int index) {
    rec.saveAnswers.push_back(tk::SaveDialogResult{name, index});
    SendMessageW(form->SaveAsBtn.Handle(), BM_CLICK, 0, 0);
  }
  std::vector<std::wstring> OutFiles() const { return FilesIn(out); }
  static std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return files;
    do {
      if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(fd.cFileName);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    std::sort(files.begin(), files.end());
    return files;
  }

  testsupport::TempDir dir;
  std::wstring out, program;
  std::unique_ptr<app::TMainForm> form;
};

TEST_F(SaveTest, TheButtonRowHoldsSaveThenPrintWithTwoImageGlyphs) {
  EXPECT_EQ(form->Panel5.Height(), 49);
  struct {
    controls::TBitBtnXP& button;
    int left;
    const wchar_t* caption;
  } rows[] = {{form->SaveAsBtn, 8, L"Save picture as..."}, {form->PrintBtn, 160, L"Print picture..."}};
  for (const auto& r : rows) {
    EXPECT_EQ(GetParent(r.button.Handle()), form->Panel5.Handle());
    RECT b;
    GetWindowRect(r.button.Handle(), &b);
    MapWindowPoints(nullptr, form->Panel5.Handle(), reinterpret_cast<POINT*>(&b), 2);
    EXPECT_EQ(b.left, r.left);
    EXPECT_EQ(b.top, 8);
    EXPECT_EQ(b.right - b.left, 145);
    EXPECT_EQ(b.bottom - b.top, 25);
    wchar_t text[64] = {};
    GetWindowTextW(r.button.Handle(), text, 64);
    EXPECT_STREQ(text, r.caption);
    EXPECT_EQ(r.button.Glyph().width, 32);
    EXPECT_EQ(r.button.Glyph().height, 16);
    EXPECT_EQ(r.button.NumGlyphs(), 2);
  }
  // Tab goes from the save button to the print button.
  EXPECT_EQ(GetWindow(form->Panel5.Handle(), GW_CHILD), form->SaveAsBtn.Handle());
  EXPECT_EQ(GetNextDlgTabItem(form->Handle(), form->SaveAsBtn.Handle(), FALSE), form->PrintBtn.Handle());
}

TEST_F(SaveTest, CancellingTheDialogChangesNothing) {
  TakeGradientPicture();
  const void* bits = form->Image().Bits;
  const std::vector<uint8_t> before = TopDownPixels(form->Image());
  form->SetProStatus(30);
  testsupport::ScopedRecorder rec;
  SendMessageW(form->SaveAsBtn.Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(rec.saveRequests.size(), 1u);
  const tk::SaveDialogRequest& r = rec.saveRequests[0];
  EXPECT_EQ(r.owner, form->Handle());
  EXPECT_EQ(r.initialFolder, form->Folder());
  EXPECT_EQ(r.fileName, L"");
  constexpr DWORD kOptions = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING;
  EXPECT_EQ(r.flags & kOptions, kOptions);
  EXPECT_EQ(r.filter,
            L"BMP picture (*.bmp)|*.bmp|PNG picture (*.png)|*.png|JPEG picture (*.jpg;*.jpeg)|*.jpg;*.jpeg|"
            L"TIFF picture (*.tif;*.tiff)|*.tif;*.tiff");
  EXPECT_EQ(r.filterIndex, 1);
  EXPECT_EQ(r.defaultExt, L"bmp");
  EXPECT_TRUE(rec.messages.empty());
  EXPECT_TRUE(OutFiles().empty());
  EXPECT_TRUE(FilesIn(program).empty());
  EXPECT_EQ(form->ProgressValue(), 30);
  EXPECT_EQ(form->Image().Bits, bits);
  EXPECT_EQ(TopDownPixels(form->Image()), before);
}

TEST_F(SaveTest, EachTypeByTheListOrByTheTypedNameReadsBackAsThePicture) {
  struct Case {
    const wchar_t* typed;
    int index;
    const wchar_t* file;
    PictureFormat format;
    GUID container;
  } cases[] = {
      {L"list", 1, L"list.bmp", PictureFormat::kBmp, GUID_ContainerFormatBmp},
      {L"list", 2, L"list.png", PictureFormat::kPng, GUID_ContainerFormatPng},
      {L"list", 3, L"list.jpg", PictureFormat::kJpeg, GUID_ContainerFormatJpeg},
      {L"list", 4, L"list.tif", PictureFormat::kTiff, GUID_ContainerFormatTiff},
      // A typed extension of a known type wins over the list.
      {L"typed.PNG", 1, L"typed.PNG", PictureFormat::kPng, GUID_ContainerFormatPng},
      {L"typed.jpeg", 4, L"typed.jpeg", PictureFormat::kJpeg, GUID_ContainerFormatJpeg},
      {L"typed.tiff", 1, L"typed.tiff", PictureFormat::kTiff, GUID_ContainerFormatTiff},
      {L"typed.bmp", 3, L"typed.bmp", PictureFormat::kBmp, GUID_ContainerFormatBmp},
      // Any other extension stays as typed; the list says the type.
      {L"report.v2", 2, L"report.v2", PictureFormat::kPng, GUID_ContainerFormatPng},
  };
  TakeGradientPicture();
  const std::vector<uint8_t> expected = TopDownPixels(form->Image());
  std::vector<std::wstring> written;
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.file));
    // The same name saved twice replaces the file: the dialog asked about it.
    for (const wchar_t* old : {L"list.bmp", L"typed.bmp"})
      if (std::wstring(c.file) == old) testsupport::WriteBytes(out + L"\\" + old, "an older file");
    testsupport::ScopedRecorder rec;
    SaveAs(rec, out + L"\\" + c.typed, c.index);
    EXPECT_TRUE(rec.messages.empty()) << (rec.messages.empty() ? "" : Narrow(rec.messages[0].text));
    written.push_back(c.file);
    std::sort(written.begin(), written.end());
    written.erase(std::unique(written.begin(), written.end()), written.end());
    EXPECT_EQ(OutFiles(), written) << "no temporary file stays";
    const std::wstring path = out + L"\\" + c.file;
    const outputtest::Decoded d = outputtest::Decode(path);
    ASSERT_TRUE(d.ok);
    EXPECT_TRUE(IsEqualGUID(d.container, c.container));
    EXPECT_EQ(d.width, 203u);
    EXPECT_EQ(d.height, 1100u);
    // BMP and PNG keep whole pixels per metre: 3780 is 96.012 dpi.
    EXPECT_NEAR(d.dpiX, 96.0, 0.02);
    EXPECT_NEAR(d.dpiY, 96.0, 0.02);
    ASSERT_EQ(d.pixels.size(), expected.size());
    if (c.format == PictureFormat::kJpeg) {
      int64_t difference = 0;
      for (size_t i = 0; i < expected.size(); ++i) difference += std::abs(int(d.pixels[i]) - int(expected[i]));
      EXPECT_LT(double(difference) / double(expected.size()), 2.0);
    } else {
      EXPECT_TRUE(d.pixels == expected);
    }
    EXPECT_EQ(form->ProgressValue(), 0);
  }
}

TEST_F(SaveTest, TheStartUpPictureIsWhiteAt96Dpi) {
  testsupport::ScopedRecorder rec;
  SaveAs(rec, out + L"\\start", 1);
  ASSERT_TRUE(rec.messages.empty());
  const std::wstring path = out + L"\\start.bmp";
  const outputtest::Decoded d = outputtest::Decode(path);
  ASSERT_TRUE(d.ok);
  EXPECT_EQ(d.width, 320u);
  EXPECT_EQ(d.height, 200u);
  EXPECT_EQ(std::count(d.pixels.begin(), d.pixels.end(), uint8_t{255}), 320 * 200 * 3);
  EXPECT_EQ(outputtest::ReadStoredResolution(path, PictureFormat::kBmp).x, 3780u);
  // The status bar's first panel never gets text.
  EXPECT_EQ(LOWORD(SendMessageW(form->StatusBar1.Handle(), SB_GETTEXTLENGTHW, 0, 0)), 0);
}

TEST_F(SaveTest, EachFailureShowsOneMessageNamingTheFileAndLeavesNoFile) {
  TakeGradientPicture();
  const void* bits = form->Image().Bits;
  const std::vector<uint8_t> before = TopDownPixels(form->Image());
  const std::wstring readOnly = testsupport::WriteBytes(out + L"\\locked.bmp", "older") ? out + L"\\locked.bmp" : L"";
  ASSERT_TRUE(SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
  const std::wstring gone = dir.MakeDir(L"gone");
  ASSERT_TRUE(RemoveDirectoryW(gone.c_str()));
  struct Case {
    std::wstring path;
    int index;
    int64_t failAfterBytes;
    const char* reason;
    bool midway;  // the bar had moved when the failure came
  } cases[] = {
      {readOnly, 1, -1, "read-only target", false},
      {gone + L"\\picture.png", 2, -1, "vanished folder", false},
      {out + L"\\full.bmp", 1, 300000, "full disk", true},
      {out + L"\\full.tif", 4, 300000, "full disk", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    ProgressRecorder rec(*form);
    form->SaveFailAfterBytes = c.failAfterBytes;
    SaveAs(rec, c.path, c.index);
    form->SaveFailAfterBytes = -1;
    ASSERT_EQ(rec.messages.size(), 1u);
    const std::wstring& text = rec.messages[0].text;
    EXPECT_NE(text.find(L"\"" + c.path + L"\""), std::wstring::npos) << Narrow(text);
    EXPECT_GT(text.size(), text.find(L"\": ") + 4) << "a reason follows the name: " << Narrow(text);
    EXPECT_EQ(rec.messages[0].caption, L"Error");
    EXPECT_EQ(rec.messages[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    if (c.midway) {
      EXPECT_GT(rec.progressAtMessage[0], 0);
      EXPECT_LT(rec.progressAtMessage[0], 100);
    }
    EXPECT_EQ(form->ProgressValue(), 0);
    EXPECT_EQ(OutFiles(), std::vector<std::wstring>{L"locked.bmp"});
    EXPECT_EQ(testsupport::ReadBytes(readOnly), "older");
    EXPECT_FALSE(testsupport::Exists(gone));
    EXPECT_EQ(form->Image().Bits, bits);
    EXPECT_EQ(TopDownPixels(form->Image()), before);
  }
}

TEST_F(SaveTest, TheDialogStartsInTheProgramFolderEveryTime) {
  testsupport::ScopedRecorder rec;
  SaveAs(rec, out + L"\\first.png", 1);
  // A dot in a folder's name is no extension: the listed type's is added.
  SaveAs(rec, dir.MakeDir(L"v1.0") + L"\\second", 2);
  SendMessageW(form->SaveAsBtn.Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(rec.saveRequests.size(), 3u);
  for (const tk::SaveDialogRequest& r : rec.saveRequests) EXPECT_EQ(r.initialFolder, form->Folder());
  EXPECT_TRUE(rec.messages.empty());
  EXPECT_TRUE(testsupport::Exists(out + L"\\first.png"));
  EXPECT_EQ(FilesIn(dir.Path(L"v1.0")), std::vector<std::wstring>{L"second.png"});
}

}  // namespace
