#include "pictrix/image_store.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "pictrix/halftone.h"
#include "pictrix/layout.h"
#include "pictrix/resample.h"

namespace pictrix {
namespace {

constexpr uint32_t kMagic = 0x58525450;  // "PTRX"

// Default colours of a new indexed image: a gray ramp from black to white.
void FillGrayRamp(RGBQUAD* table, int32_t n) {
  for (int32_t i = 0; i < n; ++i) {
    const BYTE v = static_cast<BYTE>(n > 1 ? i * 255 / (n - 1) : 0);
    table[i] = RGBQUAD{v, v, v, 0};
  }
}

// Colour-table entries of a caller's header that may be read: as many as that
// header itself declares, so a short table is never read past its end.
int32_t ReadableEntries(const BITMAPINFO* colors) {
  const BITMAPINFOHEADER& h = colors->bmiHeader;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biBitCount > 8) return 0;
  return TableEntries(h.biBitCount, h.biClrUsed);
}

}  // namespace

HPALETTE CreateHalftonePalette() {
  std::vector<uint8_t> buf(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY));
  auto* lp = reinterpret_cast<LOGPALETTE*>(buf.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = 256;
  const auto& table = HalftoneTable();
  for (int i = 0; i < 256; ++i)
    lp->palPalEntry[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
  return CreatePalette(lp);
}

ImageStore& ImageStore::Instance() {
  static ImageStore store;
  return store;
}

ImageStore::ImageStore() : pool_([this] { return Figures(); }) {}

MemoryFigures ImageStore::Figures() {
  MemoryFigures f = SystemMemoryFigures();
  if (pretendAvail_ >= 0) {
    f.availPhys = std::min<uint64_t>(f.availPhys, static_cast<uint64_t>(pretendAvail_));
    f.availPageFile = std::min<uint64_t>(f.availPageFile, static_cast<uint64_t>(pretendAvail_));
  }
  return f;
}

bool ImageStore::InjectedFailureLocked() {
  if (failAfter_ < 0) return false;
  if (failAfter_-- == 0) return true;  // one shot: the counter is now -1, off
  return false;
}

HPALETTE ImageStore::SharedPaletteLocked() {
  if (!shared_) shared_ = CreateHalftonePalette();
  return shared_;
}

bool ImageStore::CreateLocked(TDibImage* image, int32_t width, int32_t height, int32_t bpp,
                              const RGBQUAD* table, int32_t tableCount) {
  std::memset(image, 0, sizeof *image);
  if (InjectedFailureLocked()) return false;
  const auto layout = ComputeLayout(width, height, bpp);
  if (!layout) return false;
  const size_t infoBytes = sizeof(BITMAPINFOHEADER) + sizeof(RGBQUAD) * static_cast<size_t>(layout->tableEntries);
  auto* info = static_cast<BITMAPINFO*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, infoBytes));
  if (!info) return false;
  Block pixels = pool_.Acquire(layout->sizeImage);
  if (!pixels) {
    HeapFree(GetProcessHeap(), 0, info);
    return false;
  }
  BITMAPINFOHEADER& h = info->bmiHeader;
  h.biSize = sizeof h;
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(bpp);
  h.biCompression = BI_RGB;
  h.biSizeImage = layout->sizeImage;
  FillGrayRamp(info->bmiColors, layout->tableEntries);
  const int32_t copied = std::clamp(tableCount, 0, layout->tableEntries);
  if (table && copied > 0) std::memcpy(info->bmiColors, table, sizeof(RGBQUAD) * copied);

  Entry e;
  e.serial = nextSerial_++;
  e.info = info;
  e.pixels = pixels;
  e.view = PixelView{static_cast<uint8_t*>(pixels.data), layout->bytesPerRow, width, height, bpp};
  live_[info] = e;

  image->Info = info;
  image->Tag[0] = kMagic;
  image->Tag[1] = e.serial;
  image->Bits = pixels.data;
  image->BytesPerRow = layout->bytesPerRow;
  // True-colour images carry the halftone palette, so a palette screen that
  // draws them through it sees the colours their halftoned copy uses. It is
  // shared and not selected by default (HasPalette 0).
  if (bpp > 8) image->Palette = SharedPaletteLocked();
  return true;
}

