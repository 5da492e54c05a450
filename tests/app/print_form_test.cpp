// The "Print picture..." dialog on its own: its windows as laid out, the tab
// order as the keyboard walks it, the choices that enable the percentages, the
// aspect that makes one percentage follow the other, the preview of the page,
// the printer setup, and its settings kept in the registry across openings.
#include <windows.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/print_form.h"
#include "tests/app/posted_call.h"
#include "tests/support/modal_recorder.h"
#include "tests/support/pixels.h"
#include "tests/support/stored_settings.h"

using testsupport::PostedCall;
using testsupport::PumpMessages;

namespace {

// A printer that no system has: the dialog must work without reaching it.
tk::PrinterChoice Unreachable(const std::wstring& device = L"Verdalux No Such Printer") {
  tk::PrinterChoice choice;
  const std::wstring names = std::wstring(4, L'\0') + L"winspool" + L'\0' + device + L'\0' + L"nul:" + L'\0';
  tk::GlobalMemory block(::GlobalAlloc(GMEM_MOVEABLE, names.size() * sizeof(wchar_t)));
  auto* p = static_cast<wchar_t*>(::GlobalLock(block.get()));
  std::copy(names.begin(), names.end(), p);
  auto* dn = reinterpret_cast<DEVNAMES*>(p);
  dn->wDriverOffset = 4;
  dn->wDeviceOffset = static_cast<WORD>(4 + 9);
  dn->wOutputOffset = static_cast<WORD>(4 + 9 + device.size() + 1);
  dn->wDefault = 0;
  ::GlobalUnlock(block.get());
  return *tk::PrinterChoice::FromHandles(block.get(), nullptr);
}

// A picture of one colour.
class Picture {
 public:
  Picture(int32_t w, int32_t h, COLORREF c) {
    newdib(&img, w, h, 24, nullptr, 0);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) {
        uint8_t* px = static_cast<uint8_t*>(img.Bits) + int64_t{y} * img.BytesPerRow + x * 3;
        px[0] = GetBValue(c), px[1] = GetGValue(c), px[2] = GetRValue(c);
      }
  }
  ~Picture() { deldib(img); }
  TDibImage img{};
};

std::wstring Text(HWND h) {
  wchar_t buf[128] = {};
  GetWindowTextW(h, buf, 128);
  return buf;
}

std::wstring RegistryValue(const std::wstring& name) {
  const std::wstring key = L"Software\\" + testsupport::ProgramName() + L"\\TPrintForm";
  wchar_t buf[256] = {};
  DWORD size = sizeof buf;
  if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, buf, &size) !=
      ERROR_SUCCESS)
    return L"<missing>";
  return buf;
}

// Shows the dialog modally and runs `during` from inside its loop; `during`
// ends it (a click on OK or Cancel).
int RunModal(app::TPrintForm& form, std::function<void()> during) {
  PostedCall call(std::move(during));
  return form.ShowModal();
}

// Presses Tab n times through the dialog's own navigation and lists the
// focused windows.
std::vector<HWND> TabWalk(HWND dialog, int n) {
  std::vector<HWND> seen;
  for (int i = 0; i < n; ++i) {
    MSG msg{GetFocus(), WM_KEYDOWN, VK_TAB, 0};
    IsDialogMessageW(dialog, &msg);
    seen.push_back(GetFocus());
  }
  return seen;
}

class PrintFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                            nullptr, nullptr, nullptr);
  }
  void TearDown() override { DestroyWindow(owner); }
  HWND owner = nullptr;
  Picture picture{300, 100, RGB(200, 30, 40)};
};

}  // namespace

