#include "render/size_settings.h"

#include <utility>

#include "core/picture_size.h"

namespace render {
namespace {

struct Bounds {
  int left, top, width, height;
};

struct SpinLayout {
  Bounds bounds;
  int32_t minValue, maxValue, value;
  int tabOrder;
};

// The band's layout: positions and sizes in pixels, ranges and defaults.
constexpr int kBandHeight = 105;
constexpr SpinLayout kBreitEd{{64, 8, 97, 21}, 1, 30000, 750, 1};
constexpr SpinLayout kHochEd{{64, 32, 97, 21}, 1, 30000, 1000, 2};
constexpr Bounds kRandCheck{216, 8, 97, 17};
constexpr int kRandCheckTab = 3;
constexpr SpinLayout kRandl{{400, 8, 65, 21}, 0, 100, 5, 4};
constexpr SpinLayout kRandr{{400, 32, 65, 21}, 0, 100, 5, 5};
constexpr SpinLayout kRando{{544, 8, 65, 21}, 0, 100, 5, 6};
constexpr SpinLayout kRandu{{544, 32, 65, 21}, 0, 1000, 5, 7};  // the bottom border alone goes to 1000 %
constexpr Bounds kColorCombo{400, 56, 209, 22};
constexpr int kColorComboTab = 8;
constexpr Bounds kRenderBtn{8, 56, 113, 25};
constexpr int kRenderBtnTab = 0;

struct LabelLayout {
  const wchar_t* caption;
  int left, top;
};

constexpr LabelLayout kLabels[] = {
    {L"Width:", 8, 8},         {L"Pixel", 168, 8},
    {L"Height:", 8, 32},       {L"Pixel", 168, 32},
    {L"Left edge:", 336, 8},   {L"%", 464, 8},
    {L"Right edge:", 336, 32}, {L"%", 464, 32},
    {L"Top edge:", 480, 8},    {L"%", 608, 8},
    {L"Bottom edge:", 480, 32}, {L"%", 608, 32},
    {L"Border color:", 336, 56},
    {L"Hint: It is not recommend to choose a size above 3500x3500 pixel.", 8, 88},
};

void ApplySpin(tk::TRxSpinEdit& e, const SpinLayout& l) {
  e.SetRange(l.minValue, l.maxValue);
  e.SetValue(l.value);
}

}  // namespace

TSizeSettings::TSizeSettings(tk::TWinControl* parent, int32_t& docExtentX, int32_t& docExtentY, bool& sizeLock)
    : TPanel(parent),
      BreitEd(this, kBreitEd.bounds.left, kBreitEd.bounds.top, kBreitEd.bounds.width, kBreitEd.bounds.height),
      HochEd(this, kHochEd.bounds.left, kHochEd.bounds.top, kHochEd.bounds.width, kHochEd.bounds.height),
      RandCheck(this, kRandCheck.left, kRandCheck.top, kRandCheck.width, kRandCheck.height, L"Add border"),
      randl(this, kRandl.bounds.left, kRandl.bounds.top, kRandl.bounds.width, kRandl.bounds.height),
      randr(this, kRandr.bounds.left, kRandr.bounds.top, kRandr.bounds.width, kRandr.bounds.height),
      rando(this, kRando.bounds.left, kRando.bounds.top, kRando.bounds.width, kRando.bounds.height),
      randu(this, kRandu.bounds.left, kRandu.bounds.top, kRandu.bounds.width, kRandu.bounds.height),
      CorvixColorComboBox1(this),
      RenderBtn(this, kRenderBtn.left, kRenderBtn.top, kRenderBtn.width, kRenderBtn.height, L"Render"),
      docExtentX_(docExtentX),
      docExtentY_(docExtentY),
      sizeLock_(sizeLock) {
  SetBounds(0, 0, parent ? parent->ClientWidth() : 0, kBandHeight);
  SetAlign(tk::TAlign::alTop);

  for (const LabelLayout& l : kLabels) Labels.push_back(std::make_unique<tk::TLabel>(this, l.left, l.top, l.caption));

  const std::pair<tk::TRxSpinEdit*, const SpinLayout*> spins[] = {
      {&BreitEd, &kBreitEd}, {&HochEd, &kHochEd}, {&randl, &kRandl},
      {&randr, &kRandr},     {&rando, &kRando},   {&randu, &kRandu}};
  for (const auto& [edit, layout] : spins) ApplySpin(*edit, *layout);
  RandCheck.SetChecked(true);
  CorvixColorComboBox1.SetBounds(kColorCombo.left, kColorCombo.top, kColorCombo.width, kColorCombo.height);
  CorvixColorComboBox1.SetHTMLcolor(L"#FFFFFF");
  CorvixColorComboBox1.SetColorValue(controls::clWhite);

  // Each control moves to its place in tab order; doing it in ascending order
  // leaves the whole sequence in place.
  RenderBtn.SetTabOrder(kRenderBtnTab);
  BreitEd.SetTabOrder(kBreitEd.tabOrder);
  HochEd.SetTabOrder(kHochEd.tabOrder);
  RandCheck.SetTabOrder(kRandCheckTab);
  randl.SetTabOrder(kRandl.tabOrder);
  randr.SetTabOrder(kRandr.tabOrder);
  rando.SetTabOrder(kRando.tabOrder);
  randu.SetTabOrder(kRandu.tabOrder);
  CorvixColorComboBox1.SetTabOrder(kColorComboTab);

  // Wired last: the defaults above are not user changes.
  BreitEd.OnChange = [this] { BreitEdChange(); };
  HochEd.OnChange = [this] { HochEdChange(); };
}

void TSizeSettings::BreitEdChange() {
  if (sizeLock_) return;
  sizeLock_ = true;
  if (docExtentX_ != 0)
    HochEd.SetValue(
        static_cast<double>(core::LockedSide(static_cast<int32_t>(BreitEd.Value()), docExtentY_, docExtentX_)));
  sizeLock_ = false;
}

void TSizeSettings::HochEdChange() {
  if (sizeLock_) return;
  sizeLock_ = true;
  if (docExtentY_ != 0)
    BreitEd.SetValue(
        static_cast<double>(core::LockedSide(static_cast<int32_t>(HochEd.Value()), docExtentX_, docExtentY_)));
  sizeLock_ = false;
}

}  // namespace render
