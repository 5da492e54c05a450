#include "toolkit/wincontrol.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/dialog_keys.h"
#include "toolkit/handles.h"

namespace tk {
namespace {

constexpr wchar_t kControlClass[] = L"VerdaluxControl";
constexpr wchar_t kProp[] = L"VerdaluxControlObject";

void RegisterControlClass(const wchar_t* name, WNDPROC proc) {
  WNDCLASSEXW wc{};
  if (::GetClassInfoExW(::GetModuleHandleW(nullptr), name, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = ::LoadIconW(wc.hInstance, L"MAINICON");
  if (!wc.hIcon) wc.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
  wc.lpszClassName = name;
  ::RegisterClassExW(&wc);
}

int NextControlId() {
  static int id = 1000;
  return ++id;
}

}  // namespace

TWinControl::TWinControl(TWinControl* parent)
    : parent_(parent), color_(::GetSysColor(COLOR_BTNFACE)) {
  if (parent_) {
    parent_->children_.push_back(this);
    font_ = parent_->font_;
  }
}

TWinControl::~TWinControl() {
  // A copy: an observer may stop observing while it hears.
  const std::vector<TFreeObserver*> observers = freeObservers_;
  for (TFreeObserver* o : observers) o->ControlFreed(this);
  // Children are members of the derived classes and are destroyed first; a
  // child still listed here has been destroyed out of order, so forget it.
  for (TWinControl* c : children_) c->parent_ = nullptr;
  if (parent_) {
    auto& sib = parent_->children_;
    sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
  }
  if (hwnd_) {
    HWND h = hwnd_;
    if (systemClass_) ::RemoveWindowSubclass(h, SubclassProc, 0);
    ::RemovePropW(h, kProp);
    hwnd_ = nullptr;
    ::DestroyWindow(h);
  }
}

TWinControl* TWinControl::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<TWinControl*>(::GetPropW(hwnd, kProp)) : nullptr;
}

void TWinControl::Attach(HWND hwnd) {
  hwnd_ = hwnd;
  ::SetPropW(hwnd, kProp, this);
}

void TWinControl::CreateHandle(const CreateParams& cp) {
  left_ = cp.x;
  top_ = cp.y;
  width_ = cp.width;
  height_ = cp.height;
  HWND parentWnd = parent_ ? parent_->hwnd_ : cp.owner;
  const int childId = cp.id != 0 ? cp.id : NextControlId();
  HMENU id = (cp.style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId)) : nullptr;
  if (cp.className) {
    systemClass_ = true;
    HWND h = ::CreateWindowExW(cp.exStyle, cp.className, cp.text.c_str(), cp.style, cp.x, cp.y, cp.width,
                               cp.height, parentWnd, id, ::GetModuleHandleW(nullptr), nullptr);
    if (!h) return;
    Attach(h);
    ::SetWindowSubclass(h, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
  } else {
    const wchar_t* cls = cp.ownClass.empty() ? kControlClass : cp.ownClass.c_str();
    RegisterControlClass(cls, StaticWndProc);
    ::CreateWindowExW(cp.exStyle, cls, cp.text.c_str(), cp.style, cp.x, cp.y, cp.width, cp.height,
                      parentWnd, id, ::GetModuleHandleW(nullptr), this);
  }
  if (hwnd_) ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(font_)), FALSE);
  if (parent_ && align_ != TAlign::alNone) parent_->Realign();
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  TWinControl* self = FromHandle(hwnd);
  if (!self && msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    self = static_cast<TWinControl*>(cs->lpCreateParams);
    if (self) self->Attach(hwnd);
  }
  if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
  return self->Dispatch(msg, wp, lp);
}

LRESULT CALLBACK TWinControl::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                           DWORD_PTR ref) {
  auto* self = reinterpret_cast<TWinControl*>(ref);
  if (msg == WM_NCDESTROY) {
    ::RemoveWindowSubclass(hwnd, SubclassProc, 0);
    ::RemovePropW(hwnd, kProp);
    self->hwnd_ = nullptr;
    return ::DefSubclassProc(hwnd, msg, wp, lp);
  }
  return self->Dispatch(msg, wp, lp);
}

