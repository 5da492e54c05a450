#include "controls/glyph_list.h"

#include <algorithm>

#include "toolkit/wic_decode.h"

namespace controls {
namespace {

uint32_t Rgb(COLORREF c) { return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c); }

}  // namespace

TGlyphList::TGlyphList(int width, int height)
    : width_(width), height_(height), list_(::ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 4, 4)) {}

int TGlyphList::AddMasked(const std::vector<uint32_t>& pixels, COLORREF maskColour) {
  if (!list_ || pixels.size() != size_t(width_) * height_) return -1;
  // The mask: one bit per pixel, rows padded to 16 bits, set where see-through.
  const int maskStride = ((width_ + 15) / 16) * 2;
  std::vector<uint8_t> maskBits(size_t(maskStride) * height_, 0);
  std::vector<uint32_t> image(pixels);
  const uint32_t key = Rgb(maskColour);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      uint32_t& p = image[size_t(y) * width_ + x];
      if ((p & 0xFFFFFF) != key) continue;
      maskBits[size_t(y) * maskStride + x / 8] |= uint8_t(0x80 >> (x % 8));
      p = 0;  // the image list paints the image over the masked background with OR
    }
  const BITMAPINFO bi = tk::TopDown32Info(width_, height_);
  void* bits = nullptr;
  tk::GdiBitmap colour(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  tk::GdiBitmap mask(::CreateBitmap(width_, height_, 1, 1, maskBits.data()));
  if (!colour || !mask) return -1;
  std::copy(image.begin(), image.end(), static_cast<uint32_t*>(bits));
  const auto freeSlot = std::find(used_.begin(), used_.end(), false);
  int slot;
  if (freeSlot != used_.end()) {
    slot = static_cast<int>(freeSlot - used_.begin());
    if (!::ImageList_Replace(list_.get(), slot, colour.get(), mask.get())) return -1;
  } else {
    slot = ::ImageList_Add(list_.get(), colour.get(), mask.get());
    if (slot < 0) return -1;
    used_.resize(size_t(slot) + 1, false);
  }
  used_[slot] = true;
  ++count_;
  return slot;
}

void TGlyphList::Delete(int slot) {
  if (slot < 0 || slot >= static_cast<int>(used_.size()) || !used_[slot]) return;
  used_[slot] = false;
  --count_;
}

TGlyphList* TGlyphCache::ListFor(int width, int height) {
  for (auto& l : lists_)
    if (l->Width() == width && l->Height() == height) return l.get();
  lists_.push_back(std::make_unique<TGlyphList>(width, height));
  return lists_.back().get();
}

void TGlyphCache::Returned(TGlyphList* list) {
  if (!list || list->UsedCount() > 0) return;
  lists_.erase(std::remove_if(lists_.begin(), lists_.end(), [list](const auto& l) { return l.get() == list; }),
               lists_.end());
}

}  // namespace controls
