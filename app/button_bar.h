// The contents of the main window's bottom button bar: the homepage link on
// the left and, on a panel at the right, the about and quit picture buttons,
// each with its hint.
#pragma once
#include <string>

#include "controls/image_btn.h"
#include "toolkit/panel.h"
#include "toolkit/speedbutton.h"
#include "toolkit/tooltips.h"

namespace app {

// Where the bar's controls sit, in their parents' client coordinates.
struct BarPlacement {
  int left, top, width, height;
};
inline constexpr BarPlacement kWwwBtnPlace{5, 5, 137, 33};
inline constexpr int kPanel8Width = 206;
inline constexpr BarPlacement kUeberBtnPlace{0, 8, 101, 30};
inline constexpr BarPlacement kEndeBtnPlace{104, 8, 101, 30};

inline constexpr wchar_t kWwwBtnHint[] = L"Go to the Harvik homepage...";
inline constexpr wchar_t kUeberBtnHint[] = L"Information about the program";
inline constexpr wchar_t kEndeBtnHint[] = L"Hereby you leave the program";

class TButtonBar {
 public:
  // bar: the panel the controls go into; its form carries the hints.
  explicit TButtonBar(tk::TPanel& bar);

  tk::TSpeedButton wwwBtn;
  tk::TPanel Panel8;
  controls::TImageBtn ueberbtn;
  controls::TImageBtn endebtn;
  tk::TToolTips Hints;
};

}  // namespace app
