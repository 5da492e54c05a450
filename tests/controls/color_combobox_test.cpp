// The colour combo box as the user and the program drive it: property writes,
// keyboard selection, the colour dialog, and the pixels of drawn entries.
#include <windows.h>
#include <commdlg.h>

#include <memory>

#include <gtest/gtest.h>

#include "controls/corvix_color_combobox.h"
#include "tests/support/modal_recorder.h"
#include "tests/support/pixels.h"
#include "toolkit/form.h"
#include "toolkit/handles.h"

using namespace controls;
using testsupport::DibCanvas;

namespace {

class ColorComboTest : public testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<tk::TForm>(L"ColorComboTestForm", L"colour combo", 400, 200, tk::TFont{});
    combo = std::make_unique<TCorvixColorComboBox>(form.get());
    combo->SetBounds(10, 10, 209, 22);
    combo->OnChange = [this] { ++changes; };
  }
  void TearDown() override {
    combo.reset();
    form.reset();
  }

  // A key the user presses on the closed list.
  void Key(WPARAM vk) { ::SendMessageW(combo->Handle(), WM_KEYDOWN, vk, 1); }

  // Asks the control to draw one entry into a canvas, as the list would.
  void DrawEntry(DibCanvas& canvas, int index, RECT rect, UINT state = 0) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_COMBOBOX;
    dis.CtlID = static_cast<UINT>(::GetDlgCtrlID(combo->Handle()));
    dis.itemID = static_cast<UINT>(index);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hwndItem = combo->Handle();
    dis.hDC = canvas.dc();
    dis.rcItem = rect;
    ::SendMessageW(form->Handle(), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
  }

  std::unique_ptr<tk::TForm> form;
  std::unique_ptr<TCorvixColorComboBox> combo;
  int changes = 0;
};

TEST_F(ColorComboTest, StartsBlackWithSeventeenEntriesNamedByColourText) {
  EXPECT_EQ(combo->ItemCount(), 17);
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(combo->ColorValue(), clBlack);
  EXPECT_EQ(combo->HTMLcolor(), L"#000000");
  EXPECT_EQ(combo->Language(), TCLanguage::lgEnglish);
  EXPECT_EQ(combo->Item(9), L"clRed");
  EXPECT_EQ(combo->Item(16), L"clWhite");
  EXPECT_EQ(TCorvixColorComboBox(form.get()).Width(), 120);
}

TEST_F(ColorComboTest, HtmlTextSetsValueAndSelection) {
  combo->SetHTMLcolor(L"#ff0000");
  EXPECT_EQ(combo->ColorValue(), clRed);
  EXPECT_EQ(combo->ItemIndex(), 9);
  EXPECT_EQ(combo->HTMLcolor(), L"#FF0000");

  combo->SetHTMLcolor(L"");
  EXPECT_EQ(combo->HTMLcolor(), L"#000000");
  EXPECT_EQ(combo->ColorValue(), clBlack);
  EXPECT_EQ(combo->ItemIndex(), 0);

  combo->SetHTMLcolor(L"#00FF00");
  combo->SetHTMLcolor(L"#GG0000");  // not hex: nothing changes
  EXPECT_EQ(combo->ColorValue(), clLime);
  EXPECT_EQ(combo->HTMLcolor(), L"#00FF00");
  EXPECT_EQ(combo->ItemIndex(), 10);

  // A short text keeps its own form; the colour lands in the custom entry.
  combo->SetHTMLcolor(L"#fff");
  EXPECT_EQ(combo->ColorValue(), TColor{0x00000FFF});
  EXPECT_EQ(combo->HTMLcolor(), L"#FFF");
  EXPECT_EQ(combo->ItemIndex(), 16);
  EXPECT_EQ(combo->Item(16), L"$00000FFF");

  combo->SetHTMLcolor(L"FF0000");  // without "#": the digits shift by one
  EXPECT_EQ(combo->ColorValue(), TColor{0x000000F0});
  EXPECT_EQ(combo->HTMLcolor(), L"FF0000");
  EXPECT_EQ(changes, 0);  // writes from code are not user changes
}

TEST_F(ColorComboTest, ColorValueSelectsFixedEntryOrCustomEntry) {
  combo->SetColorValue(clWhite);
  EXPECT_EQ(combo->ItemIndex(), 15);  // the fixed white, not "More..."
  EXPECT_EQ(combo->HTMLcolor(), L"#FFFFFF");

  combo->SetColorValue(0x00123456);
  EXPECT_EQ(combo->ItemIndex(), 16);
  EXPECT_EQ(combo->Item(16), L"$00123456");
  EXPECT_EQ(combo->HTMLcolor(), L"#563412");
  EXPECT_EQ(combo->ItemCount(), 17);

  // A system colour code ends as that colour's current value.
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  combo->SetColorValue(SystemColor(COLOR_BTNFACE));
  EXPECT_EQ(combo->ColorValue(), static_cast<TColor>(face));
  EXPECT_EQ(combo->HTMLcolor(), ColorToHTML(static_cast<TColor>(face)));
  int expected = 16;
  for (int i = 0; i < 16; ++i)
    if (StandardColors[i] == static_cast<TColor>(face)) expected = i;
  EXPECT_EQ(combo->ItemIndex(), expected);
  EXPECT_EQ(changes, 0);
}

