// The main window's stored settings in the program's INI file, named after
// this test executable and placed in the prefix's Windows folder by the real
// profile functions: what a confirmed quit writes, what the next start shows,
// and what a hand-edited or broken file does.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "app/main_form.h"
#include "core/placement_text.h"
#include "tests/support/files.h"
#include "tests/support/modal_recorder.h"
#include "tests/support/pixels.h"
#include "tests/support/stored_settings.h"

using testsupport::IniValue;
using testsupport::PumpMessages;

namespace {

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

class MainSettingsTest : public ::testing::Test {
 protected:
  std::wstring IniPath() const { return testsupport::WindowsFolderPath(IniName()); }
  std::wstring IniName() const { return testsupport::ProgramName() + L".INI"; }
  testsupport::IniLines Section() const { return testsupport::IniSection(IniPath(), "TMainForm"); }
  void WriteIni(const std::string& lines) const {
    ASSERT_TRUE(testsupport::WriteBytes(IniPath(), "[TMainForm]\r\n" + lines));
  }

  // A start of the program's main window.
  void Start() {
    form = std::make_unique<app::TMainForm>();
    form->Show();
    PumpMessages();
  }
  // Closes it as a user would; the quit question gets `answer`.
  void Quit(int answer = IDOK) {
    rec.messageAnswers.push_back(answer);
    SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    PumpMessages();
    if (form->Closed()) form.reset();
  }
  RECT WindowRect() const {
    RECT r{};
    GetWindowRect(form->Handle(), &r);
    return r;
  }
  static int PixelsPerInch() {
    HDC dc = GetDC(nullptr);
    const int ppi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return ppi;
  }
  static std::string ScreenKey(const wchar_t* key) {
    return Narrow(core::ScreenSizeKey(key, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
  }

  testsupport::ScopedRecorder rec;
  std::unique_ptr<app::TMainForm> form;
};

}  // namespace

TEST_F(MainSettingsTest, AFirstStartShowsTheLayoutAndAConfirmedQuitWritesTheWholeSection) {
  ASSERT_FALSE(testsupport::Exists(IniPath()));
  Start();
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const RECT r = WindowRect();
  EXPECT_EQ(r.left, work.left + (work.right - work.left - (r.right - r.left)) / 2) << "centred";
  EXPECT_TRUE(form->RandCheck.Checked());
  for (tk::TRxSpinEdit* e : {&form->randl, &form->rando, &form->randr, &form->randu}) EXPECT_EQ(e->Value(), 5);
  EXPECT_EQ(form->CorvixColorComboBox1.ColorValue(), 0xFFFFFF);

  WINDOWPLACEMENT wp{sizeof wp};
  GetWindowPlacement(form->Handle(), &wp);

  Quit(IDOK);
  ASSERT_EQ(form, nullptr) << "OK closes the window";
  ASSERT_EQ(rec.messages.size(), 1u) << "only the quit question";
  const std::string norm = Narrow(core::FormatPosition(r.left, r.top, r.right, r.bottom));
  const std::string minMax = Narrow(core::FormatPosition(wp.ptMinPosition.x, wp.ptMinPosition.y,
                                                         wp.ptMaxPosition.x, wp.ptMaxPosition.y));
  const testsupport::IniLines expected{
      {"FormVersion", "0"},
      {"Flags", "0"},
      {"ShowCmd", "1"},
      {"PixelsPerInch", std::to_string(PixelsPerInch())},
      {ScreenKey(L"MinMaxPos"), minMax},
      {"MinMaxPos", minMax},
      {ScreenKey(L"NormPos"), norm},
      {"NormPos", norm},
      {"Visible", "0"},
      {"RandCheck_Checked", "True"},
      {"CorvixColorComboBox1_ColorValue", "16777215"},
      {"randl_Value", "5"},
      {"rando_Value", "5"},
      {"randr_Value", "5"},
      {"randu_Value", "5"},
  };
  EXPECT_EQ(Section(), expected);
}

TEST_F(MainSettingsTest, CancelOnTheQuitQuestionWritesNothingAndTheWindowStaysUntilDestroyed) {
  Start();
  Quit(IDCANCEL);
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_FALSE(testsupport::Exists(IniPath()));
  // Destroyed without the question (the program ending otherwise), it saves
  // from the destroy event, which the stored visibility tells.
  form.reset();
  EXPECT_EQ(IniValue(Section(), "Visible"), "1");
  EXPECT_EQ(IniValue(Section(), "randl_Value"), "5");
}

TEST_F(MainSettingsTest, AChangedBorderAndAMovedWindowComeBackOnTheNextStart) {
  Start();
  form->RandCheck.SetChecked(false);
  form->randl.SetValue(12);
  form->rando.SetValue(0);
  form->randr.SetValue(100);
  form->randu.SetValue(250);
  form->CorvixColorComboBox1.SetColorValue(0x00CC6633);
  SetWindowPos(form->Handle(), nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  const RECT moved = WindowRect();
  Quit(IDOK);
  ASSERT_EQ(form, nullptr);
  EXPECT_EQ(IniValue(Section(), "RandCheck_Checked"), "False");
  EXPECT_EQ(IniValue(Section(), "CorvixColorComboBox1_ColorValue"), std::to_string(0x00CC6633));
  EXPECT_EQ(IniValue(Section(), "randu_Value"), "250");

  Start();
  EXPECT_FALSE(form->RandCheck.Checked());
  EXPECT_EQ(form->randl.Value(), 12);
  EXPECT_EQ(form->rando.Value(), 0);
  EXPECT_EQ(form->randr.Value(), 100);
  EXPECT_EQ(form->randu.Value(), 250);
  EXPECT_EQ(form->CorvixColorComboBox1.ColorValue(), 0x00CC6633);
  const RECT again = WindowRect();
  EXPECT_EQ(again.left, 40);
  EXPECT_EQ(again.top, 30);
  EXPECT_EQ(again.right - again.left, moved.right - moved.left);
  EXPECT_EQ(again.bottom - again.top, moved.bottom - moved.top);
  EXPECT_FALSE(IsZoomed(form->Handle()));
}

TEST_F(MainSettingsTest, ClosedMaximizedItOpensMaximizedClosedMinimizedItOpensNormalThenMinimizes) {
  Start();
  const RECT normal = WindowRect();
  ShowWindow(form->Handle(), SW_MAXIMIZE);
  Quit(IDOK);
  EXPECT_EQ(IniValue(Section(), "ShowCmd"), "3");
  EXPECT_EQ(IniValue(Section(), "NormPos"), Narrow(core::FormatPosition(normal.left, normal.top, normal.right,
                                                                        normal.bottom)))
      << "the normal rectangle, not the maximized one";
  Start();
  EXPECT_TRUE(IsZoomed(form->Handle()));

  ShowWindow(form->Handle(), SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(form->Handle()));
  Quit(IDOK);
  EXPECT_EQ(IniValue(Section(), "ShowCmd"), "2");
  form = std::make_unique<app::TMainForm>();
  form->Show();
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_FALSE(IsIconic(form->Handle())) << "it appears normal first";
  PumpMessages();
  EXPECT_TRUE(IsIconic(form->Handle())) << "and the posted minimize command follows";
}

TEST_F(MainSettingsTest, APositionForThisScreenSizeComesFirstAndThePlainOneServesAnyOther) {
  const std::string ppi = "PixelsPerInch=" + std::to_string(PixelsPerInch()) + "\r\n";
  WriteIni(ppi + "NormPos(123x45)=300,300,938,812\r\nNormPos=100,80,738,592\r\n");
  Start();
  EXPECT_EQ(WindowRect().left, 100);
  EXPECT_EQ(WindowRect().top, 80);
  form.reset();

  WriteIni(ppi + ScreenKey(L"NormPos") + "=210,150,848,662\r\nNormPos=100,80,738,592\r\n");
  Start();
  EXPECT_EQ(WindowRect().left, 210);
  EXPECT_EQ(WindowRect().top, 150);
}

TEST_F(MainSettingsTest, AnotherPixelsPerInchSettingKeepsThePositionButNotTheState) {
  Start();
  const RECT centred = WindowRect();
  form.reset();
  WriteIni("PixelsPerInch=" + std::to_string(PixelsPerInch() + 24) + "\r\nNormPos=10,10,300,300\r\nShowCmd=3\r\n");
  Start();
  EXPECT_TRUE(IsZoomed(form->Handle()));
  WINDOWPLACEMENT wp{sizeof wp};
  GetWindowPlacement(form->Handle(), &wp);
  EXPECT_EQ(wp.rcNormalPosition.left, centred.left);
  EXPECT_EQ(wp.rcNormalPosition.right - wp.rcNormalPosition.left, centred.right - centred.left);
}

TEST_F(MainSettingsTest, HandEditedValuesGoThroughTheControlsOwnSetters) {
  // The test prefix's locale has "." as its decimal separator.
  WriteIni(
      "RandCheck_Checked=false\r\n"
      "CorvixColorComboBox1_ColorValue=white\r\n"
      "randl_Value=7,5\r\n"
      "rando_Value=7.5\r\n"
      "randr_Value=250\r\n"
      "randu_Value=  5000  \r\n");
  Start();
  EXPECT_FALSE(form->RandCheck.Checked()) << "identifiers in any case";
  EXPECT_EQ(form->CorvixColorComboBox1.ColorValue(), 0) << "no number: black";
  EXPECT_EQ(form->randl.Value(), 5) << "a comma does not parse here";
  EXPECT_EQ(form->rando.Value(), 8) << "7.5 rounds to the even neighbour";
  EXPECT_EQ(form->randr.Value(), 100) << "limited to the control's range";
  EXPECT_EQ(form->randu.Value(), 1000) << "the bottom edge goes up to 1000";
  form.reset();

  WriteIni("RandCheck_Checked=0\r\nrandl_Value=\r\nrando_Value=1e1\r\nCorvixColorComboBox1_ColorValue= 65280 \r\n");
  Start();
  EXPECT_TRUE(form->RandCheck.Checked()) << "0 is no identifier";
  EXPECT_EQ(form->randl.Value(), 5) << "an empty value leaves the control";
  EXPECT_EQ(form->rando.Value(), 10);
  EXPECT_EQ(form->CorvixColorComboBox1.ColorValue(), 0x00FF00);
}

TEST_F(MainSettingsTest, OnALocaleWithACommaBothSeparatorsRead) {
  wchar_t before[8] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, before, 8);
  if (!SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L",")) GTEST_SKIP() << "the locale cannot be changed";
  struct Restore {
    std::wstring separator;
    ~Restore() { SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator.c_str()); }
  } restore{before};
  wchar_t now[8] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, now, 8);
  if (std::wstring(now) != L",") GTEST_SKIP() << "the changed separator does not show";

  WriteIni("randl_Value=7,5\r\nrando_Value=6.5\r\nrandr_Value=3.25\r\n");
  Start();
  EXPECT_EQ(form->randl.Value(), 8);
  EXPECT_EQ(form->rando.Value(), 6);
  EXPECT_EQ(form->randr.Value(), 3);
  form->randu.SetValue(42);
  Quit(IDOK);
  EXPECT_EQ(IniValue(Section(), "randu_Value"), "42");
}

