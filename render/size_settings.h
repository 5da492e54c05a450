// The settings band of the "Choose size and quality" page: picture width and
// height, locked to the document's aspect ratio, and the border settings that
// Render reads when it starts.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "controls/bitbtn_xp.h"
#include "controls/corvix_color_combobox.h"
#include "toolkit/checkbox.h"
#include "toolkit/label.h"
#include "toolkit/panel.h"
#include "toolkit/spinedit.h"

namespace render {

class TSizeSettings : public tk::TPanel {
 public:
  // The document extent and the lock flag belong to the main window; the band
  // reads and writes them there.
  TSizeSettings(tk::TWinControl* parent, int32_t& docExtentX, int32_t& docExtentY, bool& sizeLock);

  // Change events of the two size fields. The file page also calls
  // BreitEdChange after an import, so the height follows the new document.
  void BreitEdChange();
  void HochEdChange();

  tk::TRxSpinEdit BreitEd;
  tk::TRxSpinEdit HochEd;
  tk::TCheckBox RandCheck;
  tk::TRxSpinEdit randl;
  tk::TRxSpinEdit randr;
  tk::TRxSpinEdit rando;
  tk::TRxSpinEdit randu;
  controls::TCorvixColorComboBox CorvixColorComboBox1;
  controls::TBitBtnXP RenderBtn;
  std::vector<std::unique_ptr<tk::TLabel>> Labels;  // the captions beside the fields and the hint

 private:
  int32_t& docExtentX_;
  int32_t& docExtentY_;
  bool& sizeLock_;
};

}  // namespace render