TEST_F(ColorComboTest, LanguageSwitchKeepsColourAndSelection) {
  combo->SetColorValue(0x00123456);
  combo->SetLanguage(TCLanguage::lgFrensh);
  EXPECT_EQ(combo->Language(), TCLanguage::lgFrensh);
  EXPECT_EQ(combo->ColorValue(), TColor{0x00123456});
  EXPECT_EQ(combo->HTMLcolor(), L"#563412");
  EXPECT_EQ(combo->ItemIndex(), 16);
  EXPECT_EQ(changes, 0);
}

TEST_F(ColorComboTest, WithoutItsWindowNothingChanges) {
  combo->SetColorValue(clRed);
  ::DestroyWindow(combo->Handle());
  combo->SetColorValue(0x00123456);
  combo->SetHTMLcolor(L"#00FF00");
  EXPECT_EQ(combo->ColorValue(), clRed);
  EXPECT_EQ(combo->HTMLcolor(), L"#FF0000");
}

TEST_F(ColorComboTest, KeyboardSelectionWritesTableColourAndRaisesChange) {
  Key(VK_DOWN);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->ColorValue(), clMaroon);
  EXPECT_EQ(combo->HTMLcolor(), L"#800000");
  EXPECT_EQ(changes, 1);
}

TEST_F(ColorComboTest, MoreEntryCancelledKeepsColourButRaisesChange) {
  testsupport::ScopedRecorder rec;  // answers "cancelled"
  combo->SetColorValue(clWhite);
  Key(VK_DOWN);  // from 15 to "More..."
  ASSERT_EQ(rec.colorRequests.size(), 1u);
  EXPECT_EQ(rec.colorRequests[0].owner, combo->Handle());
  EXPECT_EQ(rec.colorRequests[0].initial, RGB(255, 255, 255));
  EXPECT_EQ(rec.colorRequests[0].flags, static_cast<DWORD>(CC_FULLOPEN | CC_RGBINIT));
  EXPECT_EQ(combo->ColorValue(), clWhite);
  EXPECT_EQ(combo->HTMLcolor(), L"#FFFFFF");
  EXPECT_EQ(combo->ItemIndex(), 16);
  EXPECT_EQ(changes, 1);
}

TEST_F(ColorComboTest, MoreEntryConfirmedWritesPickedColour) {
  testsupport::ScopedRecorder rec;
  rec.colorAnswers = {RGB(255, 0, 0), RGB(0x56, 0x34, 0x12)};
  combo->SetColorValue(clWhite);
  Key(VK_END);
  EXPECT_EQ(combo->ColorValue(), clRed);
  EXPECT_EQ(combo->ItemIndex(), 9);  // pure red is a fixed entry
  EXPECT_EQ(changes, 1);

  Key(VK_END);
  ASSERT_EQ(rec.colorRequests.size(), 2u);
  EXPECT_EQ(rec.colorRequests[1].initial, RGB(255, 0, 0));
  EXPECT_EQ(combo->ColorValue(), TColor{0x00123456});
  EXPECT_EQ(combo->ItemIndex(), 16);
  EXPECT_EQ(combo->HTMLcolor(), L"#563412");
  EXPECT_EQ(changes, 2);
}

// Pixels of one entry: background, swatch with black outline ending at x = 23
// (its right edge is the absolute x = 24), caption from left + 30.
void ExpectEntryGeometry(const DibCanvas& c, int left, COLORREF background, COLORREF swatch, int height) {
  const COLORREF black = RGB(0, 0, 0);
  const int sl = left + 4, sr = 24;  // outline columns sl and sr - 1
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < left + 30; ++x) {
      const bool inSwatch = x >= sl && x < sr && y >= 1 && y < height - 1;
      const bool outline = inSwatch && (x == sl || x == sr - 1 || y == 1 || y == height - 2);
      const COLORREF want = !inSwatch ? background : outline ? black : swatch;
      ASSERT_EQ(c.At(x, y), want) << "x=" << x << " y=" << y;
    }
  }
  int ink = 0;
  for (int y = 0; y < height; ++y)
    for (int x = left + 30; x < c.width(); ++x) ink += c.At(x, y) != background;
  EXPECT_GT(ink, 10) << "caption drawn";
}

