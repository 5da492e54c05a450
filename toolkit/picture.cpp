#include "toolkit/picture.h"

#include <algorithm>

#include "toolkit/handles.h"
#include "toolkit/jpeg_image.h"
#include "toolkit/wic_decode.h"

namespace tk {
HRESULT TPicture::LoadFromBytes(const uint8_t* data, size_t size) {
  DecodedImage decoded;
  HRESULT hr;
  if (TJpegImage::LooksLikeJpeg(data, size)) {
    TJpegImage jpeg;
    hr = jpeg.Decode(data, size, kMaxPixels, decoded);
  } else {
    hr = WicDecode(data, size, false, kMaxPixels, decoded);
  }
  if (FAILED(hr)) return hr;
  width_ = static_cast<int>(decoded.width);
  height_ = static_cast<int>(decoded.height);
  pixels_ = std::move(decoded.pixels);
  opaque_ = std::all_of(pixels_.begin(), pixels_.end(), [](uint32_t p) { return (p >> 24) == 0xFF; });
  return S_OK;
}

HRESULT TPicture::LoadFromFile(const std::wstring& path) {
  FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return HRESULT_FROM_WIN32(::GetLastError());
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return HRESULT_FROM_WIN32(::GetLastError());
  // A picture file this program shows is small; anything past 256 MB is not one.
  if (size.QuadPart <= 0 || size.QuadPart > (int64_t{1} << 28)) return kNoPicture;
  std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
  DWORD got = 0;
  if (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) || got != bytes.size())
    return HRESULT_FROM_WIN32(ERROR_READ_FAULT);
  return LoadFromBytes(bytes.data(), bytes.size());
}

HRESULT TPicture::LoadFromStream(IStream* stream) {
  if (!stream) return E_POINTER;
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  for (;;) {
    ULONG got = 0;
    const HRESULT hr = stream->Read(chunk, sizeof chunk, &got);
    if (FAILED(hr)) return hr;
    if (bytes.size() + got > (size_t{1} << 28)) return kNoPicture;
    bytes.insert(bytes.end(), chunk, chunk + got);
    if (got < sizeof chunk) break;
  }
  return LoadFromBytes(bytes.data(), bytes.size());
}

HRESULT TPicture::LoadFromResource(HMODULE module, const wchar_t* name, const wchar_t* type) {
  if (!module) module = ::GetModuleHandleW(nullptr);
  HRSRC res = ::FindResourceW(module, name, type);
  if (!res) return HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND);
  HGLOBAL loaded = ::LoadResource(module, res);
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (!data) return HRESULT_FROM_WIN32(::GetLastError());
  return LoadFromBytes(static_cast<const uint8_t*>(data), ::SizeofResource(module, res));
}

void TPicture::Clear() {
  width_ = height_ = 0;
  opaque_ = true;
  pixels_.clear();
}

void TPicture::Draw(HDC dc, int x, int y) const {
  if (Empty()) return;
  const BITMAPINFO bi = TopDown32Info(width_, height_);
  if (opaque_) {
    ::SetDIBitsToDevice(dc, x, y, width_, height_, 0, 0, 0, height_, pixels_.data(), &bi, DIB_RGB_COLORS);
    return;
  }
  // AlphaBlend takes premultiplied pixels from a DIB section.
  void* bits = nullptr;
  GdiBitmap section(::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  MemoryDC mem(::CreateCompatibleDC(dc));
  if (!section || !mem) return;
  auto* out = static_cast<uint32_t*>(bits);
  for (size_t i = 0; i < pixels_.size(); ++i) {
    const uint32_t p = pixels_[i], a = p >> 24;
    const uint32_t r = ((p >> 16) & 0xFF) * a / 255, g = ((p >> 8) & 0xFF) * a / 255, b = (p & 0xFF) * a / 255;
    out[i] = (a << 24) | (r << 16) | (g << 8) | b;
  }
  SelectedObject sel(mem.get(), section.get());
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::AlphaBlend(dc, x, y, width_, height_, mem.get(), 0, 0, width_, height_, blend);
}

}  // namespace tk
