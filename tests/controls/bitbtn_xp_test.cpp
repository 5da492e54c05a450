// The themed bitmap button's settings: stock kinds, glyph assignment, the
// shared glyph lists, the visual-styles binding and the keyboard in dialogs.
#include <windows.h>

#include <gtest/gtest.h>

#include "controls/bitbtn_xp.h"
#include "controls/theme_api.h"
#include "tests/support/pixels.h"
#include "toolkit/edit.h"
#include "toolkit/form.h"

using controls::TBitBtnXPKind;
namespace theme = controls::theme;

namespace {

controls::GlyphBitmap Solid(int w, int h, uint32_t colour) {
  controls::GlyphBitmap g;
  g.width = w;
  g.height = h;
  g.pixels.assign(size_t(w) * h, colour);
  return g;
}

struct FormWindow : tk::TForm {
  FormWindow() : tk::TForm(L"TBitBtnForm", L"Buttons", 400, 200, tk::TFont{}) {}
};
using Form = tk::FormInstance<FormWindow>;

}  // namespace

TEST(BitBtnXP, StockKindsSetCaptionGlyphRolesAndResult) {
  Form form;
  const struct {
    TBitBtnXPKind kind;
    const wchar_t* caption;
    int result;
    bool isDefault, isCancel;
    int glyphHeight;
  } kinds[] = {
      {TBitBtnXPKind::bkOK, L"OK", tk::mrOk, true, false, 18},
      {TBitBtnXPKind::bkCancel, L"Cancel", tk::mrCancel, false, true, 18},
      {TBitBtnXPKind::bkHelp, L"&Help", tk::mrNone, false, false, 18},
      {TBitBtnXPKind::bkYes, L"&Yes", tk::mrYes, true, false, 18},
      {TBitBtnXPKind::bkNo, L"&No", tk::mrNo, false, true, 18},
      {TBitBtnXPKind::bkClose, L"&Close", tk::mrNone, false, false, 18},
      {TBitBtnXPKind::bkAbort, L"Abort", tk::mrAbort, false, false, 18},
      {TBitBtnXPKind::bkRetry, L"&Retry", tk::mrRetry, false, false, 18},
      {TBitBtnXPKind::bkIgnore, L"&Ignore", tk::mrIgnore, false, false, 18},
      {TBitBtnXPKind::bkAll, L"&All", tk::mrAll, false, false, 19},
  };
  for (const auto& k : kinds) {
    controls::TBitBtnXP b(&form, 8, 8, 89, 25, L"Go");
    b.SetKind(k.kind);
    EXPECT_EQ(b.Text(), k.caption);
    EXPECT_EQ(b.ModalResult(), k.result);
    EXPECT_EQ(b.Default(), k.isDefault);
    EXPECT_EQ(b.Cancel(), k.isCancel);
    EXPECT_EQ(b.Glyph().width, 36);
    EXPECT_EQ(b.Glyph().height, k.glyphHeight);
    EXPECT_EQ(b.NumGlyphs(), 2);
    EXPECT_EQ(b.Kind(), k.kind);
  }
}

TEST(BitBtnXP, AStoredCaptionSurvivesTheKindWhileALayoutLoads) {
  Form form;
  controls::TBitBtnXP b(&form, 8, 8, 89, 25, L"");
  b.SetLoading(true);
  b.SetText(L"&Done");
  b.SetKind(TBitBtnXPKind::bkOK);
  b.SetLoading(false);
  EXPECT_EQ(b.Text(), L"&Done");
  EXPECT_EQ(b.ModalResult(), tk::mrOk);
  controls::TBitBtnXP empty(&form, 8, 40, 89, 25, L"");
  empty.SetLoading(true);
  empty.SetKind(TBitBtnXPKind::bkCancel);
  EXPECT_EQ(empty.Text(), L"Cancel") << "an empty caption still takes the stock one";
}

TEST(BitBtnXP, KindReadsCustomOnceItsSettingsChange) {
  Form form;
  controls::TBitBtnXP glyph(&form, 8, 8, 89, 25, L"");
  glyph.SetKind(TBitBtnXPKind::bkOK);
  glyph.SetGlyph(Solid(32, 16, 0xFF0000));
  EXPECT_EQ(glyph.Kind(), TBitBtnXPKind::bkCustom);
  glyph.SetDefault(true);  // back to the stock roles: still custom, it was recorded
  EXPECT_EQ(glyph.Kind(), TBitBtnXPKind::bkCustom);

  controls::TBitBtnXP result(&form, 8, 40, 89, 25, L"");
  result.SetKind(TBitBtnXPKind::bkCancel);
  result.SetModalResult(tk::mrAbort);
  EXPECT_EQ(result.Kind(), TBitBtnXPKind::bkCustom);

  controls::TBitBtnXP roles(&form, 8, 72, 89, 25, L"");
  roles.SetKind(TBitBtnXPKind::bkYes);
  roles.SetDefault(false);
  EXPECT_EQ(roles.Kind(), TBitBtnXPKind::bkCustom);
  roles.SetKind(TBitBtnXPKind::bkCustom);  // only recorded
  EXPECT_EQ(roles.Text(), L"&Yes");
}

