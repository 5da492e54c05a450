// Runs a function from inside whatever message loop dispatches next: the way a
// test looks at a modal dialog while its own loop runs.
#pragma once
#include <windows.h>

#include <functional>
#include <utility>

namespace testsupport {

class PostedCall {
 public:
  explicit PostedCall(std::function<void()> fn) : fn_(std::move(fn)) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TestPostedCall";
    RegisterClassW(&wc);  // fails harmlessly when already registered
    hwnd_ = CreateWindowExW(0, L"TestPostedCall", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    PostMessageW(hwnd_, WM_APP, 0, 0);
  }
  ~PostedCall() { DestroyWindow(hwnd_); }
  PostedCall(const PostedCall&) = delete;
  PostedCall& operator=(const PostedCall&) = delete;
  bool Ran() const { return ran_; }

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP) {
      auto* self = reinterpret_cast<PostedCall*>(GetWindowLongPtrW(h, GWLP_USERDATA));
      if (self && !self->ran_) {
        self->ran_ = true;
        self->fn_();
      }
      return 0;
    }
    return DefWindowProcW(h, msg, wp, lp);
  }
  std::function<void()> fn_;
  HWND hwnd_ = nullptr;
  bool ran_ = false;
};

// A left click at (x, y) of the window's client area, as the mouse sends it.
inline void MouseClick(HWND h, int x = 10, int y = 10) {
  SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

}  // namespace testsupport
