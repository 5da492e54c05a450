#include "core/picture_format.h"

#include "core/bmp_layout.h"
#include "core/color_text.h"

namespace core {

std::optional<PictureFormat> FormatFromName(const std::wstring& name) {
  const std::wstring n = UpperAscii(name);
  if (n == L"BMP") return PictureFormat::kBmp;
  if (n == L"PNG") return PictureFormat::kPng;
  if (n == L"JPG" || n == L"JPEG") return PictureFormat::kJpeg;
  if (n == L"TIF" || n == L"TIFF") return PictureFormat::kTiff;
  return std::nullopt;
}

std::optional<std::wstring> ExtensionOf(const std::wstring& name) {
  const size_t dot = name.find_last_of(L'.');
  if (dot == std::wstring::npos) return std::nullopt;
  const size_t slash = name.find_last_of(L"\\/");
  if (slash != std::wstring::npos && slash > dot) return std::nullopt;
  return name.substr(dot + 1);
}

std::optional<PictureFormat> FormatFromFileName(const std::wstring& name) {
  const std::optional<std::wstring> extension = ExtensionOf(name);
  return extension ? FormatFromName(*extension) : std::nullopt;
}

std::wstring FormatExtension(PictureFormat format) {
  switch (format) {
    case PictureFormat::kBmp: return L".bmp";
    case PictureFormat::kPng: return L".png";
    case PictureFormat::kJpeg: return L".jpg";
    case PictureFormat::kTiff: return L".tif";
  }
  return L"";
}

std::wstring FormatTitle(PictureFormat format) {
  switch (format) {
    case PictureFormat::kBmp: return L"BMP";
    case PictureFormat::kPng: return L"PNG";
    case PictureFormat::kJpeg: return L"JPEG";
    case PictureFormat::kTiff: return L"TIFF";
  }
  return L"";
}

uint32_t PixelsPerMetre(int32_t dpi) {
  if (dpi <= 0) return 0;
  // One inch is 0.0254 m: dpi * 10000 / 254, rounded half up, in 64 bits.
  return static_cast<uint32_t>((int64_t{dpi} * 10000 + 127) / 254);
}

std::optional<std::wstring> SizeRefusal(PictureFormat format, int32_t width, int32_t height) {
  if (format == PictureFormat::kBmp && !MakeBmpLayout(width, height, kDefaultDpi)) return kTooLargeForBmpText;
  if (format == PictureFormat::kJpeg && (width > kMaxJpegSide || height > kMaxJpegSide)) return kTooLargeForJpegText;
  return std::nullopt;
}

}  // namespace core
