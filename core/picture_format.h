// The picture file formats Verdalux writes, how a file name or a format name
// chooses one, the resolution each stores, and the largest picture each holds.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace core {

enum class PictureFormat { kBmp, kPng, kJpeg, kTiff };

inline constexpr wchar_t kSupportedExtensions[] = L".bmp .png .jpg .jpeg .tif .tiff";

// The format a file name asks for by its extension, ASCII letters in any case.
std::optional<PictureFormat> FormatFromFileName(const std::wstring& name);
// The text after the last dot of the name's last part (empty for "picture."),
// or nothing when that part has no dot: a dot in a folder name is no extension.
std::optional<std::wstring> ExtensionOf(const std::wstring& name);
// A format given by name: bmp, png, jpg, jpeg, tif or tiff, in any case.
std::optional<PictureFormat> FormatFromName(const std::wstring& name);
// The extension a new file of the format gets: ".bmp", ".png", ".jpg", ".tif".
std::wstring FormatExtension(PictureFormat format);
// "BMP", "PNG", "JPEG", "TIFF".
std::wstring FormatTitle(PictureFormat format);

// Resolution in dots per inch. JPEG's density fields hold 16 bits, so that is
// the most every format can record.
inline constexpr int32_t kDefaultDpi = 96;
inline constexpr int32_t kMinDpi = 1;
inline constexpr int32_t kMaxDpi = 65535;
// JPEG quality, 1 (smallest file) to 100 (best picture).
inline constexpr int32_t kDefaultQuality = 90;
inline constexpr int32_t kMinQuality = 1;
inline constexpr int32_t kMaxQuality = 100;

struct WriteOptions {
  PictureFormat format = PictureFormat::kBmp;
  int32_t dpi = kDefaultDpi;
  int32_t quality = kDefaultQuality;  // JPEG only
};

// Pixels per metre for dots per inch, rounded to the nearest: the unit BMP and
// PNG store. dpi 96 gives 3780.
uint32_t PixelsPerMetre(int32_t dpi);

// JPEG's frame header holds at most 65500 pixels per side (libjpeg's limit).
inline constexpr int32_t kMaxJpegSide = 65500;

// Why the format cannot hold a width x height picture, or nothing when it can:
// BMP's size fields end at 4 GB and JPEG's sides at 65500 pixels. PNG and TIFF
// (which turns into BigTIFF past 4 GB) hold every picture Verdalux renders.
std::optional<std::wstring> SizeRefusal(PictureFormat format, int32_t width, int32_t height);

inline constexpr wchar_t kTooLargeForBmpText[] =
    L"Could not write the picture: a BMP file holds at most 4 GB. Please choose a smaller size!";
inline constexpr wchar_t kTooLargeForJpegText[] =
    L"Could not write the picture: a JPEG picture holds at most 65500 pixels per side. Please choose a smaller "
    L"size!";

}  // namespace core
