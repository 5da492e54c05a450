// Shared parts of the printing tests: the private print queue the test scripts
// start, and pictures whose colours tell where each part landed.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "raster/owned_dib.h"
#include "tests/support/pictures.h"
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

using testsupport::MakePicture;

}  // namespace printtest
