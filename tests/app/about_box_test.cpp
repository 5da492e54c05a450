// The about dialog on its own: its window, its picture, its year, the keys
// and buttons that close it and the homepage link.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/about_box.h"
#include "app/layout.h"
#include "app/shell_open.h"
#include "tests/app/posted_call.h"
#include "tests/support/pixels.h"

using testsupport::PostedCall;
using testsupport::PumpMessages;

namespace {

// An owner the dialog disables while it runs. No test starts a browser.
class AboutBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = app::SetShellOpener([this](const app::ShellOpenRequest& r) { calls.push_back(r); });
    owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                            nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    DestroyWindow(owner);
    app::SetShellOpener(previous);
  }
  HWND owner = nullptr;
  std::vector<app::ShellOpenRequest> calls;
  app::ShellOpener previous;
};

int Channel(uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 0xFF); }

}  // namespace

TEST(AboutBoxYear, FirstPlaceholderOnly) {
  const struct {
    const wchar_t* text;
    int year;
    const wchar_t* expected;
  } cases[] = {
      {L"(c) 1999-XXXX Harvik", 2031, L"(c) 1999-2031 Harvik"},
      {L"XXXX", 987, L"987"},
      {L"XXXX and XXXX", 2024, L"2024 and XXXX"},
      {L"XXXXX", 2024, L"2024X"},
      {L"no year here", 2024, L"no year here"},
      {L"XXX", 2024, L"XXX"},
      {L"", 2024, L""},
  };
  for (const auto& c : cases) EXPECT_EQ(app::WithYear(c.text, c.year), c.expected) << c.text;
}

TEST_F(AboutBoxTest, WindowPictureAndTexts) {
  tk::FormInstance<app::TAboutBox> about(owner);
  RECT client;
  GetClientRect(about.Handle(), &client);
  EXPECT_EQ(client.right, 664);
  EXPECT_EQ(client.bottom, 453);
  EXPECT_EQ(about.Text(), L"Info");
  const LONG style = GetWindowLongW(about.Handle(), GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME);  // fixed size
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_EQ(GetWindow(about.Handle(), GW_OWNER), owner);
  // Centred on the work area.
  RECT window, work;
  GetWindowRect(about.Handle(), &window);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_LE(std::abs((window.left + window.right) - (work.left + work.right)), 1);
  EXPECT_LE(std::abs((window.top + window.bottom) - (work.top + work.bottom)), 1);

  // The band in the header colour, with the picture, six labels and the link on it.
  EXPECT_EQ(about.Panel1.Color(), app::kHeaderColor);
  EXPECT_EQ(about.ProgramIcon.Parent(), &about.Panel1);
  EXPECT_EQ(about.BitBtnXP1.Parent(), &about.Panel1);
  EXPECT_EQ(about.BitBtnXP1.Text(), app::kHomepageCaption);
  for (const tk::TLabel* l : {&about.ProductName, &about.Version, &about.Comments, &about.Maker, &about.Rights,
                              &about.Copyright}) {
    EXPECT_EQ(l->Parent(), &about.Panel1);
    EXPECT_FALSE(l->Caption().empty());
    // Inside the band.
    EXPECT_LE(l->Left() + l->Width(), about.Panel1.ClientWidth());
  }
  // OK below the band.
  EXPECT_EQ(about.BitBtn1.Parent(), &about);
  EXPECT_EQ(about.BitBtn1.Kind(), controls::TBitBtnXPKind::bkOK);
  EXPECT_GE(about.BitBtn1.Top(), about.Panel1.Top() + about.Panel1.Height());
  EXPECT_LE(about.BitBtn1.Top() + about.BitBtn1.Height(), 453);

  // The product picture is the program's JPEG, decoded: 240 x 356, dark blue
  // at the top and orange at the bottom (JPEG leaves a few levels of noise).
  const tk::TPicture& pic = about.ProgramIcon.Picture();
  ASSERT_EQ(pic.Width(), 240);
  ASSERT_EQ(pic.Height(), 356);
  EXPECT_EQ(about.ProgramIcon.Width(), 240);
  const uint32_t top = pic.PixelAt(4, 2), bottom = pic.PixelAt(4, 353);
  EXPECT_NEAR(Channel(top, 16), 30, 8);
  EXPECT_NEAR(Channel(top, 0), 110, 8);
  EXPECT_NEAR(Channel(bottom, 16), 200, 8);
  EXPECT_NEAR(Channel(bottom, 0), 50, 8);

  // On the screen the picture shows at 1:1.
  about.Show();
  PumpMessages();
  const auto shot = testsupport::CaptureClient(about.ProgramIcon.Handle());
  for (auto [x, y] : {std::pair{4, 2}, {120, 100}, {60, 230}, {200, 340}}) {
    const uint32_t p = pic.PixelAt(x, y);
    EXPECT_EQ(shot.At(x, y), RGB(Channel(p, 16), Channel(p, 8), Channel(p, 0))) << x << "," << y;
  }
}

TEST_F(AboutBoxTest, OkEnterEscAndTheCloseBoxEachEndIt) {
  const struct {
    const char* name;
    std::function<void(app::TAboutBox&)> close;
    int result;
  } cases[] = {
      {"OK clicked", [](app::TAboutBox& a) { testsupport::MouseClick(a.BitBtn1.Handle()); }, tk::mrOk},
      {"Enter", [](app::TAboutBox& a) { PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1); }, tk::mrOk},
      {"Esc", [](app::TAboutBox& a) { PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1); }, tk::mrCancel},
      {"close box", [](app::TAboutBox& a) { PostMessageW(a.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }, tk::mrCancel},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    tk::FormInstance<app::TAboutBox> about(owner);
    bool focused = false;
    PostedCall act([&] {
      focused = GetFocus() == about.BitBtn1.Handle();
      c.close(about);
    });
    EXPECT_EQ(about.ShowModal(), c.result);
    EXPECT_TRUE(act.Ran());
    EXPECT_TRUE(focused);
    EXPECT_TRUE(calls.empty());
    EXPECT_FALSE(IsWindowVisible(about.Handle()));
    EXPECT_TRUE(IsWindowEnabled(owner));
  }
}

TEST_F(AboutBoxTest, TheLinkAsksTheShellWithoutParametersOrFolder) {
  tk::FormInstance<app::TAboutBox> about(owner);
  about.Show();
  PumpMessages();
  testsupport::MouseClick(about.BitBtnXP1.Handle());
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].owner, about.Handle());
  EXPECT_EQ(calls[0].verb, L"open");
  EXPECT_EQ(calls[0].file, app::kHomepageUrl);
  EXPECT_FALSE(calls[0].parameters.has_value());
  EXPECT_FALSE(calls[0].directory.has_value());
  EXPECT_EQ(calls[0].show, SW_SHOW);
  EXPECT_FALSE(about.Closed());  // the dialog stays open
}