TEST(BitBtnXP, AssignedGlyphSetsTheImageCountWhenItIsAMultipleOfTheHeight) {
  Form form;
  controls::TBitBtnXP b(&form, 8, 8, 145, 25, L"Save picture as...");
  b.SetGlyph(Solid(32, 16, 0x00FF00));
  EXPECT_EQ(b.NumGlyphs(), 2);
  b.SetNumGlyphs(3);
  b.SetGlyph(Solid(36, 19, 0x00FF00));
  EXPECT_EQ(b.NumGlyphs(), 3) << "36 x 19 is no multiple: the count stays";
  b.SetNumGlyphs(9);
  EXPECT_EQ(b.NumGlyphs(), 4);
  b.SetNumGlyphs(0);
  EXPECT_EQ(b.NumGlyphs(), 4);
  b.SetMargin(-5);
  EXPECT_EQ(b.Margin(), -1);
  b.SetMargin(3);
  EXPECT_EQ(b.Margin(), 3);
  // The transparent colour comes with the glyph: its bottom-left pixel.
  auto g = Solid(16, 16, 0x112233);
  g.pixels[15 * 16] = 0x808000;
  b.SetGlyph(g);
  EXPECT_EQ(b.GlyphObject().TransparentColor(), RGB(0x80, 0x80, 0x00));
}

TEST(BitBtnXP, GlyphListsAreSharedPerSizeAndFreedSlotsReused) {
  {
    Form form;
    auto a = std::make_unique<controls::TBitBtnXP>(&form, 8, 8, 89, 25, L"");
    a->SetKind(TBitBtnXPKind::bkOK);
    a->GlyphObject().Prepare(core::GlyphState::up);
    controls::TBitBtnXP b(&form, 8, 40, 89, 25, L"");
    b.SetKind(TBitBtnXPKind::bkCancel);
    b.GlyphObject().Prepare(core::GlyphState::up);
    b.GlyphObject().Prepare(core::GlyphState::disabled);
    ASSERT_NE(controls::GlyphCache(), nullptr);
    EXPECT_EQ(controls::GlyphCache()->ListCount(), 1u) << "one list for all 18 x 18 images";
    const int freed = a->GlyphObject().ImageIndex(core::GlyphState::up);
    EXPECT_GE(freed, 0);
    EXPECT_NE(b.GlyphObject().ImageIndex(core::GlyphState::up), freed);
    a.reset();
    controls::TBitBtnXP c(&form, 8, 72, 89, 25, L"");
    c.SetKind(TBitBtnXPKind::bkYes);
    c.GlyphObject().Prepare(core::GlyphState::up);
    EXPECT_EQ(c.GlyphObject().ImageIndex(core::GlyphState::up), freed) << "the freed slot is taken first";
    controls::TBitBtnXP d(&form, 8, 104, 89, 25, L"");
    d.SetGlyph(Solid(32, 16, 0x0000FF));
    d.GlyphObject().Prepare(core::GlyphState::up);
    EXPECT_EQ(controls::GlyphCache()->ListCount(), 2u) << "16 x 16 images get their own list";
    d.SetGlyph(Solid(36, 18, 0x0000FF));
    EXPECT_EQ(controls::GlyphCache()->ListCount(), 1u) << "a list whose last image goes is freed";
  }
  EXPECT_EQ(controls::GlyphCache(), nullptr) << "no glyph object, no cache";
}

TEST(BitBtnXP, DisabledImagesFollowTheGlyphsImageCount) {
  Form form;
  controls::TBitBtnXP b(&form, 8, 8, 89, 25, L"");
  const uint32_t face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW),
                 light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const auto rgb = [](COLORREF c) { return (uint32_t(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c); };
  // Two images: the second one, white to highlight, grey to shadow, olive to face.
  controls::GlyphBitmap two = Solid(8, 4, 0x808000);
  two.pixels[4] = 0xFFFFFF;      // image 2, row 0
  two.pixels[5] = 0x808080;
  two.pixels[6] = 0x123456;      // other colours stay
  b.SetGlyph(two);
  COLORREF mask = 0;
  auto img = b.GlyphObject().BuildImage(core::GlyphState::disabled, mask);
  EXPECT_EQ(img[0], rgb(light));
  EXPECT_EQ(img[1], rgb(shadow));
  EXPECT_EQ(img[2], 0x123456u);
  EXPECT_EQ(img[3], rgb(face));
  EXPECT_EQ(mask, face);
  // One image: its black embossed, highlight one pixel right and down, shadow in place.
  controls::GlyphBitmap one = Solid(4, 4, 0x808000);
  one.pixels[1 * 4 + 1] = 0x000000;
  one.pixels[2 * 4 + 2] = 0xFF0000;  // not black: gone
  b.SetGlyph(one);
  img = b.GlyphObject().BuildImage(core::GlyphState::disabled, mask);
  for (int i = 0; i < 16; ++i) {
    const uint32_t expected = i == 5 ? rgb(shadow) : i == 10 ? rgb(light) : rgb(face);
    EXPECT_EQ(img[i], expected) << i;
  }
  // Up and down use the up image, masked by its bottom-left pixel.
  img = b.GlyphObject().BuildImage(core::GlyphState::down, mask);
  EXPECT_EQ(img[5], 0u);
  EXPECT_EQ(mask, RGB(0x80, 0x80, 0x00));
}