TEST_F(ColorComboTest, DrawsSwatchOutlineAndCaptionAtFixedPositions) {
  const COLORREF window = ::GetSysColor(COLOR_WINDOW), highlight = ::GetSysColor(COLOR_HIGHLIGHT);
  {
    DibCanvas c(160, 16, RGB(1, 2, 3));
    DrawEntry(c, 9, {0, 0, 160, 16});
    ExpectEntryGeometry(c, 0, window, RGB(255, 0, 0), 16);
  }
  {
    // A rectangle further right: the swatch still ends at x = 24.
    DibCanvas c(160, 16, RGB(1, 2, 3));
    DrawEntry(c, 12, {10, 0, 160, 16}, ODS_SELECTED);
    for (int x = 0; x < 10; ++x) ASSERT_EQ(c.At(x, 5), RGB(1, 2, 3)) << "outside the item";
    const COLORREF black = RGB(0, 0, 0);
    EXPECT_EQ(c.At(14, 5), black);
    EXPECT_EQ(c.At(23, 5), black);
    EXPECT_EQ(c.At(18, 5), RGB(0, 0, 255));
    EXPECT_EQ(c.At(24, 5), highlight);
    EXPECT_EQ(c.At(39, 0), highlight);
  }
  {
    // "More..." shows the current colour, not its table white.
    combo->SetColorValue(0x00123456);
    DibCanvas c(160, 16);
    DrawEntry(c, 16, {0, 0, 160, 16});
    ExpectEntryGeometry(c, 0, window, RGB(0x56, 0x34, 0x12), 16);
  }
}

// The caption pixels of one entry, drawn by the control, against the same text
// drawn directly with the control's font.
bool CaptionLooksLike(DibCanvas& drawn, const std::wstring& text, HFONT font) {
  DibCanvas ref(drawn.width(), drawn.height());
  {
    tk::SelectedObject f(ref.dc(), font);
    ::SetBkColor(ref.dc(), ::GetSysColor(COLOR_WINDOW));
    ::SetTextColor(ref.dc(), ::GetSysColor(COLOR_WINDOWTEXT));
    tk::GdiBrush b(::CreateSolidBrush(::GetSysColor(COLOR_WINDOW)));
    RECT all{0, 0, ref.width(), ref.height()};
    ::FillRect(ref.dc(), &all, b.get());
    RECT r{30, 0, ref.width(), ref.height()};
    ::DrawTextW(ref.dc(), text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  for (int y = 0; y < drawn.height(); ++y)
    for (int x = 30; x < drawn.width(); ++x)
      if (drawn.At(x, y) != ref.At(x, y)) return false;
  return true;
}

TEST_F(ColorComboTest, CaptionsFollowTheLanguage) {
  const HFONT font = tk::FontHandle(combo->Font());
  auto draw = [&](int index) {
    auto c = std::make_unique<DibCanvas>(140, 16);
    DrawEntry(*c, index, {0, 0, 140, 16});
    return c;
  };
  EXPECT_TRUE(CaptionLooksLike(*draw(2), L"Green", font));
  EXPECT_TRUE(CaptionLooksLike(*draw(10), L"Lime", font));
  EXPECT_FALSE(CaptionLooksLike(*draw(10), L"Vert", font));

  combo->SetLanguage(TCLanguage::lgFrensh);
  EXPECT_TRUE(CaptionLooksLike(*draw(2), L"Vert", font));
  EXPECT_TRUE(CaptionLooksLike(*draw(10), L"Vert", font));
  EXPECT_TRUE(CaptionLooksLike(*draw(16), L"Autres....", font));
  EXPECT_TRUE(CaptionLooksLike(*draw(1), L"Rouge fonc\u00E9", font));

  combo->SetLanguage(TCLanguage::lgDeutsch);
  EXPECT_TRUE(CaptionLooksLike(*draw(15), L"Wei\u00DF", font));
  EXPECT_TRUE(CaptionLooksLike(*draw(16), L"Mehr...", font));
}

TEST_F(ColorComboTest, ClosedBoxShowsTheSwatchOnScreen) {
  form->Show();
  combo->SetColorValue(clRed);
  combo->Repaint();
  testsupport::PumpMessages();
  const auto shot = testsupport::CaptureClient(combo->Handle());
  ASSERT_GT(shot.height, 10);
  const int y = shot.height / 2;
  // Red fills the swatch up to its black outline at x = 23, and nothing beyond.
  EXPECT_EQ(shot.At(23, y), RGB(0, 0, 0));
  EXPECT_EQ(shot.At(22, y), RGB(255, 0, 0));
  EXPECT_EQ(shot.At(12, y), RGB(255, 0, 0));
  EXPECT_EQ(shot.CountInRow(y, 24, shot.width, RGB(255, 0, 0)), 0);
}

}  // namespace