TEST_F(PrintFormTest, WindowsAsLaidOut) {
  tk::FormInstance<app::TPrintForm> form(owner, picture.img, Unreachable());
  HWND h = form.Handle();
  EXPECT_EQ(Text(h), L"Print picture...");
  RECT rc;
  GetClientRect(h, &rc);
  EXPECT_EQ(rc.right, 427);
  EXPECT_EQ(rc.bottom, 328);
  const LONG style = GetWindowLongW(h, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_EQ(form.Font().name, L"MS Sans Serif");
  EXPECT_EQ(form.Color(), GetSysColor(COLOR_BTNFACE));

  const struct {
    tk::TWinControl* control;
    tk::TWinControl* parent;
    RECT bounds;  // left, top, width, height
    const wchar_t* text;
  } table[] = {
      {&form.RxLabel1, &form, {16, 0, 50, 13}, L"Preview:"},
      {&form.Panel1, &form, {16, 24, 200, 225}, nullptr},
      {&form.PrintPaintBox, &form.Panel1, {4, 17, 190, 190}, nullptr},
      {&form.GroupBox1, &form, {232, 24, 185, 129}, L"Print size"},
      {&form.UseFullCheck, &form.GroupBox1, {16, 24, 113, 17}, L"Use page fully"},
      {&form.UserdefCheck, &form.GroupBox1, {16, 48, 113, 17}, L"User-defined"},
      {&form.RxLabel2, &form.GroupBox1, {16, 72, 54, 13}, L"Width in %:"},
      {&form.BreitEdit, &form.GroupBox1, {80, 72, 89, 22}, L"50"},
      {&form.RxLabel3, &form.GroupBox1, {16, 96, 53, 13}, L"Height in %:"},
      {&form.HochEdit, &form, {312, 120, 89, 22}, L"50"},
      {&form.GroupBox2, &form, {232, 160, 185, 89}, L"Print options"},
      {&form.SverhCheck, &form.GroupBox2, {8, 24, 169, 17}, L"Maintain aspect ratio"},
      {&form.ZentrCheck, &form.GroupBox2, {8, 48, 161, 17}, L"Centered output"},
      {&form.Bevel1, &form, {0, 264, 427, 16}, nullptr},
      {&form.OkBitBtn1, &form, {29, 296, 89, 25}, L"&OK"},
      {&form.PrintSetupBtn, &form, {125, 296, 177, 25}, L"Setup printer..."},
      {&form.CancelBitBtn2, &form, {309, 296, 89, 25}, L"&Cancel"},
  };
  for (const auto& c : table) {
    HWND w = c.control->Handle();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(GetParent(w), c.parent->Handle()) << c.control->Left() << "," << c.control->Top();
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, c.parent->Handle(), reinterpret_cast<POINT*>(&r), 2);
    const RECT got{r.left, r.top, r.right - r.left, r.bottom - r.top};
    // Labels size themselves to their text in the dialog's font; only where they start is laid out.
    const bool label = dynamic_cast<tk::TLabel*>(c.control) != nullptr;
    EXPECT_EQ(got.left, c.bounds.left) << Text(w).c_str();
    EXPECT_EQ(got.top, c.bounds.top) << Text(w).c_str();
    if (!label) {
      EXPECT_EQ(got.right, c.bounds.right) << c.bounds.left << "," << c.bounds.top;
      EXPECT_EQ(got.bottom, c.bounds.bottom) << c.bounds.left << "," << c.bounds.top;
    }
    if (c.text && !label) {
      EXPECT_EQ(Text(w), c.text);
    }
  }
  EXPECT_EQ(form.RxLabel1.Caption(), L"Preview:");
  EXPECT_EQ(form.RxLabel2.Caption(), L"Width in %:");
  EXPECT_EQ(form.RxLabel3.Caption(), L"Height in %:");
  // HochEdit lines up under BreitEdit inside the group box.
  RECT breit, hoch;
  GetWindowRect(form.BreitEdit.Handle(), &breit);
  GetWindowRect(form.HochEdit.Handle(), &hoch);
  EXPECT_EQ(hoch.left, breit.left);
  EXPECT_EQ(hoch.top - breit.top, 24);

  const app::TPrintForm& f = form;
  EXPECT_TRUE(f.UseFullCheck.Checked());
  EXPECT_FALSE(f.UserdefCheck.Checked());
  EXPECT_TRUE(f.SverhCheck.Checked());
  EXPECT_TRUE(f.ZentrCheck.Checked());
  EXPECT_EQ(f.BreitEdit.MinValue(), 1);
  EXPECT_EQ(f.BreitEdit.MaxValue(), 100);
  EXPECT_EQ(f.HochEdit.MaxValue(), 100);
}

