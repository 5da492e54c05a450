// The progress bar in the status bar's second panel. It is painted at once,
// because the renderer does not return to the message loop between strips.
#include "app/main_form.h"
#include "app/progress_bar.h"
#include "toolkit/handles.h"

namespace app {
namespace {

void PaintBar(HDC dc, const RECT& panel, int32_t percent) {
  const RECT bar = ProgressBarRect(panel, percent);
  if (bar.right <= bar.left || bar.bottom <= bar.top) return;
  tk::GdiBrush navy(::CreateSolidBrush(RGB(0, 0, 128)));
  ::FillRect(dc, &bar, navy.get());
}

}  // namespace

void TMainForm::StatusBar1DrawPanel(HDC dc, int panel, const RECT& rect) {
  PaintBar(dc, rect, Progress);
  PanelRect = rect;
}

void TMainForm::SBarPaintMore() {
  tk::WindowDC dc(StatusBar1.Handle());
  if (dc) PaintBar(dc.get(), PanelRect, Progress);
}

void TMainForm::SetProStatus(int32_t percent) {
  if (percent < Progress) {
    Progress = percent;
    StatusBar1.Repaint();  // a shorter bar needs the old one erased
  } else {
    Progress = percent;
    SBarPaintMore();
  }
}

void TMainForm::WMUser(WPARAM wp, LPARAM) { SetProStatus(static_cast<int32_t>(wp)); }

}  // namespace app
