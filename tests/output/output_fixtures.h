// Helpers of the writer tests: pictures made in code, files decoded by the
// platform's own decoders, the header fields each format keeps the resolution in.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/picture_format.h"
#include "output/picture_writer.h"
#include "render/renderer/pixel_rows.h"
#include "tests/support/files.h"

namespace outputtest {

using Scratch = testsupport::TempDir;

// A w x h 24-bit picture held bottom-up like the raster library's, rows padded
// to 4 bytes, every pixel different: blue x, green y, red x + 3y (mod 256).
class TestPicture {
 public:
  TestPicture(int32_t width, int32_t height);
  render::RowImage Rows() { return render::RowImage{bytes_.data(), stride_, width_, height_}; }
  // The pixels top row first, 3 bytes each without padding, blue first.
  std::vector<uint8_t> TopDown() const;

 private:
  int32_t width_, height_;
  int64_t stride_;
  std::vector<uint8_t> bytes_;
};

// The same rows top row first, from any bottom-up picture in memory.
std::vector<uint8_t> TopDownOf(const render::RowImage& rows);

// A file as the platform's decoder (WIC) reads it.
struct Decoded {
  bool ok = false;
  GUID container{};
  uint32_t width = 0, height = 0;
  double dpiX = 0, dpiY = 0;
  std::vector<uint8_t> pixels;  // top row first, blue first, no padding
};
// `decoder`: a particular decoder to use, rather than the one the platform
// picks by the file's first bytes.
Decoded Decode(const std::wstring& path, const CLSID* decoder = nullptr);

// The resolution as the format's own header fields hold it, read from the
// file's bytes: BMP's and PNG's pixels per metre (x, y), JPEG's JFIF density
// with its unit, TIFF's XResolution and YResolution with their unit.
struct StoredResolution {
  bool found = false;
  uint32_t x = 0, y = 0;
  uint32_t unit = 0;  // PNG 1 = metre; JPEG 1 = inch; TIFF 2 = inch; BMP always metres (0)
};
StoredResolution ReadStoredResolution(const std::wstring& path, core::PictureFormat format);

// Writes the picture through the format's writer; the error when it fails.
bool WriteWith(core::PictureFormat format, const std::wstring& path, render::RowImage picture, int32_t dpi = 96,
               std::wstring* error = nullptr, int64_t failAfterBytes = -1);

const core::PictureFormat kAllFormats[] = {core::PictureFormat::kBmp, core::PictureFormat::kPng,
                                            core::PictureFormat::kJpeg, core::PictureFormat::kTiff};
// The formats whose files hold the exact pixels.
const core::PictureFormat kLosslessFormats[] = {core::PictureFormat::kBmp, core::PictureFormat::kPng,
                                                 core::PictureFormat::kTiff};

std::string Narrow(const std::wstring& text);

}  // namespace outputtest
