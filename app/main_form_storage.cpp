// The main window's stored settings: its placement and the border settings
// of the size page, kept in the program's INI file in the Windows folder.
#include "app/main_form.h"

namespace app {

void TMainForm::SetUpStorage() {
  // The names the stored entries know the controls by.
  RandCheck.SetName(L"RandCheck");
  CorvixColorComboBox1.SetName(L"CorvixColorComboBox1");
  randl.SetName(L"randl");
  rando.SetName(L"rando");
  randr.SetName(L"randr");
  randu.SetName(L"randu");
  FormStorage1.SetStoredProps({L"RandCheck.Checked", L"CorvixColorComboBox1.ColorValue", L"randl.Value",
                               L"rando.Value", L"randr.Value", L"randu.Value"});
  FormStorage1.Loaded();
}

}  // namespace app
