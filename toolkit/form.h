// A top-level window: caption, client size, centring, the close question and
// the events a form class handles.
#pragma once
#include "toolkit/wincontrol.h"

namespace tk {

class TForm : public TWinControl {
 public:
  // className names the window class (so a form can be found by class and caption).
  TForm(const std::wstring& className, const std::wstring& caption, int clientWidth, int clientHeight,
        const TFont& font);
  ~TForm() override;

  void Show();
  // Asks OnCloseQuery and closes (destroys the window) only when allowed.
  void Close();
  bool Closed() const { return Handle() == nullptr; }
  // Destroys the window and its children now, while every member still exists.
  void DestroyHandle();

  std::function<void(bool& canClose)> OnCloseQuery;
  std::function<void()> OnDestroy;
  std::function<void(int delta, int x, int y)> OnMouseWheel;  // raw wheel delta

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  std::wstring className_;
};

}  // namespace tk