void ImageStore::Create(TDibImage* image, int32_t width, int32_t height, int32_t bpp, const BITMAPINFO* colors,
                        int32_t colorCount) {
  if (!image) return;
  std::lock_guard lock(mu_);
  const int32_t n = colors ? std::min(colorCount, ReadableEntries(colors)) : 0;
  CreateLocked(image, width, height, bpp, colors ? colors->bmiColors : nullptr, n);
}

const ImageStore::Entry* ImageStore::FindLocked(const TDibImage& image) const {
  if (image.Tag[0] != kMagic) return nullptr;
  const auto it = live_.find(image.Info);
  if (it == live_.end() || it->second.serial != image.Tag[1]) return nullptr;
  return &it->second;
}

void ImageStore::CreateHalftone(TDibImage* result, const TDibImage& source, bool keepSize, int32_t width,
                                int32_t height) {
  if (!result) return;
  std::lock_guard lock(mu_);
  std::memset(result, 0, sizeof *result);
  const Entry* src = FindLocked(source);
  if (!src || src->view.bitsPerPixel != 24) return;
  const PixelView sv = src->view;  // copy: creating the result may rehash the map
  if (keepSize) {
    width = sv.width;
    height = sv.height;
  }
  HPALETTE palette = CreateHalftonePalette();
  if (!palette) return;
  if (!CreateLocked(result, width, height, 8, HalftoneTable().data(), 256)) {
    DeleteObject(palette);
    return;
  }
  Entry& dst = live_[result->Info];
  dst.ownPalette = palette;
  result->HasPalette = 1;
  result->Palette = palette;

  std::vector<uint8_t> row(static_cast<size_t>(width) * 3);
  BoxResampler resampler(sv.bits, sv.stride, sv.width, sv.height, width, height);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* bgr = sv.bits + int64_t{y} * sv.stride;
    if (width != sv.width || height != sv.height) {
      resampler.Row(y, row.data());
      bgr = row.data();
    }
    HalftoneRow(bgr, width, y, dst.view.bits + int64_t{y} * dst.view.stride);
  }
}

void ImageStore::Release(const TDibImage& image) {
  std::lock_guard lock(mu_);
  const Entry* found = FindLocked(image);
  if (!found) return;
  const Entry e = *found;
  live_.erase(e.info);
  pool_.Release(e.pixels);
  HeapFree(GetProcessHeap(), 0, e.info);
  if (e.ownPalette) DeleteObject(e.ownPalette);
}

int32_t ImageStore::Get(const TDibImage& image, int32_t x, int32_t y) {
  std::lock_guard lock(mu_);
  const Entry* e = FindLocked(image);
  return e ? ReadPixel(e->view, x, y) : 0;
}

void ImageStore::Set(const TDibImage& image, int32_t x, int32_t y, int32_t value) {
  std::lock_guard lock(mu_);
  if (const Entry* e = FindLocked(image)) WritePixel(e->view, x, y, value);
}

int32_t ImageStore::LiveImages() {
  std::lock_guard lock(mu_);
  return static_cast<int32_t>(live_.size());
}

void ImageStore::FailAllocationAfter(int32_t n) {
  std::lock_guard lock(mu_);
  failAfter_ = n < 0 ? -1 : n;
}

void ImageStore::PretendAvailableMemory(int64_t bytes) {
  std::lock_guard lock(mu_);
  pretendAvail_ = bytes < 0 ? -1 : bytes;
}

int64_t ImageStore::CachedBytes() {
  std::lock_guard lock(mu_);
  return static_cast<int64_t>(pool_.CachedBytes());
}

}  // namespace pictrix