TEST_F(MainSettingsTest, AnIniFileThatCannotBeWrittenIsReportedAndTheWindowStillCloses) {
  // A folder in the file's place: no write opens it, whoever runs the test.
  ASSERT_TRUE(CreateDirectoryW(IniPath().c_str(), nullptr));
  Start();
  ASSERT_TRUE(rec.messages.empty()) << "reading a store that is not there is no failure";
  rec.messageAnswers.push_back(IDOK);
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(form->Closed()) << "the close goes on";
  ASSERT_EQ(rec.messages.size(), 3u) << "the question, the failed save, the save tried again as the window went";
  const std::wstring text = L"nach " + IniName() + L" kann nicht geschrieben werden";
  for (size_t i : {1, 2}) {
    EXPECT_EQ(rec.messages[i].text, text);
    EXPECT_EQ(rec.messages[i].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
  }
  form.reset();
  EXPECT_EQ(rec.messages.size(), 3u);
  RemoveDirectoryW(IniPath().c_str());
}

TEST_F(MainSettingsTest, TenMegabytesOfJunkLeaveValidControls) {
  std::string junk(10u << 20, '\0');
  uint32_t x = 12345;
  for (char& c : junk) {
    x = x * 1103515245u + 12345u;
    c = static_cast<char>((x >> 16) % 5 == 0 ? 0 : x >> 24);
  }
  // No byte-order mark, so the profile functions read the file as ANSI text.
  junk[0] = 'J';
  junk[1] = 'K';
  // The section, early in the file, with values that are no values; and the
  // same section again further on, which the profile functions pass over.
  const std::string pieces[] = {
      std::string("\r\n[TMainForm]\r\nrandl_Value=\xFF\xFE") + "9e99999\r\nrandu_Value=" + std::string(100000, '9') +
          "\r\nRandCheck_Checked=\"True\r\nNormPos=-2147483648,x,2147483647,\x01\r\nShowCmd=3" + std::string(1, '\0') +
          "\r\n",
      "\n[tmainform]\nrando_Value=1\n"};
  size_t at = 1000;
  for (const std::string& p : pieces) {
    junk.replace(at, p.size(), p);
    at += 5u << 20;
  }
  ASSERT_TRUE(testsupport::WriteBytes(IniPath(), junk));
  Start();
  ASSERT_NE(form->Handle(), nullptr);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_TRUE(IsZoomed(form->Handle())) << "the section was found and read";
  for (tk::TRxSpinEdit* e : {&form->randl, &form->rando, &form->randr})
    EXPECT_TRUE(e->Value() >= 0 && e->Value() <= 100) << e->Value();
  EXPECT_EQ(form->randl.Value(), 5) << "no number";
  EXPECT_EQ(form->randu.Value(), 5) << "a number beyond any float";
  EXPECT_TRUE(form->RandCheck.Checked()) << "no identifier";
  WINDOWPLACEMENT wp{sizeof wp};
  GetWindowPlacement(form->Handle(), &wp);
  EXPECT_GT(wp.rcNormalPosition.right, wp.rcNormalPosition.left);
  EXPECT_TRUE(rec.messages.empty());
  DeleteFileW(IniPath().c_str());
  Quit(IDOK);
  EXPECT_EQ(form, nullptr);
}
