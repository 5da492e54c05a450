// Shared parts of the printing tests: the private print queue the test scripts
// start, and pictures whose colours tell where each part landed.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "raster/owned_dib.h"
#include "toolkit/printer_choice.h"

namespace printtest {

// The queue scripts/cups-private.sh adds and makes the default.
inline constexpr wchar_t kQueue[] = L"Verdalux_PostScript";

// The default printer, which must be the private queue; without it every
// printing test fails and says why, instead of passing with nothing printed.
inline std::optional<tk::PrinterChoice> PrivatePrinter(std::string* why) {
  std::optional<tk::PrinterChoice> printer = tk::PrinterChoice::Default();
  if (!printer) {
    const char* server = std::getenv("CUPS_SERVER");
    *why = server ? std::string("no printer although CUPS_SERVER is ") + server +
                        ": the private CUPS scheduler is not running or has no queue"
                  : "no printer: CUPS_SERVER is not set, so the private CUPS scheduler was not started "
                    "(run through scripts/test.sh or scripts/dev-test.sh)";
  }
  return printer;
}

// A 24-bit picture whose pixel x, y (counted from the top) has colour(x, y).
template <typename ColorOf>
raster::OwnedDib MakePicture(int width, int height, ColorOf colour) {
  raster::OwnedDib d = raster::OwnedDib::New(width, height, 24);
  if (!d) return d;
  auto* bits = static_cast<uint8_t*>(d.get().Bits);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = bits + int64_t{height - 1 - y} * d.get().BytesPerRow;
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      row[3 * x] = GetBValue(c);
      row[3 * x + 1] = GetGValue(c);
      row[3 * x + 2] = GetRValue(c);
    }
  }
  return d;
}

}  // namespace printtest