TEST_F(PrintFormTest, TabWalksTheControlsInTheirOrder) {
  tk::FormInstance<app::TPrintForm> form(owner, picture.img, Unreachable());
  const struct {
    bool userDefined;
    std::vector<tk::TWinControl*> order;  // after OK, which has the focus first
  } cases[] = {
      // The percentages are disabled while the page is used fully.
      {false,
       {&form.CancelBitBtn2, &form.PrintSetupBtn, &form.UseFullCheck, &form.SverhCheck, &form.ZentrCheck,
        &form.OkBitBtn1}},
      {true,
       {&form.CancelBitBtn2, &form.PrintSetupBtn, &form.UserdefCheck, &form.BreitEdit, &form.SverhCheck,
        &form.ZentrCheck, &form.HochEdit, &form.OkBitBtn1}},
  };
  for (const auto& c : cases) {
    RunModal(form, [&] {
      if (c.userDefined) testsupport::MouseClick(form.UserdefCheck.Handle());
      form.OkBitBtn1.SetFocus();
      const std::vector<HWND> seen = TabWalk(form.Handle(), static_cast<int>(c.order.size()));
      for (size_t i = 0; i < c.order.size(); ++i)
        EXPECT_EQ(seen[i], c.order[i]->Handle()) << "userDefined " << c.userDefined << " step " << i;
      form.CancelBitBtn2.Click();
    });
  }
}

TEST_F(PrintFormTest, UserDefinedEnablesThePercentages) {
  tk::FormInstance<app::TPrintForm> form(owner, picture.img, Unreachable());
  RunModal(form, [&] {
    EXPECT_FALSE(IsWindowEnabled(form.BreitEdit.Handle()));
    EXPECT_FALSE(IsWindowEnabled(form.HochEdit.Handle()));
    testsupport::MouseClick(form.UserdefCheck.Handle());
    EXPECT_TRUE(form.UserdefCheck.Checked());
    EXPECT_FALSE(form.UseFullCheck.Checked());
    EXPECT_TRUE(IsWindowEnabled(form.BreitEdit.Handle()));
    EXPECT_TRUE(IsWindowEnabled(form.HochEdit.Handle()));
    EXPECT_FALSE(form.Options().useFully);
    testsupport::MouseClick(form.UseFullCheck.Handle());
    EXPECT_FALSE(IsWindowEnabled(form.BreitEdit.Handle()));
    EXPECT_TRUE(form.Options().useFully);
    form.CancelBitBtn2.Click();
  });
}

TEST_F(PrintFormTest, SettingsKeptInTheRegistryAcrossOpenings) {
  const struct {
    bool ok;  // closed with OK, else Cancel: both store
  } closes[] = {{true}, {false}};
  for (const auto& c : closes) {
    testsupport::ForgetStoredSettings(testsupport::ProgramName());
    {
      tk::FormInstance<app::TPrintForm> form(owner, picture.img, Unreachable());
      const int result = RunModal(form, [&] {
        testsupport::MouseClick(form.UserdefCheck.Handle());
        form.SverhCheck.Click();  // a click through the control's own handler
        testsupport::MouseClick(form.SverhCheck.Handle());
        testsupport::MouseClick(form.ZentrCheck.Handle());
        form.BreitEdit.SetText(L"30");
        form.HochEdit.SetText(L"70");
        (c.ok ? form.OkBitBtn1 : form.CancelBitBtn2).Click();
      });
      EXPECT_EQ(result, c.ok ? tk::mrOk : tk::mrCancel);
    }
    EXPECT_EQ(RegistryValue(L"BreitEdit_Value"), L"30") << c.ok;
    EXPECT_EQ(RegistryValue(L"HochEdit_Value"), L"70");
    EXPECT_EQ(RegistryValue(L"UserdefCheck_Checked"), L"True");
    EXPECT_EQ(RegistryValue(L"UseFullCheck_Checked"), L"False");
    EXPECT_EQ(RegistryValue(L"SverhCheck_Checked"), L"False");
    EXPECT_EQ(RegistryValue(L"ZentrCheck_Checked"), L"False");
    EXPECT_EQ(RegistryValue(L"ShowCmd"), L"1");
    EXPECT_EQ(RegistryValue(L"FormVersion"), L"0");

    tk::FormInstance<app::TPrintForm> again(owner, picture.img, Unreachable());
    RunModal(again, [&] {
      EXPECT_EQ(again.BreitEdit.Value(), 30);
      EXPECT_EQ(again.HochEdit.Value(), 70);
      EXPECT_TRUE(again.UserdefCheck.Checked());
      EXPECT_FALSE(again.UseFullCheck.Checked());
      EXPECT_TRUE(IsWindowEnabled(again.BreitEdit.Handle()));
      EXPECT_FALSE(again.SverhCheck.Checked());
      EXPECT_FALSE(again.ZentrCheck.Checked());
      again.CancelBitBtn2.Click();
    });
  }
}