TEST(ThemeBinding, CountsUsersAndFreesTheLibraryAtZero) {
  const int before = theme::ThemeApiReferenceCount();
  while (theme::ThemeApiReferenceCount() > 0) theme::ReleaseThemeApi();
  EXPECT_FALSE(theme::ThemeApiLoaded());
  EXPECT_EQ(theme::Api().OpenThemeData, nullptr);
  EXPECT_TRUE(theme::LoadThemeApi());
  EXPECT_TRUE(theme::LoadThemeApi());
  EXPECT_EQ(theme::ThemeApiReferenceCount(), 2);
  EXPECT_NE(theme::Api().DrawThemeBackground, nullptr);
  EXPECT_NE(theme::Api().GetThemeSysColor, nullptr) << "unused entry points are bound too";
  EXPECT_TRUE(theme::ThemeApiActive()) << "Wine runs with its own visual style";
  theme::ReleaseThemeApi();
  EXPECT_TRUE(theme::ThemeApiLoaded());
  theme::ReleaseThemeApi();
  EXPECT_FALSE(theme::ThemeApiLoaded());
  EXPECT_EQ(theme::Api().DrawThemeBackground, nullptr);
  EXPECT_FALSE(theme::ThemeApiActive());
  theme::ReleaseThemeApi();  // never below 0
  EXPECT_EQ(theme::ThemeApiReferenceCount(), 0);
  // A missing library: nothing loads, the count still counts.
  theme::SetThemeLibraryName("verdalux_missing_uxtheme.dll");
  EXPECT_FALSE(theme::LoadThemeApi());
  EXPECT_EQ(theme::ThemeApiReferenceCount(), 1);
  EXPECT_FALSE(theme::ThemeApiActive());
  theme::ReleaseThemeApi();
  theme::SetThemeLibraryName(nullptr);
  for (int i = 0; i < before; ++i) theme::LoadThemeApi();
}

TEST(BitBtnXP, EnterAndEscPressTheStockButtonsOfAModalForm) {
  struct TAsk : tk::TForm {
    TAsk()
        : tk::TForm(L"TAsk", L"Ask", 300, 100, tk::TFont{}, {nullptr, tk::TBorderStyle::bsDialog}),
          Name(this, 8, 8, 100, 21),
          Ok(this, 8, 60, 89, 25, L"", IDOK),
          Cancel(this, 110, 60, 89, 25, L"", IDCANCEL) {
      Ok.SetKind(TBitBtnXPKind::bkOK);
      Cancel.SetKind(TBitBtnXPKind::bkCancel);
    }
    tk::TEdit Name;
    controls::TBitBtnXP Ok, Cancel;
  };
  for (auto [key, result] : {std::pair{VK_RETURN, int(tk::mrOk)}, {VK_ESCAPE, int(tk::mrCancel)}}) {
    tk::FormInstance<TAsk> ask;
    ask.OnShow = [&, key = key] { PostMessageW(GetFocus(), WM_KEYDOWN, key, 1); };
    EXPECT_EQ(ask.ShowModal(), result);
  }
  // The focused Cancel button is the one Enter presses.
  tk::FormInstance<TAsk> ask;
  ask.OnShow = [&] {
    ask.Cancel.SetFocus();
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
  };
  EXPECT_EQ(ask.ShowModal(), tk::mrCancel);
  EXPECT_EQ(GetWindowLongW(ask.Ok.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
}

TEST(BitBtnXP, CloseKindClosesItsWindow) {
  Form form;
  controls::TBitBtnXP b(&form, 8, 8, 89, 25, L"");
  b.SetKind(TBitBtnXPKind::bkClose);
  form.Show();
  SendMessageW(b.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(form.Closed());
}

TEST(BitBtnXP, GlyphsAreDrawnThroughTheirMask) {
  controls::TButtonGlyph glyph;
  controls::GlyphBitmap g = controls::StockGlyph(TBitBtnXPKind::bkClose);
  ASSERT_FALSE(g.Empty());
  glyph.SetGlyph(g);
  glyph.SetNumGlyphs(2);
  testsupport::DibCanvas canvas(18, 18, RGB(0, 0, 255));
  glyph.Draw(canvas.dc(), 0, 0, core::GlyphState::up);
  int shown = 0;
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 18; ++x) {
      const uint32_t p = g.pixels[size_t(y) * g.width + x];
      const COLORREF expected = p == 0x808000 ? RGB(0, 0, 255) : RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
      EXPECT_EQ(canvas.At(x, y), expected) << x << "," << y;
      shown += p != 0x808000;
    }
  EXPECT_GT(shown, 20);
}
