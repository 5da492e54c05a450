// Render: reads the size band as it stands and draws the document in strips.
#include <cmath>

#include "app/escape_key.h"
#include "app/main_form.h"
#include "toolkit/handles.h"

namespace app {

namespace {
int32_t IntValue(const tk::TRxSpinEdit& e) { return static_cast<int32_t>(std::lround(e.Value())); }
}  // namespace

render::RenderSettings TMainForm::ReadRenderSettings() const {
  render::RenderSettings s;
  s.width = IntValue(BreitEd);
  s.height = IntValue(HochEd);
  s.border = RandCheck.Checked();
  if (s.border) {
    s.left = IntValue(randl);
    s.right = IntValue(randr);
    s.top = IntValue(rando);
    s.bottom = IntValue(randu);
  }
  s.color = static_cast<uint32_t>(CorvixColorComboBox1.ColorValue());
  return s;
}

void TMainForm::RenderBtnClick() {
  const render::RenderSettings settings = ReadRenderSettings();
  tk::WindowDC reference(Handle());
  render::RenderContext context;
  context.drawDocument = [this](HDC dc, int l, int t, int w, int h) { MyOleContainer1.DrawDocument(dc, l, t, w, h); };
  context.referenceDC = reference.get();
  context.progress = [this](int percent) { SetProStatus(percent); };
  context.owner = Handle();
  // The render keeps the thread until it ends; only Esc is looked at between strips.
  context.cancel = [] { return TakeEscapeKey(); };
  render::StripRenderer renderer(context);
  renderer.SetFailureInjection(RenderFailures);
  raster::OwnedDib picture = renderer.Render(settings);
  if (picture) TakePicture(picture.release());
}

}  // namespace app
