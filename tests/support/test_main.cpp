// Test entry: OLE and common controls as the program has them, and a modal
// responder that fails any test which shows a dialog nobody expected, instead of
// blocking the run on an invisible message box.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <string>

#include <gtest/gtest.h>

#include "tests/support/modal_recorder.h"
#include "tests/support/stored_settings.h"

namespace {

std::string Narrow(const std::wstring& w) {
  int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string s(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, s.data(), n, nullptr, nullptr);
  return s;
}

class Strict final : public testsupport::ModalRecorder {
 public:
  int ShowMessageBox(const tk::MessageBoxRequest& r) override {
    ADD_FAILURE() << "unexpected message box: " << Narrow(r.text);
    return IDCANCEL;
  }
  std::optional<COLORREF> PickColor(const tk::ColorDialogRequest&) override {
    ADD_FAILURE() << "unexpected colour dialog";
    return std::nullopt;
  }
  std::optional<tk::SaveDialogResult> SaveFile(const tk::SaveDialogRequest&) override {
    ADD_FAILURE() << "unexpected save dialog";
    return std::nullopt;
  }
  std::optional<tk::PrinterChoice> PrinterSetup(const tk::PrinterSetupRequest&) override {
    ADD_FAILURE() << "unexpected printer setup dialog";
    return std::nullopt;
  }
};

// The settings stores of this program and of verdalux.exe (which the
// end-to-end tests start) go before and after every test: windows that store
// their settings must not see what another test left behind.
class FreshSettingsStores final : public testing::EmptyTestEventListener {
 public:
  void OnTestStart(const testing::TestInfo&) override { Forget(); }
  void OnTestEnd(const testing::TestInfo&) override { Forget(); }

 private:
  static void Forget() {
    testsupport::ForgetStoredSettings(testsupport::ProgramName());
    testsupport::ForgetStoredSettings(L"verdalux");
  }
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new FreshSettingsStores);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  OleInitialize(nullptr);
  Strict strict;
  tk::SetModalResponder(&strict);
  const int rc = RUN_ALL_TESTS();
  tk::SetModalResponder(nullptr);
  OleUninitialize();
  return rc;
}