TEST_F(PrintFormTest, HandEditedChoicesStillChooseOneSize) {
  const struct {
    const wchar_t* useFully;
    const wchar_t* userDefined;
    const wchar_t* percent;
    bool expectUserDefined;
    double expectPercent;
  } cases[] = {
      {L"True", L"True", L"250", true, 100},  // both: User-defined wins; the edit clamps
      {L"False", L"False", L"x", false, 50},   // neither: the page is used fully; not a number changes nothing
      {L"yes", L"False", L"7", false, 7},      // not a Boolean: the layout's choice stays
  };
  const std::wstring key = L"Software\\" + testsupport::ProgramName() + L"\\TPrintForm";
  for (const auto& c : cases) {
    testsupport::ForgetStoredSettings(testsupport::ProgramName());
    for (auto [name, value] : {std::pair{L"UseFullCheck_Checked", c.useFully},
                               std::pair{L"UserdefCheck_Checked", c.userDefined},
                               std::pair{L"BreitEdit_Value", c.percent}})
      ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, REG_SZ, value,
                                static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t))),
                ERROR_SUCCESS);
    tk::FormInstance<app::TPrintForm> form(owner, picture.img, Unreachable());
    RunModal(form, [&] {
      EXPECT_EQ(form.UserdefCheck.Checked(), c.expectUserDefined) << c.useFully << c.userDefined;
      EXPECT_NE(form.UseFullCheck.Checked(), form.UserdefCheck.Checked());
      EXPECT_EQ(IsWindowEnabled(form.BreitEdit.Handle()) != FALSE, c.expectUserDefined);
      EXPECT_EQ(form.BreitEdit.Value(), c.expectPercent) << c.percent;
      form.CancelBitBtn2.Click();
    });
  }
}

TEST_F(PrintFormTest, PrinterSetupStartsFromTheChoiceAndKeepsTheAnswer) {
  testsupport::ScopedRecorder recorder;
  recorder.printerSetupAnswers.push_back(Unreachable(L"Verdalux Other Printer"));
  recorder.printerSetupAnswers.push_back(std::nullopt);  // cancelled: the choice stays
  tk::FormInstance<app::TPrintForm> form(owner, picture.img, Unreachable());
  RunModal(form, [&] {
    testsupport::MouseClick(form.PrintSetupBtn.Handle());
    testsupport::MouseClick(form.PrintSetupBtn.Handle());
    form.OkBitBtn1.Click();
  });
  ASSERT_EQ(recorder.printerSetups.size(), 2u);
  EXPECT_EQ(recorder.printerSetups[0].owner, form.Handle());
  ASSERT_NE(recorder.printerSetups[0].current, nullptr);
  EXPECT_EQ(form.Printer().Device(), L"Verdalux Other Printer");
}

TEST_F(PrintFormTest, AnUnreachablePrinterShowsNoPage) {
  tk::FormInstance<app::TPrintForm> form(owner, picture.img, Unreachable());
  RunModal(form, [&] {
    EXPECT_FALSE(form.Page().has_value());
    EXPECT_EQ(form.Preview().page.width, 0);
    // Nothing follows without a page to measure by: the percentages stay as typed.
    testsupport::MouseClick(form.UserdefCheck.Handle());
    form.BreitEdit.SetText(L"40");
    EXPECT_EQ(form.HochEdit.Value(), 50);
    form.PrintPaintBox.Repaint();
    const auto snap = testsupport::CaptureClient(form.PrintPaintBox.Handle());
    int white = 0;
    for (uint32_t px : snap.pixels) white += px == 0xFFFFFF;
    EXPECT_EQ(white, 0) << "no sheet is drawn";
    form.CancelBitBtn2.Click();
  });
}

namespace {

// The queue the test run provides; without it these tests cannot look at a page.
std::optional<tk::PrinterChoice> TestPrinter() {
  auto printer = tk::PrinterChoice::Default();
  EXPECT_TRUE(printer.has_value()) << "no printer: the test run's private print queue is missing";
  return printer;
}

struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // right and bottom exclusive
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// Where pixels of colour c are in a snapshot.
Box BoundsOf(const testsupport::Snapshot& snap, COLORREF c) {
  Box b;
  for (int y = 0; y < snap.height; ++y)
    for (int x = 0; x < snap.width; ++x)
      if (snap.At(x, y) == c) {
        b.left = std::min(b.left, x), b.top = std::min(b.top, y);
        b.right = std::max(b.right, x + 1), b.bottom = std::max(b.bottom, y + 1);
      }
  return b;
}

}  // namespace

