#include "toolkit/button.h"

#include "toolkit/form.h"

namespace tk {

TWinControl::CreateParams TButton::PushParams(int left, int top, int width, int height, const std::wstring& caption,
                                              int id) {
  return Params(BS_PUSHBUTTON, left, top, width, height, caption, id);
}

TButton::TButton(TWinControl* parent, int left, int top, int width, int height, const std::wstring& caption, int id)
    : TButton(parent, PushParams(left, top, width, height, caption, id)) {}

TButton::TButton(TWinControl* parent, const CreateParams& cp) : TButtonControl(parent, cp) {}

void TButton::Click() {
  if (modalResult_ != 0)
    if (auto* form = dynamic_cast<TForm*>(Root())) form->SetModalResult(modalResult_);
  TButtonControl::Click();
}

void TButton::SetDefault(bool value) {
  if (default_ == value) return;
  default_ = value;
  TWinControl* focused = FromHandle(::GetFocus());
  UpdateActive(focused && focused->Root() == Root() ? focused : nullptr);
}

void TButton::FocusMoved(TWinControl* focused) { UpdateActive(focused); }

void TButton::UpdateActive(TWinControl* focused) {
  const bool active = focused == this || (default_ && !dynamic_cast<TButton*>(focused));
  if (active == active_) return;
  active_ = active;
  ActiveChanged();
}

void TButton::ActiveChanged() {
  if (Handle()) ::SendMessageW(Handle(), BM_SETSTYLE, active_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

}  // namespace tk
