// Base of every window in the program: owns its HWND, dispatches messages to
// virtual handlers, lays out aligned children, and receives the notifications
// its parent gets about it (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, ...), so each
// control handles its own events.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/font.h"
#include "toolkit/published.h"

namespace tk {

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

class TWinControl {
 public:
  explicit TWinControl(TWinControl* parent);
  virtual ~TWinControl();
  TWinControl(const TWinControl&) = delete;
  TWinControl& operator=(const TWinControl&) = delete;

  HWND Handle() const { return hwnd_; }
  TWinControl* Parent() const { return parent_; }
  const std::vector<TWinControl*>& Controls() const { return children_; }
  static TWinControl* FromHandle(HWND hwnd);

  // Geometry, in the parent's client coordinates.
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int ClientWidth() const;
  int ClientHeight() const;

  void SetAlign(TAlign a);
  TAlign Align() const { return align_; }

  void SetVisible(bool v);
  bool Visible() const;
  void SetEnabled(bool e);
  bool Enabled() const;

  void SetColor(COLORREF c);
  COLORREF Color() const { return color_; }
  void SetFont(const TFont& f);
  const TFont& Font() const { return font_; }

  void SetText(const std::wstring& text);
  std::wstring Text() const;

  // Moves this control to position `index` among its siblings in tab order.
  void SetTabOrder(int index);

  void Invalidate();
  void Update();
  void Repaint();  // invalidate and paint before returning
  void SetFocus();
  bool Focused() const;

  // Lays out the aligned children inside AlignRect().
  void Realign();

  // The control ID the creator chose (or the one given automatically).
  int ControlId() const;
  // The top-level control this one sits in (itself for a form).
  TWinControl* Root();
  // The toolkit control with this ID among the descendants, depth first.
  TWinControl* FindDescendant(int id);

  // The name code and stored settings know the control by; empty by default.
  const std::wstring& Name() const { return name_; }
  void SetName(const std::wstring& name) { name_ = name; }
  // The descendant of that name (case ignored), depth first; nullptr if none.
  TWinControl* FindComponent(std::wstring_view name);

  // The properties the control publishes for stored settings.
  virtual std::vector<TPublishedProperty> PublishedProperties() { return {}; }

  // Whoever keeps a pointer to this control hears when it is destroyed.
  class TFreeObserver {
   public:
    virtual void ControlFreed(TWinControl* control) = 0;

   protected:
    ~TFreeObserver() = default;
  };
  void AddFreeObserver(TFreeObserver* observer);
  void RemoveFreeObserver(TFreeObserver* observer);

  std::function<void()> OnResize;

  // The record a window is created from; a derived control changes it (its
  // style, ID, ...) before passing it on to the base that creates the window.
  struct CreateParams {
    const wchar_t* className = nullptr;  // a system class to subclass; nullptr: a toolkit class
    std::wstring ownClass;                // name of the toolkit class; empty: the shared control class
    std::wstring text;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    int id = 0;  // a child's control ID; 0: the next free one of the program's own range
    HWND owner = nullptr;  // a top-level window's owner
  };

 protected:
  // Creates the window. Call from the constructor of the class that creates
  // it; creation messages reach that class's overrides.
  void CreateHandle(const CreateParams& cp);

  virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);

  // A notification that the parent received about this control. Return true
  // and set result when handled.
  virtual bool HandleNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) { return false; }

  // The area that aligned children share; panels inset it by their bevels.
  virtual RECT AlignRect() const;
  // Erases the background with Color(); controls that paint everything themselves override.
  virtual bool EraseBackground(HDC dc);
  // Fills the client area with the parent's colour, for controls that show
  // their parent's face around what they draw.
  void FillWithParentColor(HDC dc) const;
  virtual void FontChanged() {}
  // A child's size or position changed (after the change).
  virtual void ChildBoundsChanged(TWinControl* child) {}
  // The keyboard focus moved to `focused` (a control of the same top-level
  // window); every control of that window hears it, the focused one too.
  virtual void FocusMoved(TWinControl* focused) {}
  // DM_GETDEFID and DM_SETDEFID while keyboard navigation runs for this
  // window (see dialog_keys.h); they never reach WndProc then.
  virtual LRESULT DialogQuery(UINT msg, WPARAM wp, LPARAM lp) { return 0; }

  bool IsSystemClass() const { return systemClass_; }

 private:
  static LRESULT CALLBACK StaticWndProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
  bool ReflectToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  void Attach(HWND hwnd);
  void BroadcastFocus(TWinControl* focused);

  TWinControl* parent_;
  std::vector<TWinControl*> children_;
  std::vector<TFreeObserver*> freeObservers_;
  std::wstring name_;
  HWND hwnd_ = nullptr;
  bool systemClass_ = false;
  TAlign align_ = TAlign::alNone;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  COLORREF color_;
  TFont font_;
  bool realigning_ = false;
};

}  // namespace tk
