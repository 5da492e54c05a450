// The "Save and print" page's print command as the user meets it: the dialog
// on the current picture, OK printing it, Cancel printing nothing, a missing
// printer and a failing print each told in one message.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/main_form.h"
#include "app/print_form.h"
#include "tests/app/posted_call.h"
#include "tests/support/files.h"
#include "tests/support/modal_recorder.h"
#include "tests/support/pixels.h"

using testsupport::PostedCall;
using testsupport::PumpMessages;

namespace {

std::string FileStart(const std::wstring& path, size_t n) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::string s(n, '\0');
  in.read(s.data(), static_cast<std::streamsize>(n));
  s.resize(static_cast<size_t>(in.gcount()));
  return s;
}

class PrintCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program = dir.MakeDir(L"program");
    form = std::make_unique<app::TMainForm>(program);
    form->Show();
    form->PageControl2.SetActivePageIndex(2);
    PumpMessages();
  }
  // Clicks "Print picture..." and, from inside the dialog's loop, runs `inDialog`.
  void ClickPrint(std::function<void(app::TPrintForm*)> inDialog) {
    PostedCall call([&] {
      HWND dialog = FindWindowW(L"TPrintForm", L"Print picture...");
      auto* printForm = dynamic_cast<app::TPrintForm*>(tk::TWinControl::FromHandle(dialog));
      inDialog(printForm);
    });
    SendMessageW(form->PrintBtn.Handle(), BM_CLICK, 0, 0);
  }

  testsupport::TempDir dir;
  std::wstring program;
  std::unique_ptr<app::TMainForm> form;
};

}  // namespace

TEST_F(PrintCommandTest, OkPrintsTheCurrentPictureAndCancelPrintsNothing) {
  ASSERT_TRUE(tk::PrinterChoice::Default()) << "no printer: the test run's private print queue is missing";
  const struct {
    bool ok;
  } cases[] = {{false}, {true}};
  for (const auto& c : cases) {
    form->PrintOutputFile = dir.Path(c.ok ? L"ok.ps" : L"cancel.ps");
    bool sawDialog = false;
    ClickPrint([&](app::TPrintForm* dialog) {
      ASSERT_NE(dialog, nullptr);
      sawDialog = true;
      // The dialog works on the window's current picture: the white start-up one.
      EXPECT_EQ(DIBWidth(form->Image()), 320);
      EXPECT_TRUE(IsWindowEnabled(form->Handle()) == FALSE);
      (c.ok ? dialog->OkBitBtn1 : dialog->CancelBitBtn2).Click();
    });
    EXPECT_TRUE(sawDialog);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    const DWORD attributes = GetFileAttributesW(form->PrintOutputFile.c_str());
    if (c.ok) {
      EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
      EXPECT_EQ(FileStart(form->PrintOutputFile, 4), "%!PS");
    } else {
      EXPECT_EQ(attributes, INVALID_FILE_ATTRIBUTES) << "Cancel printed";
    }
  }
}

TEST_F(PrintCommandTest, MissingPrinterOrFailingPrintIsToldInOneMessage) {
  const struct {
    bool printerInstalled;
    const wchar_t* expectedStart;
  } cases[] = {
      {false, L"No printer is installed."},
      // The job's file would go into a folder that does not exist.
      {true, L""},
  };
  for (const auto& c : cases) {
    testsupport::ScopedRecorder recorder;
    if (!c.printerInstalled) form->DefaultPrinter = [] { return std::optional<tk::PrinterChoice>(); };
    form->PrintOutputFile = dir.Path(L"gone\\page.ps");
    bool sawDialog = false;
    ClickPrint([&](app::TPrintForm* dialog) {
      sawDialog = dialog != nullptr;
      if (dialog) dialog->OkBitBtn1.Click();
    });
    EXPECT_EQ(sawDialog, c.printerInstalled);
    ASSERT_EQ(recorder.messages.size(), 1u) << c.printerInstalled;
    EXPECT_EQ(recorder.messages[0].owner, form->Handle());
    if (*c.expectedStart) {
      EXPECT_EQ(recorder.messages[0].text.rfind(c.expectedStart, 0), 0u);
    } else {
      EXPECT_FALSE(recorder.messages[0].text.empty());
      EXPECT_EQ(recorder.messages[0].type & MB_ICONERROR, static_cast<UINT>(MB_ICONERROR));
    }
    EXPECT_EQ(GetFileAttributesW(form->PrintOutputFile.c_str()), INVALID_FILE_ATTRIBUTES);
    form->DefaultPrinter = &tk::PrinterChoice::Default;
  }
}
