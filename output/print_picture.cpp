#include "output/print_picture.h"

#include <vector>

#include "core/print_bands.h"
#include "output/system_message.h"
#include "raster/draw_dib.h"

namespace output {
namespace {

// An open print job: aborted when it is left before it was ended, so a
// failure never leaves half a document in the spooler or the file.
class PrintJob {
 public:
  PrintJob(HDC dc, const DOCINFOW& info) : dc_(dc), open_(::StartDocW(dc, &info) > 0) {}
  ~PrintJob() {
    if (open_) ::AbortDoc(dc_);
  }
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;
  bool open() const { return open_; }
  bool End() {
    open_ = false;
    return ::EndDoc(dc_) > 0;
  }

 private:
  HDC dc_;
  bool open_;
};

PrintResult Failed(std::wstring text) { return {false, std::move(text)}; }

// "HEAD: WHAT (the system's reason)." as one sentence.
std::wstring Sentence(const std::wstring& head, const std::wstring& what, DWORD code) {
  std::wstring s = head + L": " + what;
  if (code != ERROR_SUCCESS) {
    std::wstring reason = SystemMessage(code);
    while (!reason.empty() && reason.back() == L'.') reason.pop_back();
    s += L" (" + reason + L")";
  }
  return s + L".";
}

// The folder a file is to be written into, when it is named and missing. A
// spooler may only find out when the job ends, and then says less.
std::wstring MissingFolderOf(const std::wstring& file) {
  const size_t slash = file.find_last_of(L"\\/");
  if (slash == std::wstring::npos || slash == 0) return {};
  std::wstring folder = file.substr(0, slash);
  if (folder.size() == 2 && folder[1] == L':') return {};  // a drive's root
  const DWORD attributes = ::GetFileAttributesW(folder.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
  return folder;
}

}  // namespace

PrintResult PrintPicture(const tk::PrinterChoice& printer, const TDibImage& image, const core::PrintOptions& options,
                         const std::wstring& documentName, const std::wstring& outputFile) {
  return PrintPictureInBands(printer, image, options, documentName, outputFile, kPrintBandBytes);
}

PrintResult PrintPictureInBands(const tk::PrinterChoice& printer, const TDibImage& image,
                                const core::PrintOptions& options, const std::wstring& documentName,
                                const std::wstring& outputFile, int64_t maxBandBytes) {
  if (!raster::IsDrawable(image)) return Failed(L"The picture is empty, so there is nothing to print.");
  const std::wstring head = outputFile.empty() ? L"The picture could not be printed on \"" + printer.Device() + L"\""
                                               : L"The picture could not be printed to \"" + outputFile + L"\"";
  if (!outputFile.empty()) {
    const std::wstring missing = MissingFolderOf(outputFile);
    if (!missing.empty()) return Failed(Sentence(head, L"the folder \"" + missing + L"\" does not exist", 0));
  }
  tk::MemoryDC printerDC = printer.CreatePrinterDC();
  if (!printerDC) return Failed(Sentence(head, L"the printer could not be opened", ::GetLastError()));
  const HDC dc = printerDC.get();

  const int32_t width = DIBWidth(image), height = DIBHeight(image);
  const core::PrintRect place =
      core::PlaceOnPage(width, height, ::GetDeviceCaps(dc, HORZRES), ::GetDeviceCaps(dc, VERTRES), options);
  if (place.width <= 0 || place.height <= 0) return Failed(Sentence(head, L"the printer has no printable area", 0));

  DOCINFOW info{};
  info.cbSize = sizeof info;
  info.lpszDocName = documentName.c_str();
  info.lpszOutput = outputFile.empty() ? nullptr : outputFile.c_str();
  ::SetLastError(ERROR_SUCCESS);
  PrintJob job(dc, info);
  if (!job.open()) return Failed(Sentence(head, L"the print job could not be started", ::GetLastError()));
  if (::StartPage(dc) <= 0) return Failed(Sentence(head, L"the page could not be started", ::GetLastError()));

  const int32_t rowsPerBand = core::PrintBandRows(image.BytesPerRow, height, maxBandBytes);
  for (const core::PrintBand& band : core::PrintBands(height, place.height, rowsPerBand)) {
    // DrawDIB counts source rows up from the image's bottom.
    const int32_t srcY = height - band.srcTop - band.srcRows;
    DrawDIB(dc, place.x, place.y + band.destTop, place.width, band.destRows, image, 0, srcY, width, band.srcRows,
            false, SRCCOPY, true, nullptr);
  }
  if (::EndPage(dc) <= 0) return Failed(Sentence(head, L"the page could not be drawn", ::GetLastError()));
  if (!job.End()) return Failed(Sentence(head, L"the print job could not be finished", ::GetLastError()));
  return {true, {}};
}

}  // namespace output
