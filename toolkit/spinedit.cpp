#include "toolkit/spinedit.h"

#include <commctrl.h>

#include <cmath>
#include <string>

namespace tk {
namespace {

constexpr int kSpinButtonWidth = 15;

}  // namespace

TRxSpinEdit::TRxSpinEdit(TWinControl* parent, int left, int top, int width, int height)
    : TEdit(parent, left, top, width, height) {
  if (!Handle()) return;
  // Our own handling does the stepping: the buttons neither hold a position
  // nor talk to a buddy, they only report which way they were pressed.
  spin_ = ::CreateWindowExW(0, UPDOWN_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, Handle(), nullptr,
                            ::GetModuleHandleW(nullptr), nullptr);
  if (spin_) {
    ::SendMessageW(spin_, UDM_SETRANGE32, 0, 100);
    ::SendMessageW(spin_, UDM_SETPOS32, 0, 50);
  }
  ::SetWindowLongW(Handle(), GWL_STYLE, ::GetWindowLongW(Handle(), GWL_STYLE) | WS_CLIPCHILDREN);
  PlaceSpinButton();
}

void TRxSpinEdit::PlaceSpinButton() {
  RECT rc;
  ::GetClientRect(Handle(), &rc);
  if (spin_)
    ::SetWindowPos(spin_, nullptr, rc.right - kSpinButtonWidth, 0, kSpinButtonWidth, rc.bottom,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, kSpinButtonWidth + 1));
}

void TRxSpinEdit::SetRange(int32_t minValue, int32_t maxValue) { range_ = {minValue, maxValue}; }

double TRxSpinEdit::Value() const {
  const auto v = core::ParseSpinText(Text());
  return v ? *v : range_.min;
}

void TRxSpinEdit::SetValue(double v) {
  if (std::isnan(v)) return;
  const std::wstring text = std::to_wstring(core::ClampSpinValue(v, range_));
  // An unchanged text would still notify; the event is for real changes only.
  if (text != Text()) SetText(text);
}

std::vector<TPublishedProperty> TRxSpinEdit::PublishedProperties() {
  auto list = TEdit::PublishedProperties();
  list.push_back(FloatProperty(L"Value", core::kExtendedDigits, [this] { return Value(); },
                               [this](double v) { SetValue(v); }));
  return list;
}

void TRxSpinEdit::Step(int direction) { SetValue(Value() + direction); }

void TRxSpinEdit::DoExit() {
  // A number typed beyond the range stands until the user leaves the field.
  const double v = Value();
  if (!range_.Contains(static_cast<int64_t>(v))) SetValue(v);
  TEdit::DoExit();
}

LRESULT TRxSpinEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_KEYDOWN:
      if (wp == VK_UP || wp == VK_DOWN) {
        Step(wp == VK_UP ? 1 : -1);
        return 0;
      }
      break;
    case WM_CHAR:
      // Whole numbers only; control characters (Backspace, Ctrl+V, ...) pass.
      if (wp >= 0x20 && !(wp >= L'0' && wp <= L'9') && wp != L'-' && wp != L'+') return 0;
      break;
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
      if (hdr->hwndFrom == spin_ && hdr->code == UDN_DELTAPOS) {
        const auto* ud = reinterpret_cast<const NMUPDOWN*>(lp);
        if (ud->iDelta != 0) Step(ud->iDelta > 0 ? 1 : -1);
        return TRUE;  // keep the buttons' own position where it is
      }
      break;
    }
    case WM_VSCROLL:
      // The buttons' scroll report follows every press; the step is already done.
      if (reinterpret_cast<HWND>(lp) == spin_) return 0;
      break;
    case WM_SIZE: {
      const LRESULT r = TEdit::WndProc(msg, wp, lp);
      PlaceSpinButton();
      return r;
    }
  }
  return TEdit::WndProc(msg, wp, lp);
}

}  // namespace tk
