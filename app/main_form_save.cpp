// The "Save and print" page's button row and the save command: the current
// picture goes through the streamed file writers into the file and type the
// user chose, with its progress in the status bar.
#include "app/main_form.h"

#include <commdlg.h>

#include "core/save_choice.h"
#include "output/write_picture.h"
#include "render/renderer/picture_sink.h"
#include "toolkit/handles.h"
#include "toolkit/modal.h"

namespace app {
namespace {

// 32 x 16 glyphs, normal and disabled, made by the resource generator.
void SetGlyphFromResource(controls::TBitBtnXP& button, const wchar_t* name) {
  tk::GdiBitmap glyph(static_cast<HBITMAP>(
      ::LoadImageW(::GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  button.SetGlyph(glyph.get());
}

}  // namespace

void TMainForm::SetUpSaveRow() {
  SetGlyphFromResource(SaveAsBtn, L"SAVEGLYPH");
  SetGlyphFromResource(PrintBtn, L"PRINTGLYPH");
  SaveAsBtn.SetTabOrder(0);
  PrintBtn.SetTabOrder(1);
  SaveAsBtn.OnClick = [this] { SaveAsBtnClick(); };
  PrintBtn.OnClick = [this] { PrintBtnClick(); };
}

void TMainForm::SaveAsBtnClick() {
  tk::SaveDialogRequest request;
  request.owner = Handle();
  request.initialFolder = SaveDialog1InitialDir;
  request.filter = core::SaveDialogFilter();
  request.filterIndex = 1;
  request.defaultExt = core::SaveDialogDefaultExtension();
  request.flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
  const std::optional<tk::SaveDialogResult> answer = tk::SaveFileModal(request);
  if (!answer) return;

  const core::SaveTarget target = core::ChooseSaveTarget(answer->fileName, answer->filterIndex);
  core::WriteOptions options;  // the screen's 96 dpi
  options.format = target.format;
  std::unique_ptr<output::PictureWriter> writer = output::MakePictureWriter(target.fileName, options);
  if (SaveFailAfterBytes >= 0) writer->FailAfterBytes(SaveFailAfterBytes);
  const std::wstring path = writer->Path();

  std::wstring error;
  bool ok = false;
  if (!CurrentImage.Bits) {
    // The start-up picture could not be made: there is nothing to write.
    error = L"Could not write the picture file \"" + path + L"\": there is no picture in memory.";
  } else {
    ok = output::WritePicture(render::RowsOf(CurrentImage), std::move(writer), error,
                              [this](int32_t percent) { SetProStatus(percent); });
  }
  // The bar stays where the writing stopped while the failure is shown.
  if (!ok) tk::ShowMessage(Handle(), error, L"Error", MB_OK | MB_ICONERROR);
  SetProStatus(0);
}

}  // namespace app
