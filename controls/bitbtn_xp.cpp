#include "controls/bitbtn_xp.h"

#include "controls/theme_api.h"
#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/handles.h"

namespace controls {
namespace {

tk::TWinControl::CreateParams OwnerDrawn(tk::TWinControl::CreateParams cp) {
  cp.style = (cp.style & ~BS_TYPEMASK) | BS_OWNERDRAW;
  return cp;
}

// The push button part's states in the visual style's BUTTON class.
constexpr int kPartPushButton = 1;
constexpr int kStatePlain = 0;
constexpr int kStateNormal = 1;
constexpr int kStatePressed = 3;
constexpr int kStateDisabled = 4;

}  // namespace

TBitBtnXP::TBitBtnXP(tk::TWinControl* parent, int left, int top, int width, int height, const std::wstring& caption,
                     int id)
    : tk::TButton(parent, OwnerDrawn(PushParams(left, top, width, height, caption, id))) {
  glyph_.OnChange = [this] { Invalidate(); };
  theme::LoadThemeApi();
  if (theme::ThemeApiActive()) theme_ = theme::Api().OpenThemeData(nullptr, L"BUTTON");
  glyph_.Prepare(Enabled() ? core::GlyphState::up : core::GlyphState::disabled);
}

TBitBtnXP::~TBitBtnXP() {
  glyph_.OnChange = nullptr;
  if (theme_ && theme::ThemeApiActive()) theme::Api().CloseThemeData(theme_);
}

void TBitBtnXP::SetGlyph(const GlyphBitmap& glyph) {
  glyph_.SetGlyph(glyph);
  glyph_.SetNumGlyphs(core::GlyphCountForBitmap(glyph.width, glyph.height, glyph_.NumGlyphs()));
  glyphModified_ = true;
  Invalidate();
}

TBitBtnXPKind TBitBtnXP::Kind() {
  if (const StockKind* k = StockKindOf(kind_)) {
    if (Default() != k->isDefault || Cancel() != k->isCancel || ModalResult() != k->modalResult || glyphModified_)
      kind_ = TBitBtnXPKind::bkCustom;
  }
  return kind_;
}

void TBitBtnXP::SetKind(TBitBtnXPKind kind) {
  kind_ = kind;
  const StockKind* k = StockKindOf(kind);
  if (!k) return;
  SetDefault(k->isDefault);
  SetCancel(k->isCancel);
  if (!loading_ || Text().empty()) SetText(StockCaption(kind));
  SetModalResult(k->modalResult);
  glyph_.SetGlyph(StockGlyph(kind));
  glyph_.SetNumGlyphs(2);
  glyphModified_ = false;
  Invalidate();
}

void TBitBtnXP::SetLayout(core::GlyphLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TBitBtnXP::SetMargin(int margin) {
  if (margin < -1) return;
  margin_ = margin;
  Invalidate();
}

void TBitBtnXP::SetSpacing(int spacing) {
  spacing_ = spacing;
  Invalidate();
}

void TBitBtnXP::SetStyle(TButtonStyle style) {
  style_ = style;
  Invalidate();
}

void TBitBtnXP::Click() {
  const TBitBtnXPKind kind = Kind();
  if (kind == TBitBtnXPKind::bkClose) {
    if (auto* form = dynamic_cast<tk::TForm*>(Root())) form->Close();
    return;
  }
  if (kind == TBitBtnXPKind::bkHelp) {
    for (HWND h = Handle(); h; h = ::GetParent(h)) {
      if (const DWORD context = ::GetWindowContextHelpId(h)) {
        ::WinHelpW(Root()->Handle(), tk::TApplication::Instance().HelpFile().c_str(), HELP_CONTEXT, context);
        return;
      }
    }
  }
  tk::TButton::Click();
}

bool TBitBtnXP::HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == WM_DRAWITEM) {
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
    result = TRUE;
    return true;
  }
  if (msg == WM_MEASUREITEM) {
    auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
    m->itemWidth = static_cast<UINT>(Width());
    m->itemHeight = static_cast<UINT>(Height());
    result = TRUE;
    return true;
  }
  return tk::TButton::HandleNotify(msg, wp, lp, result);
}

LRESULT TBitBtnXP::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_LBUTTONDBLCLK:
      return DefaultProc(WM_LBUTTONDOWN, wp, lp);
    case BM_SETSTYLE:
      // Dialog navigation toggles push buttons between default and plain; this
      // one stays owner-drawn and shows its role itself.
      wp = (wp & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW;
      break;
    case WM_ENABLE:
      Invalidate();
      break;
  }
  return tk::TButton::WndProc(msg, wp, lp);
}

