// The colour combo box as the user and the program drive it: property writes,
// keyboard selection, the colour dialog, and the pixels of drawn entries.
#include <windows.h>
#include <commdlg.h>

#include <memory>
#include <tuple>

#include <gtest/gtest.h>

#include "controls/corvix_color_combobox.h"
#include "tests/support/modal_recorder.h"
#include "tests/support/pixels.h"
#include "toolkit/form.h"
#include "toolkit/handles.h"

using namespace controls;
using testsupport::DibCanvas;

namespace {

using State = std::tuple<TColor, std::wstring, int>;  // ColorValue, HTMLcolor, selected entry

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

  State Now() const { return {combo->ColorValue(), combo->HTMLcolor(), combo->ItemIndex()}; }
  // A key the user presses on the closed list.
  void Key(WPARAM vk) { ::SendMessageW(combo->Handle(), WM_KEYDOWN, vk, 1); }

  // Has the control draw one entry into a canvas, as the list would.
  std::unique_ptr<DibCanvas> DrawEntry(int index, RECT rect, UINT state = 0) {
    auto canvas = std::make_unique<DibCanvas>(rect.right, rect.bottom, RGB(1, 2, 3));
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_COMBOBOX;
    dis.CtlID = static_cast<UINT>(::GetDlgCtrlID(combo->Handle()));
    dis.itemID = static_cast<UINT>(index);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hwndItem = combo->Handle();
    dis.hDC = canvas->dc();
    dis.rcItem = rect;
    ::SendMessageW(form->Handle(), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    return canvas;
  }

  std::unique_ptr<tk::TForm> form;
  std::unique_ptr<TCorvixColorComboBox> combo;
  int changes = 0;
};

TEST_F(ColorComboTest, HtmlTextSetsValueAndSelection) {
  ASSERT_EQ(combo->ItemCount(), 17);
  EXPECT_EQ(Now(), State(clBlack, L"#000000", 0));
  combo->SetHTMLcolor(L"#ff0000");
  EXPECT_EQ(Now(), State(clRed, L"#FF0000", 9));
  combo->SetHTMLcolor(L"");
  EXPECT_EQ(Now(), State(clBlack, L"#000000", 0));
  combo->SetHTMLcolor(L"#00FF00");
  combo->SetHTMLcolor(L"#GG0000");  // not hex: nothing changes
  EXPECT_EQ(Now(), State(clLime, L"#00FF00", 10));
  // A short text keeps its own form; the colour lands in the custom entry.
  combo->SetHTMLcolor(L"#fff");
  EXPECT_EQ(Now(), State(0x00000FFF, L"#FFF", 16));
  EXPECT_EQ(combo->Item(16), L"$00000FFF");
  combo->SetHTMLcolor(L"FF0000");  // without "#": the digits shift by one
  EXPECT_EQ(Now(), State(0x000000F0, L"FF0000", 16));
  EXPECT_EQ(changes, 0);  // writes from code are not user changes
}

TEST_F(ColorComboTest, ColorValueSelectsFixedEntryOrCustomEntry) {
  combo->SetColorValue(clWhite);
  EXPECT_EQ(Now(), State(clWhite, L"#FFFFFF", 15));  // the fixed white, not "More..."
  combo->SetColorValue(0x00123456);
  EXPECT_EQ(Now(), State(0x00123456, L"#563412", 16));
  EXPECT_EQ(combo->Item(16), L"$00123456");
  EXPECT_EQ(combo->ItemCount(), 17);

  // A system colour code ends as that colour's current value.
  const auto face = static_cast<TColor>(::GetSysColor(COLOR_BTNFACE));
  int entry = 16;
  for (int i = 0; i < 16; ++i)
    if (StandardColors[i] == face) entry = i;
  combo->SetColorValue(SystemColor(COLOR_BTNFACE));
  EXPECT_EQ(Now(), State(face, ColorToHTML(face), entry));
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
  EXPECT_EQ(Now(), State(clMaroon, L"#800000", 1));
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
  EXPECT_EQ(Now(), State(clWhite, L"#FFFFFF", 16));
  EXPECT_EQ(changes, 1);
}

TEST_F(ColorComboTest, MoreEntryConfirmedWritesPickedColour) {
  testsupport::ScopedRecorder rec;
  rec.colorAnswers = {RGB(255, 0, 0), RGB(0x56, 0x34, 0x12)};
  combo->SetColorValue(clWhite);
  Key(VK_END);
  EXPECT_EQ(Now(), State(clRed, L"#FF0000", 9));  // pure red is a fixed entry
  Key(VK_END);
  ASSERT_EQ(rec.colorRequests.size(), 2u);
  EXPECT_EQ(rec.colorRequests[1].initial, RGB(255, 0, 0));
  EXPECT_EQ(Now(), State(0x00123456, L"#563412", 16));
  EXPECT_EQ(changes, 2);
}

// Background, then the swatch from left + 4 to the absolute x = 24 with a black
// outline (its last column is 23), up to the caption at left + 30.
void ExpectEntryGeometry(const DibCanvas& c, int left, COLORREF background, COLORREF swatch) {
  const int sl = left + 4, sr = 24, h = c.height();
  for (int y = 0; y < h; ++y)
    for (int x = left; x < left + 30; ++x) {
      const bool inSwatch = x >= sl && x < sr && y >= 1 && y < h - 1;
      const bool outline = inSwatch && (x == sl || x == sr - 1 || y == 1 || y == h - 2);
      ASSERT_EQ(c.At(x, y), !inSwatch ? background : outline ? RGB(0, 0, 0) : swatch) << x << "," << y;
    }
  int ink = 0;
  for (int y = 0; y < h; ++y)
    for (int x = left + 30; x < c.width(); ++x) ink += c.At(x, y) != background;
  EXPECT_GT(ink, 10) << "caption drawn";
}

TEST_F(ColorComboTest, DrawsSwatchOutlineAndCaptionAtFixedPositions) {
  const COLORREF window = ::GetSysColor(COLOR_WINDOW);
  ExpectEntryGeometry(*DrawEntry(9, {0, 0, 160, 16}), 0, window, RGB(255, 0, 0));
  // A rectangle further right, selected: the swatch still ends at x = 24.
  const auto shifted = DrawEntry(12, {10, 0, 160, 16}, ODS_SELECTED);
  ExpectEntryGeometry(*shifted, 10, ::GetSysColor(COLOR_HIGHLIGHT), RGB(0, 0, 255));
  EXPECT_EQ(shifted->At(9, 5), RGB(1, 2, 3)) << "outside the item";
  // "More..." shows the current colour, not its table white.
  combo->SetColorValue(0x00123456);
  ExpectEntryGeometry(*DrawEntry(16, {0, 0, 160, 16}), 0, window, RGB(0x56, 0x34, 0x12));
}

// The caption pixels of an entry against the same text drawn directly with
// the control's font.
bool CaptionLooksLike(const DibCanvas& drawn, const std::wstring& text, HFONT font) {
  DibCanvas ref(drawn.width(), drawn.height(), ::GetSysColor(COLOR_WINDOW));
  tk::SelectedObject f(ref.dc(), font);
  ::SetBkColor(ref.dc(), ::GetSysColor(COLOR_WINDOW));
  ::SetTextColor(ref.dc(), ::GetSysColor(COLOR_WINDOWTEXT));
  RECT r{30, 0, ref.width(), ref.height()};
  ::DrawTextW(ref.dc(), text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  for (int y = 0; y < drawn.height(); ++y)
    for (int x = 30; x < drawn.width(); ++x)
      if (drawn.At(x, y) != ref.At(x, y)) return false;
  return true;
}

TEST_F(ColorComboTest, CaptionsFollowTheLanguage) {
  const HFONT font = tk::FontHandle(combo->Font());
  auto caption = [&](int index) { return DrawEntry(index, {0, 0, 140, 16}); };
  EXPECT_TRUE(CaptionLooksLike(*caption(2), L"Green", font));
  EXPECT_TRUE(CaptionLooksLike(*caption(10), L"Lime", font));
  EXPECT_FALSE(CaptionLooksLike(*caption(10), L"Vert", font));

  combo->SetColorValue(0x00123456);
  combo->SetLanguage(TCLanguage::lgFrensh);
  EXPECT_EQ(Now(), State(0x00123456, L"#563412", 16));  // the switch keeps colour and selection
  EXPECT_TRUE(CaptionLooksLike(*caption(2), L"Vert", font));
  EXPECT_TRUE(CaptionLooksLike(*caption(10), L"Vert", font));
  EXPECT_TRUE(CaptionLooksLike(*caption(16), L"Autres....", font));
  EXPECT_TRUE(CaptionLooksLike(*caption(1), L"Rouge fonc\u00E9", font));

  combo->SetLanguage(TCLanguage::lgDeutsch);
  EXPECT_TRUE(CaptionLooksLike(*caption(15), L"Wei\u00DF", font));
  EXPECT_TRUE(CaptionLooksLike(*caption(16), L"Mehr...", font));
  EXPECT_EQ(changes, 0);
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

namespace {

TEST_F(ColorComboTest, ACustomColourShowsInTheClosedBoxWithoutAnExtraRepaint) {
  form->Show();
  testsupport::PumpMessages();
  combo->SetColorValue(0x00123456);  // not in the table: the "More..." entry
  testsupport::PumpMessages();
  const auto shot = testsupport::CaptureClient(combo->Handle());
  ASSERT_GT(shot.height, 10);
  EXPECT_EQ(shot.At(12, shot.height / 2), RGB(0x56, 0x34, 0x12));
}

}  // namespace