TEST_F(PrintFormTest, PreviewShowsThePictureWhereItWillPrint) {
  const auto printer = TestPrinter();
  ASSERT_TRUE(printer);
  const COLORREF red = RGB(200, 30, 40);
  const struct {
    bool userDefined, aspect, centred;
  } cases[] = {
      {false, true, true}, {false, true, false}, {false, false, true},
      {true, true, true},  {true, false, true},  {true, false, false},
  };
  for (const auto& c : cases) {
    testsupport::ForgetStoredSettings(testsupport::ProgramName());
    tk::FormInstance<app::TPrintForm> form(owner, picture.img, *printer);
    RunModal(form, [&] {
      if (c.userDefined) testsupport::MouseClick(form.UserdefCheck.Handle());
      if (!c.aspect) testsupport::MouseClick(form.SverhCheck.Handle());
      if (!c.centred) testsupport::MouseClick(form.ZentrCheck.Handle());
      form.BreitEdit.SetText(L"50");
      form.HochEdit.SetText(L"30");
      form.PrintPaintBox.Repaint();
      const auto snap = testsupport::CaptureClient(form.PrintPaintBox.Handle());
      const Box pic = BoundsOf(snap, red);
      const core::PrintRect area = form.Preview().printable;
      const std::string what = "user " + std::to_string(c.userDefined) + " aspect " + std::to_string(c.aspect) +
                               " centred " + std::to_string(c.centred);
      ASSERT_GT(pic.Width(), 0) << what;
      // The sheet is white inside its frame, outside the printable area.
      const core::PrintRect sheet = form.Preview().page;
      EXPECT_EQ(snap.At(sheet.x + 1, sheet.y + 1), RGB(255, 255, 255)) << what;
      EXPECT_GE(pic.left, area.x) << what;
      EXPECT_LE(pic.right, area.x + area.width) << what;
      // The box the picture may fill: the area, or the percentages of it
      // (while the aspect is kept, the one typed last set the other).
      const double boxW = c.userDefined ? area.width * form.BreitEdit.Value() / 100.0 : area.width;
      const double boxH = c.userDefined ? area.height * form.HochEdit.Value() / 100.0 : area.height;
      if (c.aspect) {
        // The largest 300 x 100 shape inside the box.
        const double scale = std::min(boxW / 300.0, boxH / 100.0);
        EXPECT_NEAR(pic.Width(), 300 * scale, 1.5) << what;
        EXPECT_NEAR(pic.Height(), 100 * scale, 1.5) << what;
      } else {
        EXPECT_NEAR(pic.Width(), boxW, 1.5) << what;
        EXPECT_NEAR(pic.Height(), boxH, 1.5) << what;
      }
      if (c.centred) {
        EXPECT_NEAR(pic.left - area.x, area.x + area.width - pic.right, 1.5) << what;
        EXPECT_NEAR(pic.top - area.y, area.y + area.height - pic.bottom, 1.5) << what;
      } else {
        EXPECT_EQ(pic.left, area.x) << what;
        EXPECT_EQ(pic.top, area.y) << what;
      }
      form.CancelBitBtn2.Click();
    });
  }
}

TEST_F(PrintFormTest, TheOtherPercentageFollowsWhileTheAspectIsKept) {
  const auto printer = TestPrinter();
  ASSERT_TRUE(printer);
  tk::FormInstance<app::TPrintForm> form(owner, picture.img, *printer);
  RunModal(form, [&] {
    ASSERT_TRUE(form.Page());
    const core::PageGeometry page = *form.Page();
    // The same shape on the page: width% * areaW / 300 == height% * areaH / 100.
    const double heightPerWidth = double(page.printableWidth) / (3.0 * page.printableHeight);
    testsupport::MouseClick(form.UserdefCheck.Handle());
    for (int width : {50, 90, 20}) {
      form.BreitEdit.SetText(std::to_wstring(width));
      EXPECT_NEAR(form.HochEdit.Value(), width * heightPerWidth, 0.5 + 1e-9) << width;
    }
    form.HochEdit.SetText(L"10");
    EXPECT_NEAR(form.BreitEdit.Value(), 10 / heightPerWidth, 0.5 + 1e-9);
    // Without the aspect each percentage is its own.
    testsupport::MouseClick(form.SverhCheck.Handle());
    form.BreitEdit.SetText(L"64");
    EXPECT_EQ(form.HochEdit.Value(), 10);
    form.CancelBitBtn2.Click();
  });
}
