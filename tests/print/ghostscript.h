// Rasterising a printed PostScript file with the Linux Ghostscript, from a
// test running under Wine. Wine starts a Unix program handed to CreateProcess
// but gives no process handle for it, so the program is a small shell script
// that runs gs and then renames its exit code into place; the test waits for
// that file.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace printtest {

// A top-down RGB raster, 3 bytes a pixel.
struct Raster {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
  struct Pixel {
    int r, g, b;
  };
  Pixel At(int x, int y) const {
    const uint8_t* p = rgb.data() + (int64_t{y} * width + x) * 3;
    return {p[0], p[1], p[2]};
  }
};

// The Windows name Wine gives a Unix path; none outside Wine.
std::optional<std::wstring> WindowsPathOf(const std::string& unixPath);

// The PostScript file rendered at dpi dots per inch into a raster; none, with
// the reason in *error, when Ghostscript cannot be run or fails.
std::optional<Raster> Rasterise(const std::wstring& postScriptFile, int dpi, std::string* error);

}  // namespace printtest
