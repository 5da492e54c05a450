// Printing a picture: the whole image as one page of one print job, placed on
// the printer's printable area by the print options, sent in bands of rows so
// that no single call hands the driver more than a few megabytes.
#pragma once
#include <cstdint>
#include <string>

#include "core/print_layout.h"
#include "raster/dib.h"
#include "toolkit/printer_choice.h"

namespace output {

struct PrintResult {
  bool ok = false;
  std::wstring error;  // one sentence for the user, naming the reason
};

// Source bytes a band holds at most.
inline constexpr int64_t kPrintBandBytes = int64_t{4} << 20;

// Prints the whole image as one page of one document named documentName,
// placed by core::PlaceOnPage on the printer's printable area (the DC's origin
// is the printable area's top-left). outputFile, when not empty, is where the
// job is written instead of the printer (DOCINFO.lpszOutput).
PrintResult PrintPicture(const tk::PrinterChoice& printer, const TDibImage& image, const core::PrintOptions& options,
                         const std::wstring& documentName, const std::wstring& outputFile = {});

// The same with bands of at most maxBandBytes source bytes; small bands give
// many seams from a small picture.
PrintResult PrintPictureInBands(const tk::PrinterChoice& printer, const TDibImage& image,
                                const core::PrintOptions& options, const std::wstring& documentName,
                                const std::wstring& outputFile, int64_t maxBandBytes);

}  // namespace output
