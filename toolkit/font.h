// Fonts are described by value; the handles are shared and live until exit.
#pragma once
#include <windows.h>

#include <string>

namespace tk {

struct TFont {
  std::wstring name = L"MS Sans Serif";
  int height = -11;  // negative: character height in pixels, as LOGFONT has it
  bool bold = false;

  TFont Bold() const {
    TFont f = *this;
    f.bold = true;
    return f;
  }
  bool operator==(const TFont&) const = default;
};

// The shared handle for f; never nullptr (falls back to the default GUI font).
HFONT FontHandle(const TFont& f);

}  // namespace tk
