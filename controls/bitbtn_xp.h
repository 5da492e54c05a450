// A push button that draws itself with a glyph beside its caption: with the
// visual style's push-button face while visual styles are in use, with the
// classic three-dimensional face otherwise. Stock kinds give caption, glyph,
// modal result and the default or cancel role in one setting.
#pragma once
#include <windows.h>
#include <uxtheme.h>

#include "controls/button_glyph.h"
#include "controls/stock_kinds.h"
#include "core/button_layout.h"
#include "toolkit/button.h"

namespace controls {

enum class TButtonStyle { bsAutoDetect, bsWin31, bsNew };

class TBitBtnXP : public tk::TButton {
 public:
  TBitBtnXP(tk::TWinControl* parent, int left, int top, int width, int height, const std::wstring& caption,
            int id = 0);
  ~TBitBtnXP() override;

  // Copies the bitmap; a width that is an exact multiple of the height (up to
  // 4) sets NumGlyphs. The button then no longer counts as a stock kind.
  void SetGlyph(const GlyphBitmap& glyph);
  void SetGlyph(HBITMAP bitmap) { SetGlyph(GlyphBitmap::FromHandle(bitmap)); }
  const GlyphBitmap& Glyph() const { return glyph_.Glyph(); }
  int NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(int n) { glyph_.SetNumGlyphs(n); }
  TButtonGlyph& GlyphObject() { return glyph_; }

  // Reads bkCustom (and keeps it) once Default, Cancel or ModalResult differ
  // from the stock kind's, or a glyph was assigned.
  TBitBtnXPKind Kind();
  void SetKind(TBitBtnXPKind kind);
  core::GlyphLayout Layout() const { return layout_; }
  void SetLayout(core::GlyphLayout layout);
  int Margin() const { return margin_; }
  void SetMargin(int margin);  // -1 or more; smaller values are ignored
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);
  TButtonStyle Style() const { return style_; }
  void SetStyle(TButtonStyle style);

  // While a window layout is applied, a stock kind keeps a caption already set.
  void SetLoading(bool loading) { loading_ = loading; }

  // bkClose closes the window, bkHelp opens help on the nearest help context;
  // otherwise the push button's click.
  void Click() override;

  HTHEME ThemeHandle() const { return theme_; }

 protected:
  void ActiveChanged() override { Invalidate(); }
  bool HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void FontChanged() override { Invalidate(); }
  // The owner-draw request: face, glyph, caption and focus.
  virtual void DrawItem(const DRAWITEMSTRUCT& item);

 private:
  core::GlyphState ButtonState(bool down) const;
  void DrawContent(HDC dc, const RECT& r, core::GlyphState state);

  HTHEME theme_ = nullptr;
  TButtonGlyph glyph_;
  TBitBtnXPKind kind_ = TBitBtnXPKind::bkCustom;
  core::GlyphLayout layout_ = core::GlyphLayout::glyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  TButtonStyle style_ = TButtonStyle::bsAutoDetect;
  bool glyphModified_ = false;
  bool loading_ = false;
};

}  // namespace controls
