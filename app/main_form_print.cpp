// The "Save and print" page's print command: the print dialog on the current
// picture and the default printer, then the picture on the chosen printer.
#include "app/main_form.h"

#include "app/print_form.h"
#include "output/print_picture.h"
#include "toolkit/modal.h"

namespace app {

void TMainForm::PrintBtnClick() {
  std::optional<tk::PrinterChoice> printer = DefaultPrinter ? DefaultPrinter() : std::nullopt;
  if (!printer) {
    tk::ShowMessage(Handle(), L"No printer is installed. Add a printer in Windows, then print again.",
                    L"Print picture...", MB_OK | MB_ICONINFORMATION);
    return;
  }
  core::PrintOptions options;
  {
    tk::FormInstance<TPrintForm> PrintForm(Handle(), CurrentImage, std::move(*printer));
    if (PrintForm.ShowModal() != tk::mrOk) return;
    options = PrintForm.Options();
    printer = PrintForm.Printer();
  }
  ::UpdateWindow(Handle());
  const HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  const output::PrintResult result =
      output::PrintPicture(*printer, CurrentImage, options, L"Verdalux picture", PrintOutputFile);
  ::SetCursor(previous);
  if (!result.ok) tk::ShowMessage(Handle(), result.error, L"Error", MB_OK | MB_ICONERROR);
}

}  // namespace app
