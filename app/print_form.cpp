#include "app/print_form.h"

#include "raster/draw_dib.h"
#include "toolkit/font.h"
#include "toolkit/handles.h"
#include "toolkit/modal.h"

namespace app {
namespace {

tk::TFont DialogFont() { return tk::TFont{L"MS Sans Serif", -11, false}; }

constexpr int kClientW = 427, kClientH = 328;
constexpr int kPreviewMargin = 6;  // button face around the sheet
constexpr COLORREF kSheetShadow = RGB(128, 128, 128);
constexpr COLORREF kPrintableLine = RGB(160, 160, 160);

}  // namespace

TBottomLine::TBottomLine(tk::TWinControl* parent, int left, int top, int width, int height)
    : tk::TCustomControl(parent) {
  SetBounds(left, top, width, height);
}

void TBottomLine::Paint(HDC dc) {
  RECT r;
  ::GetClientRect(Handle(), &r);
  RECT shadow{r.left, r.bottom - 2, r.right, r.bottom - 1};
  RECT light{r.left, r.bottom - 1, r.right, r.bottom};
  ::FillRect(dc, &shadow, ::GetSysColorBrush(COLOR_BTNSHADOW));
  ::FillRect(dc, &light, ::GetSysColorBrush(COLOR_BTNHIGHLIGHT));
}

bool TBottomLine::EraseBackground(HDC dc) {
  FillWithParentColor(dc);
  return true;
}

TPrintForm::TPrintForm(HWND owner, const TDibImage& image, tk::PrinterChoice printer)
    : tk::TForm(L"TPrintForm", L"Print picture...", kClientW, kClientH, DialogFont(),
                {owner, tk::TBorderStyle::bsDialog}),
      RxLabel1(this, 16, 0, L"Preview:"),
      Panel1(this),
      PrintPaintBox(&Panel1),
      GroupBox1(this, 232, 24, 185, 129, L"Print size"),
      UseFullCheck(&GroupBox1, 16, 24, 113, 17, L"Use page fully", true),
      UserdefCheck(&GroupBox1, 16, 48, 113, 17, L"User-defined"),
      RxLabel2(&GroupBox1, 16, 72, L"Width in %:"),
      BreitEdit(&GroupBox1, 80, 72, 89, 22),
      RxLabel3(&GroupBox1, 16, 96, L"Height in %:"),
      GroupBox2(this, 232, 160, 185, 89, L"Print options"),
      SverhCheck(&GroupBox2, 8, 24, 169, 17, L"Maintain aspect ratio"),
      ZentrCheck(&GroupBox2, 8, 48, 161, 17, L"Centered output"),
      Bevel1(this, 0, 264, 427, 16),
      OkBitBtn1(this, 29, 296, 89, 25, L"", IDOK),
      PrintSetupBtn(this, 125, 296, 177, 25, L"Setup printer..."),
      CancelBitBtn2(this, 309, 296, 89, 25, L"", IDCANCEL),
      HochEdit(this, 312, 120, 89, 22),
      image_(image),
      printer_(std::move(printer)) {
  SetUpControls();
  SetUpStorage();
  ReadPage();
}

void TPrintForm::SetUpControls() {
  Panel1.SetBounds(16, 24, 200, 225);
  Panel1.SetBevelOuter(tk::TBevel::bvLowered);
  PrintPaintBox.SetBounds(4, 17, 190, 190);
  PrintPaintBox.SetColor(::GetSysColor(COLOR_BTNFACE));
  PrintPaintBox.OnPaint = [this](HDC dc) { PaintPreview(dc); };

  UseFullCheck.SetChecked(true);
  SverhCheck.SetChecked(true);
  ZentrCheck.SetChecked(true);
  for (tk::TRxSpinEdit* edit : {&BreitEdit, &HochEdit}) {
    edit->SetRange(1, 100);
    edit->SetValue(50);
  }

  OkBitBtn1.SetKind(controls::TBitBtnXPKind::bkOK);
  CancelBitBtn2.SetKind(controls::TBitBtnXPKind::bkCancel);
  // The stock kinds with captions of their own, for Alt+O and Alt+C.
  OkBitBtn1.SetText(L"&OK");
  CancelBitBtn2.SetText(L"&Cancel");
  tk::GdiBitmap glyph(static_cast<HBITMAP>(
      ::LoadImageW(::GetModuleHandleW(nullptr), L"PRINTSETUPGLYPH", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  PrintSetupBtn.SetGlyph(glyph.get());

  // Tab order is the order of the siblings, so HochEdit, which lies over
  // GroupBox1, comes after both group boxes.
  OkBitBtn1.SetTabOrder(0);
  CancelBitBtn2.SetTabOrder(1);
  Panel1.SetTabOrder(2);
  PrintSetupBtn.SetTabOrder(3);
  GroupBox1.SetTabOrder(4);
  GroupBox2.SetTabOrder(5);
  HochEdit.SetTabOrder(6);
  UseFullCheck.SetTabOrder(0);
  UserdefCheck.SetTabOrder(1);
  BreitEdit.SetTabOrder(2);
  SverhCheck.SetTabOrder(0);
  ZentrCheck.SetTabOrder(1);

  // "Use page fully" also ends the percentages' turn, so it does what
  // "User-defined" does for the edits before repainting.
  UseFullCheck.OnClick = [this] { UserdefCheckClick(); };
  UserdefCheck.OnClick = [this] { UserdefCheckClick(); };
  SverhCheck.OnClick = [this] { PrintPaintBoxPaint(); };
  ZentrCheck.OnClick = [this] { PrintPaintBoxPaint(); };
  BreitEdit.OnChange = [this] { BreitEditChange(); };
  HochEdit.OnChange = [this] { HochEditChange(); };
  PrintSetupBtn.OnClick = [this] { PrintSetupBtnClick(); };
  OnShow = [this] { FormShow(); };
}

void TPrintForm::SetUpStorage() {
  for (auto [control, name] : std::initializer_list<std::pair<tk::TWinControl*, const wchar_t*>>{
           {&BreitEdit, L"BreitEdit"},
           {&HochEdit, L"HochEdit"},
           {&UseFullCheck, L"UseFullCheck"},
           {&UserdefCheck, L"UserdefCheck"},
           {&SverhCheck, L"SverhCheck"},
           {&ZentrCheck, L"ZentrCheck"}})
    control->SetName(name);
  FormStorage1.UseRegistry = true;
  FormStorage1.Options = tk::fpState;
  // The four choices keep their checked states: remembering the percentages
  // without "User-defined" would bring them back unused.
  FormStorage1.SetStoredProps({L"BreitEdit.Value", L"HochEdit.Value", L"UseFullCheck.Checked",
                               L"UserdefCheck.Checked", L"ZentrCheck.Checked", L"SverhCheck.Checked"});
  FormStorage1.Loaded();
}

void TPrintForm::FormShow() {
  // Restored states may both say checked (or neither, after a hand edit):
  // one of the two sizes is always chosen, "User-defined" winning.
  UseFullCheck.SetChecked(!UserdefCheck.Checked());
  SizeEditsFollowChoice();
  PrintPaintBoxPaint();
}

void TPrintForm::PrintPaintBoxPaint() { PrintPaintBox.Invalidate(); }

void TPrintForm::UserdefCheckClick() {
  SizeEditsFollowChoice();
  if (UserdefCheck.Checked()) FollowPercent(true);
  PrintPaintBoxPaint();
}

void TPrintForm::BreitEditChange() {
  FollowPercent(true);
  PrintPaintBoxPaint();
}

void TPrintForm::HochEditChange() {
  FollowPercent(false);
  PrintPaintBoxPaint();
}

void TPrintForm::PrintSetupBtnClick() {
  std::optional<tk::PrinterChoice> chosen = tk::PrinterSetupModal({Handle(), &printer_});
  if (!chosen) return;
  printer_ = std::move(*chosen);
  ReadPage();
  if (UserdefCheck.Checked()) FollowPercent(true);
  PrintPaintBoxPaint();
}

core::PrintOptions TPrintForm::Options() const {
  core::PrintOptions o;
  o.useFully = !UserdefCheck.Checked();
  o.widthPercent = static_cast<int32_t>(BreitEdit.Value());
  o.heightPercent = static_cast<int32_t>(HochEdit.Value());
  o.keepAspect = SverhCheck.Checked();
  o.centered = ZentrCheck.Checked();
  return o;
}

core::PagePreview TPrintForm::Preview() const {
  if (!page_) return {};
  const core::PrintRect placed = core::PlaceOnPage(DIBWidth(image_), DIBHeight(image_), page_->printableWidth,
                                                   page_->printableHeight, Options());
  return core::PreviewPage(*page_, placed, PrintPaintBox.Width(), PrintPaintBox.Height(), kPreviewMargin);
}

void TPrintForm::ReadPage() {
  page_.reset();
  if (const std::optional<tk::PrinterPage> p = printer_.Page())
    page_ = core::PageGeometry{p->pageWidth,       p->pageHeight,     p->offsetX,
                               p->offsetY,         p->printableWidth, p->printableHeight};
}

void TPrintForm::SizeEditsFollowChoice() {
  const bool own = UserdefCheck.Checked();
  BreitEdit.SetEnabled(own);
  HochEdit.SetEnabled(own);
  RxLabel2.SetEnabled(own);
  RxLabel3.SetEnabled(own);
}

void TPrintForm::FollowPercent(bool editedIsWidth) {
  if (following_ || !SverhCheck.Checked() || !UserdefCheck.Checked() || !page_) return;
  tk::TRxSpinEdit& edited = editedIsWidth ? BreitEdit : HochEdit;
  tk::TRxSpinEdit& other = editedIsWidth ? HochEdit : BreitEdit;
  following_ = true;
  other.SetValue(core::FollowingPercent(static_cast<int32_t>(edited.Value()), editedIsWidth, DIBWidth(image_),
                                        DIBHeight(image_), page_->printableWidth, page_->printableHeight));
  following_ = false;
}

void TPrintForm::PaintPreview(HDC dc) {
  const core::PagePreview p = Preview();
  if (p.page.width <= 0) {
    tk::SelectedObject font(dc, tk::FontHandle(PrintPaintBox.Font()));
    const wchar_t* text = L"The printer cannot be reached.";
    RECT r{kPreviewMargin, 0, PrintPaintBox.Width() - kPreviewMargin, 0};
    ::DrawTextW(dc, text, -1, &r, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
    const int height = r.bottom - r.top;
    r = RECT{kPreviewMargin, (PrintPaintBox.Height() - height) / 2, PrintPaintBox.Width() - kPreviewMargin,
             (PrintPaintBox.Height() + height) / 2};
    ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextW(dc, text, -1, &r, DT_CENTER | DT_WORDBREAK);
    return;
  }
  RECT shadow{p.page.x + 2, p.page.y + 2, p.page.x + p.page.width + 2, p.page.y + p.page.height + 2};
  tk::GdiBrush shadowBrush(::CreateSolidBrush(kSheetShadow));
  ::FillRect(dc, &shadow, shadowBrush.get());
  RECT sheet{p.page.x, p.page.y, p.page.x + p.page.width, p.page.y + p.page.height};
  ::FillRect(dc, &sheet, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::FrameRect(dc, &sheet, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));

  {
    tk::GdiPen dotted(::CreatePen(PS_DOT, 1, kPrintableLine));
    tk::SelectedObject pen(dc, dotted.get());
    tk::SelectedObject brush(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, p.printable.x, p.printable.y, p.printable.x + p.printable.width,
                p.printable.y + p.printable.height);
  }

  if (p.picture.width > 0 && image_.Bits)
    DrawDIB(dc, p.picture.x, p.picture.y, p.picture.width, p.picture.height, image_, 0, 0, DIBWidth(image_),
            DIBHeight(image_), true, SRCCOPY, true, nullptr);
}

}  // namespace app