LRESULT TWinControl::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT r = 0;
  if (ReflectToChild(msg, wp, lp, r)) return r;
  if (msg == WM_SETFOCUS) Root()->BroadcastFocus(this);
  if ((msg == DM_GETDEFID || msg == DM_SETDEFID) && hwnd_ && NavigatingWindow() == hwnd_)
    return DialogQuery(msg, wp, lp);
  if (msg == WM_NCDESTROY && !systemClass_) {
    HWND h = hwnd_;
    ::RemovePropW(h, kProp);
    hwnd_ = nullptr;
    return ::DefWindowProcW(h, msg, wp, lp);
  }
  return WndProc(msg, wp, lp);
}

bool TWinControl::ReflectToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  HWND child = nullptr;
  switch (msg) {
    case WM_COMMAND:
      child = reinterpret_cast<HWND>(lp);
      break;
    case WM_NOTIFY:
      child = reinterpret_cast<NMHDR*>(lp)->hwndFrom;
      break;
    case WM_DRAWITEM:
      child = reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem;
      break;
    case WM_MEASUREITEM:
      child = ::GetDlgItem(hwnd_, static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->CtlID));
      break;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_HSCROLL:
    case WM_VSCROLL:
      child = reinterpret_cast<HWND>(lp);
      break;
    default:
      return false;
  }
  if (!child || child == hwnd_) return false;
  TWinControl* c = FromHandle(child);
  return c && c->HandleNotify(msg, wp, lp, result);
}

LRESULT TWinControl::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (systemClass_) return ::DefSubclassProc(hwnd_, msg, wp, lp);
  return ::DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      if (EraseBackground(reinterpret_cast<HDC>(wp))) return 1;
      break;
    case WM_WINDOWPOSCHANGED: {
      const auto* wp2 = reinterpret_cast<const WINDOWPOS*>(lp);
      const bool sized = !(wp2->flags & SWP_NOSIZE);
      if (!(wp2->flags & SWP_NOMOVE) || sized) {
        RECT r;
        ::GetWindowRect(hwnd_, &r);
        if (HWND p = ::GetParent(hwnd_); p && (::GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD))
          ::MapWindowPoints(nullptr, p, reinterpret_cast<POINT*>(&r), 2);
        left_ = r.left;
        top_ = r.top;
        width_ = r.right - r.left;
        height_ = r.bottom - r.top;
      }
      LRESULT res = DefaultProc(msg, wp, lp);
      if (sized) {
        Realign();
        if (OnResize) OnResize();
      }
      if (parent_ && !((wp2->flags & SWP_NOSIZE) && (wp2->flags & SWP_NOMOVE))) parent_->ChildBoundsChanged(this);
      return res;
    }
  }
  return DefaultProc(msg, wp, lp);
}

bool TWinControl::EraseBackground(HDC dc) {
  if (systemClass_) return false;
  RECT r;
  ::GetClientRect(hwnd_, &r);
  GdiBrush b(::CreateSolidBrush(color_));
  ::FillRect(dc, &r, b.get());
  return true;
}

void TWinControl::FillWithParentColor(HDC dc) const {
  RECT r;
  ::GetClientRect(hwnd_, &r);
  GdiBrush b(::CreateSolidBrush(parent_ ? parent_->Color() : color_));
  ::FillRect(dc, &r, b.get());
}

RECT TWinControl::AlignRect() const {
  RECT r{0, 0, 0, 0};
  if (hwnd_) ::GetClientRect(hwnd_, &r);
  return r;
}

void TWinControl::Realign() {
  if (!hwnd_ || realigning_) return;
  realigning_ = true;
  RECT r = AlignRect();
  // Same order as the layout tables read: tops, bottoms, lefts, rights, then the rest.
  const TAlign order[] = {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient};
  for (TAlign a : order) {
    for (TWinControl* c : children_) {
      if (c->align_ != a || !c->hwnd_ || !c->Visible()) continue;
      const int w = r.right - r.left, h = r.bottom - r.top;
      switch (a) {
        case TAlign::alTop:
          c->SetBounds(r.left, r.top, w, c->height_);
          r.top += c->height_;
          break;
        case TAlign::alBottom:
          c->SetBounds(r.left, r.bottom - c->height_, w, c->height_);
          r.bottom -= c->height_;
          break;
        case TAlign::alLeft:
          c->SetBounds(r.left, r.top, c->width_, h);
          r.left += c->width_;
          break;
        case TAlign::alRight:
          c->SetBounds(r.right - c->width_, r.top, c->width_, h);
          r.right -= c->width_;
          break;
        case TAlign::alClient:
          c->SetBounds(r.left, r.top, std::max(0, w), std::max(0, h));
          break;
        default:
          break;
      }
    }
  }
  realigning_ = false;
}

