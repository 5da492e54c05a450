// Pictrix.dll: the raster library. Images are device-independent bitmaps held in
// a fixed-layout record that the program copies by value and hands back to us.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#ifdef PICTRIX_BUILDING_DLL
#define PICTRIX_API extern "C" __declspec(dllexport)
#else
#define PICTRIX_API extern "C" __declspec(dllimport)
#endif

// The record's layout is shared with programs built by other compilers, so
// every byte is placed explicitly. The reserved areas are ours: Tag holds a
// marker and an allocation serial number of the image.
#pragma pack(push, 1)
struct TDibImage {
  BITMAPINFO* Info;          // header plus colour table, handed to GDI as is
  uint32_t Tag[2];           // library's own
  void* Bits;                // pixel memory; nullptr after a failed newdib
  int32_t BytesPerRow;       // DWORD-aligned row stride
  uint8_t HasPalette;        // 1: select Palette before drawing
  uint8_t Reserved1[1031];   // library's own
#ifdef _WIN64
  uint8_t Align1[4];         // 64-bit: Palette on an 8-byte boundary
#endif
  HPALETTE Palette;          // meaningful when HasPalette is 1
  uint8_t Reserved2[28];     // library's own
#ifdef _WIN64
  uint8_t Align2[4];         // 64-bit: size a multiple of 8
#endif
};
#pragma pack(pop)

#ifdef _WIN64
static_assert(sizeof(TDibImage) == 1104, "x86_64 record layout");
static_assert(offsetof(TDibImage, Info) == 0 && offsetof(TDibImage, Bits) == 16 &&
                  offsetof(TDibImage, BytesPerRow) == 24 && offsetof(TDibImage, HasPalette) == 28 &&
                  offsetof(TDibImage, Palette) == 1064,
              "x86_64 record layout");
#else
static_assert(sizeof(TDibImage) == 1084, "the 32-bit record is exactly 1084 bytes");
static_assert(offsetof(TDibImage, Info) == 0 && offsetof(TDibImage, Bits) == 12 &&
                  offsetof(TDibImage, BytesPerRow) == 16 && offsetof(TDibImage, HasPalette) == 20 &&
                  offsetof(TDibImage, Palette) == 1052,
              "32-bit field offsets are fixed by the shared layout");
#endif

// The six operations. Records passed by value are copied whole.
PICTRIX_API void __stdcall newdib(TDibImage* image, int32_t width, int32_t height, int32_t bitsPerPixel,
                                  const BITMAPINFO* colors, int32_t colorCount);
PICTRIX_API void __stdcall deldib(TDibImage image);
PICTRIX_API int32_t __stdcall getpixel(TDibImage image, int32_t x, int32_t y);
PICTRIX_API void __stdcall setpixel(TDibImage image, int32_t x, int32_t y, int32_t value);
PICTRIX_API void __stdcall DIBHalftoneDIB(TDibImage* result, TDibImage source);
PICTRIX_API void __stdcall DIBHalftoneDIBXY(TDibImage* result, TDibImage source, int32_t newWidth,
                                            int32_t newHeight);

// Hooks for tests and failure injection; not used by the program's normal path.
// Number of images created and not yet released.
PICTRIX_API int32_t __stdcall PictrixLiveImages();
// The allocation after the next n successful ones fails (0: the very next one);
// counts newdib and both halftone calls. -1 switches it off.
PICTRIX_API void __stdcall PictrixFailAllocationAfter(int32_t n);
// Caps the available physical memory and commit the memory rule sees at
// `bytes` (-1: the system's own figures), to test refusals of large images.
PICTRIX_API void __stdcall PictrixPretendAvailableMemory(int64_t bytes);
// Bytes held in the recycling cache (freed pixel memory kept for reuse).
PICTRIX_API int64_t __stdcall PictrixCachedBytes();
