#include "controls/corvix_color_combobox.h"

#include <commdlg.h>

#include "toolkit/handles.h"
#include "toolkit/modal.h"

namespace controls {
namespace {

constexpr int kDefaultWidth = 120;
constexpr int kSwatchRight = 24;
constexpr int kCaptionIndent = 30;
constexpr size_t kMaxHtmlLength = 255;  // the property is a short string

}  // namespace

TCorvixColorComboBox::TCorvixColorComboBox(tk::TWinControl* parent)
    : TCustomComboBox(parent, tk::TComboBoxStyle::csOwnerDrawFixed, 0, 0, kDefaultWidth) {
  // The item texts are the colours' text forms, used to find a colour again;
  // users see the captions of the current language instead.
  for (int i = 0; i < kColorEntryCount; ++i) AddItem(ColorToText(StandardColors[i]));
  SetItemIndex(0);
}

std::vector<tk::TPublishedProperty> TCorvixColorComboBox::PublishedProperties() {
  auto list = TCustomComboBox::PublishedProperties();
  list.push_back(tk::IntegerProperty(L"ColorValue", [this] { return ColorValue(); },
                                     [this](int32_t v) { SetColorValue(v); }));
  return list;
}

void TCorvixColorComboBox::SetLanguage(TCLanguage language) {
  language_ = language;
  SetItemIndex(ItemIndex());
  Invalidate();
}

bool TCorvixColorComboBox::WriteColorValue(TColor value) {
  const TColor oldValue = colorValue_;
  const int oldIndex = ItemIndex();
  const std::wstring oldCustomText = Item(kCustomColorEntry);

  // Compare text forms, as the list stores them; the last match wins.
  const std::wstring form = ColorToText(value);
  int match = -1;
  for (int i = 0; i < kCustomColorEntry; ++i)
    if (Item(i) == form) match = i;
  bool ok = match >= 0 ? SetItemIndex(match)
                       : SetItem(kCustomColorEntry, form) && SetItemIndex(kCustomColorEntry);
  if (ok) {
    colorValue_ = value;
    // Selecting drew the box at once, still with the old colour in the swatch.
    Invalidate();
    ok = WriteHTMLcolor(ColorToHTML(value));
  }
  if (!ok) {
    // Value, text and selection stay as they were, so they keep agreeing.
    colorValue_ = oldValue;
    if (Item(kCustomColorEntry) != oldCustomText) SetItem(kCustomColorEntry, oldCustomText);
    SetItemIndex(oldIndex);
  }
  return ok;
}

bool TCorvixColorComboBox::WriteHTMLcolor(const std::wstring& text) {
  std::wstring t = UpperAscii(text.substr(0, kMaxHtmlLength));
  if (t.empty()) t = L"#000000";
  const auto parsed = HtmlToColor(t);
  if (!parsed) return false;
  // The nested value write stores the canonical text; the text as given wins
  // afterwards (so "#FFF" reads back as "#FFF").
  if (*parsed != colorValue_ && !WriteColorValue(*parsed)) return false;
  htmlColor_ = t;
  return true;
}

void TCorvixColorComboBox::Change() {
  const int index = ItemIndex();
  if (index == kCustomColorEntry) {
    const auto picked = tk::ChooseColorModal(Handle(), ColorToRGB(colorValue_), CC_FULLOPEN | CC_RGBINIT);
    if (picked) WriteColorValue(static_cast<TColor>(*picked & 0xFFFFFF));
  } else if (index >= 0) {
    WriteColorValue(StandardColors[index]);
  }
  // Raised in every case, a cancelled dialog included.
  TCustomComboBox::Change();
}

RECT TCorvixColorComboBox::SwatchRect(const RECT& item) {
  return {item.left + 4, item.top + 1, kSwatchRight, item.bottom - 1};
}

RECT TCorvixColorComboBox::CaptionRect(const RECT& item) {
  return {item.left + kCaptionIndent, item.top, item.right, item.bottom};
}

TColor TCorvixColorComboBox::EntryColor(int index) const {
  if (index == kCustomColorEntry) return colorValue_;
  if (const auto c = TextToColor(Item(index))) return *c;
  return index >= 0 && index < kColorEntryCount ? StandardColors[index] : clBlack;
}

void TCorvixColorComboBox::DrawItem(int index, const RECT& rect, UINT, tk::TItemCanvas& canvas) {
  HDC dc = canvas.dc;
  const COLORREF background = canvas.brushColor;
  {
    tk::GdiBrush b(::CreateSolidBrush(background));
    ::FillRect(dc, &rect, b.get());
  }
  const RECT swatch = SwatchRect(rect);
  tk::GdiBrush fill(::CreateSolidBrush(ColorToRGB(EntryColor(index))));
  ::FillRect(dc, &swatch, fill.get());
  {
    tk::GdiPen pen(::CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    tk::SelectedObject usePen(dc, pen.get());
    tk::SelectedObject useBrush(dc, fill.get());
    ::Rectangle(dc, swatch.left, swatch.top, swatch.right, swatch.bottom);
  }
  // The caption sits on the entry's background again.
  ::SetBkColor(dc, background);
  ::SetBkMode(dc, OPAQUE);
  ::SetTextColor(dc, canvas.fontColor);
  RECT text = CaptionRect(rect);
  const std::wstring caption = ColorCaption(language_, index);
  ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace controls