int TWinControl::ControlId() const { return hwnd_ ? ::GetDlgCtrlID(hwnd_) : 0; }

TWinControl* TWinControl::Root() {
  TWinControl* c = this;
  while (c->parent_) c = c->parent_;
  return c;
}

TWinControl* TWinControl::FindDescendant(int id) {
  for (TWinControl* c : children_) {
    if (c->ControlId() == id) return c;
    if (TWinControl* d = c->FindDescendant(id)) return d;
  }
  return nullptr;
}

TWinControl* TWinControl::FindComponent(std::wstring_view name) {
  for (TWinControl* c : children_) {
    if (!c->name_.empty() && ::CompareStringOrdinal(c->name_.data(), static_cast<int>(c->name_.size()), name.data(),
                                                    static_cast<int>(name.size()), TRUE) == CSTR_EQUAL)
      return c;
    if (TWinControl* d = c->FindComponent(name)) return d;
  }
  return nullptr;
}

void TWinControl::AddFreeObserver(TFreeObserver* observer) {
  if (std::find(freeObservers_.begin(), freeObservers_.end(), observer) == freeObservers_.end())
    freeObservers_.push_back(observer);
}

void TWinControl::RemoveFreeObserver(TFreeObserver* observer) {
  freeObservers_.erase(std::remove(freeObservers_.begin(), freeObservers_.end(), observer), freeObservers_.end());
}

void TWinControl::BroadcastFocus(TWinControl* focused) {
  FocusMoved(focused);
  for (TWinControl* c : children_) c->BroadcastFocus(focused);
}

int TWinControl::ClientWidth() const {
  RECT r{};
  if (hwnd_) ::GetClientRect(hwnd_, &r);
  return r.right;
}

int TWinControl::ClientHeight() const {
  RECT r{};
  if (hwnd_) ::GetClientRect(hwnd_, &r);
  return r.bottom;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (hwnd_) ::SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::SetAlign(TAlign a) {
  align_ = a;
  if (parent_) parent_->Realign();
}

void TWinControl::SetVisible(bool v) {
  if (!hwnd_) return;
  ::ShowWindow(hwnd_, v ? SW_SHOW : SW_HIDE);
  if (parent_ && align_ != TAlign::alNone) parent_->Realign();
}

bool TWinControl::Visible() const { return hwnd_ && (::GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE); }

void TWinControl::SetEnabled(bool e) {
  if (hwnd_) ::EnableWindow(hwnd_, e);
}

bool TWinControl::Enabled() const { return hwnd_ && ::IsWindowEnabled(hwnd_); }

void TWinControl::SetColor(COLORREF c) {
  if (color_ == c) return;
  color_ = c;
  Invalidate();
}

void TWinControl::SetFont(const TFont& f) {
  font_ = f;
  if (hwnd_) ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(font_)), TRUE);
  FontChanged();
  Invalidate();
}

void TWinControl::SetText(const std::wstring& text) {
  if (hwnd_) ::SetWindowTextW(hwnd_, text.c_str());
}

std::wstring TWinControl::Text() const {
  if (!hwnd_) return {};
  const int n = ::GetWindowTextLengthW(hwnd_);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  const int got = ::GetWindowTextW(hwnd_, s.data(), n + 1);
  s.resize(static_cast<size_t>(std::max(0, got)));
  return s;
}

void TWinControl::SetTabOrder(int index) {
  if (!hwnd_ || !parent_) return;
  // Tab order follows the z-order of siblings: the first in tab order is on top.
  HWND after = HWND_TOP;
  int i = 0;
  for (HWND h = ::GetWindow(parent_->hwnd_, GW_CHILD); h && i < index; h = ::GetWindow(h, GW_HWNDNEXT)) {
    if (h == hwnd_) continue;
    after = h;
    ++i;
  }
  ::SetWindowPos(hwnd_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::Invalidate() {
  if (hwnd_) ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void TWinControl::Update() {
  if (hwnd_) ::UpdateWindow(hwnd_);
}

void TWinControl::Repaint() {
  if (hwnd_) ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void TWinControl::SetFocus() {
  if (hwnd_) ::SetFocus(hwnd_);
}

bool TWinControl::Focused() const { return hwnd_ && ::GetFocus() == hwnd_; }

}  // namespace tk
