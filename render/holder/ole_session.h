// OLE for the user-interface thread, for the program's lifetime: the program
// entry creates one before any document holder and destroys it after the last.
#pragma once
#include <windows.h>

namespace render {

struct ClipboardFormats {
  UINT objectDescriptor = 0;
  UINT embeddedObject = 0;
  UINT linkSource = 0;
};

class OleSession {
 public:
  // OleInitialize, the three OLE clipboard formats, and the screen's pixels per
  // inch. Throws OleError when OLE cannot be initialised.
  OleSession();
  ~OleSession();
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

  const ClipboardFormats& Formats() const { return formats_; }

  // LOGPIXELSX and LOGPIXELSY of the screen, as read when OLE was initialised
  // (read on first use when no session has been created, as in tests).
  static SIZE ScreenPixelsPerInch();

 private:
  ClipboardFormats formats_;
};

// HIMETRIC = MulDiv(pixels, 2540, pixels per inch), per axis.
SIZEL PixelsToHimetric(SIZE pixels, SIZE pixelsPerInch);

}  // namespace render
