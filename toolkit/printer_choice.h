// A chosen printer and its settings, owned as copies: the device names and the
// DEVMODE a printer dialog returned (or the default printer's), so the
// dialog's global handles can be freed at once and the choice outlives them.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/handles.h"

namespace tk {

// The page of a printer in device pixels.
struct PrinterPage {
  int32_t printableWidth = 0, printableHeight = 0;  // HORZRES, VERTRES
  int32_t pageWidth = 0, pageHeight = 0;            // PHYSICALWIDTH, PHYSICALHEIGHT
  int32_t offsetX = 0, offsetY = 0;                 // PHYSICALOFFSETX, PHYSICALOFFSETY
  int32_t dpiX = 0, dpiY = 0;                       // LOGPIXELSX, LOGPIXELSY
};

class PrinterChoice {
 public:
  // The system's default printer with its default settings; none when no
  // printer is installed.
  static std::optional<PrinterChoice> Default();
  // Copies of what a printer dialog returned; the handles are not freed here.
  // None when devNames is missing or malformed.
  static std::optional<PrinterChoice> FromHandles(HGLOBAL devNames, HGLOBAL devMode);

  const std::wstring& Driver() const { return driver_; }
  const std::wstring& Device() const { return device_; }
  const std::wstring& Port() const { return port_; }
  // The printer settings, or nullptr when the printer's defaults apply.
  const DEVMODEW* DevMode() const;

  // Fresh movable global copies, for a dialog's hDevNames and hDevMode.
  GlobalMemory NewDevNamesHandle() const;
  GlobalMemory NewDevModeHandle() const;  // empty when there is no DEVMODE

  // A printer device context with these settings; empty on failure.
  MemoryDC CreatePrinterDC() const;
  // The page as this printer and its settings give it; none when the printer
  // cannot be reached.
  std::optional<PrinterPage> Page() const;

 private:
  std::wstring driver_, device_, port_;
  std::vector<BYTE> devMode_;  // dmSize + dmDriverExtra bytes, or empty
};

}  // namespace tk
