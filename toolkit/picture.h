// A picture held as decoded 32-bit pixels: loaded from a file, a stream or a
// program resource. JPEG streams go through the JPEG image class (libjpeg),
// everything else through WIC (GIF, PNG, BMP, ...). Copying copies the content.
#pragma once
#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tk {

class TPicture {
 public:
  // Pictures above this many pixels are refused (E_OUTOFMEMORY).
  static constexpr uint64_t kMaxPixels = 1ull << 26;

  bool Empty() const { return width_ == 0 || height_ == 0; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Top-down 0xAARRGGBB pixels.
  const std::vector<uint32_t>& Pixels() const { return pixels_; }
  uint32_t PixelAt(int x, int y) const { return pixels_[size_t(y) * width_ + x]; }

  // Each load replaces the content only when it succeeds.
  HRESULT LoadFromBytes(const uint8_t* data, size_t size);
  HRESULT LoadFromFile(const std::wstring& path);
  HRESULT LoadFromStream(IStream* stream);
  // A resource of the given type (RT_RCDATA by default) in module (nullptr: the program).
  HRESULT LoadFromResource(HMODULE module, const wchar_t* name, const wchar_t* type = RT_RCDATA);
  void Clear();

  // Draws at (x, y) in its own size; see-through pixels show what is below.
  void Draw(HDC dc, int x, int y) const;

  bool operator==(const TPicture& o) const = default;

 private:
  int width_ = 0;
  int height_ = 0;
  bool opaque_ = true;
  std::vector<uint32_t> pixels_;
};

}  // namespace tk