core::GlyphState TBitBtnXP::ButtonState(bool down) const {
  if (!Enabled()) return core::GlyphState::disabled;
  return down ? core::GlyphState::down : core::GlyphState::up;
}

void TBitBtnXP::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  tk::SavedDC saved(dc);
  RECT client;
  ::GetClientRect(Handle(), &client);
  RECT r = client;
  const bool themed = theme::ThemeApiActive();
  const theme::EntryPoints& api = theme::Api();

  if (themed) {
    tk::GdiPen pen(::CreatePen(PS_SOLID, 1, Color()));
    tk::GdiBrush brush(::CreateSolidBrush(Color()));
    tk::SelectedObject p(dc, pen.get()), b(dc, brush.get());
    ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
  }
  const bool down = item.itemState & ODS_SELECTED;
  const bool focused = item.itemState & ODS_FOCUS;
  const core::GlyphState state = ButtonState(down);
  UINT frame = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
  if (down) frame |= DFCS_PUSHED;
  if (item.itemState & ODS_DISABLED) frame |= DFCS_INACTIVE;

  if ((Active() || focused) && !themed) {
    tk::GdiPen pen(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOWFRAME)));
    tk::SelectedObject p(dc, pen.get()), b(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
    ::InflateRect(&r, -1, -1);
  }
  if (down && themed) {
    if (api.DrawThemeBackground) api.DrawThemeBackground(theme_, dc, kPartPushButton, kStatePressed, &r, nullptr);
    ::InflateRect(&r, -1, -1);
  } else if (down) {
    tk::GdiPen pen(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW)));
    tk::SelectedObject p(dc, pen.get()), b(dc, ::GetSysColorBrush(COLOR_BTNFACE));
    ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
    ::InflateRect(&r, -1, -1);
  } else if (!themed) {
    ::DrawFrameControl(dc, &r, DFC_BUTTON, frame);
  } else {
    const int themeState = state == core::GlyphState::disabled ? kStateDisabled
                           : (Active() || focused)              ? kStateNormal
                                                                : kStatePlain;
    if (api.DrawThemeBackground) api.DrawThemeBackground(theme_, dc, kPartPushButton, themeState, &r, nullptr);
  }
  if (Active()) {
    r = client;
    ::InflateRect(&r, -1, -1);
  }
  tk::SelectedObject font(dc, tk::FontHandle(Font()));
  if (down) ::OffsetRect(&r, 1, 1);
  DrawContent(dc, r, state);
  if (Active() && focused) {
    r = client;
    ::InflateRect(&r, -4, -4);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    ::DrawFocusRect(dc, &r);
  }
}

void TBitBtnXP::DrawContent(HDC dc, const RECT& r, core::GlyphState state) {
  const bool rtl = ::GetWindowLongW(Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING;
  const UINT bidi = rtl ? DT_RTLREADING : 0;
  const std::wstring caption = Text();
  core::LayoutSize text{};
  if (!caption.empty()) {
    RECT bounds{0, 0, r.right - r.left, 0};
    ::DrawTextW(dc, caption.c_str(), -1, &bounds, DT_CALCRECT | bidi);
    text = {bounds.right - bounds.left, bounds.bottom - bounds.top};
  }
  core::ButtonContentInput in;
  in.area = {r.left, r.top, r.right, r.bottom};
  in.glyph = glyph_.ImageSize();
  in.text = text;
  in.layout = layout_;
  in.margin = margin_;
  in.spacing = spacing_;
  in.rightToLeft = rtl;
  const core::ButtonContentPlacement p = core::PlaceButtonContent(in);
  glyph_.Draw(dc, p.glyphX, p.glyphY, state);
  if (caption.empty()) return;
  RECT t{p.text.left, p.text.top, p.text.right, p.text.bottom};
  ::SetBkMode(dc, TRANSPARENT);
  const UINT flags = DT_CENTER | DT_VCENTER | bidi;
  if (state == core::GlyphState::disabled) {
    ::OffsetRect(&t, 1, 1);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    ::DrawTextW(dc, caption.c_str(), -1, &t, flags);
    ::OffsetRect(&t, -1, -1);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
    ::DrawTextW(dc, caption.c_str(), -1, &t, flags);
  } else {
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    ::DrawTextW(dc, caption.c_str(), -1, &t, flags);
  }
}

}  // namespace controls
