// Image lists of button glyph images, one per glyph size, shared by all
// buttons of the process. A list keeps a set of used slots; a freed slot is
// taken again before the list grows, and a list whose last slot is freed
// leaves the cache and is destroyed.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "toolkit/handles.h"

namespace controls {

class TGlyphList {
 public:
  TGlyphList(int width, int height);

  // Adds a top-down 32-bit image of the list's size; pixels of maskColour
  // (0x00BBGGRR) become see-through. Returns the slot, or -1.
  int AddMasked(const std::vector<uint32_t>& pixels, COLORREF maskColour);
  void Delete(int slot);

  int UsedCount() const { return count_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  HIMAGELIST Handle() const { return list_.get(); }

 private:
  int width_, height_;
  tk::ImageList list_;
  std::vector<bool> used_;
  int count_ = 0;
};

// The process-wide set of glyph lists: at most one per width and height.
class TGlyphCache {
 public:
  // The list for this size, made when there is none.
  TGlyphList* ListFor(int width, int height);
  // Called after a slot of list was freed: an empty list is destroyed.
  void Returned(TGlyphList* list);
  bool Empty() const { return lists_.empty(); }
  size_t ListCount() const { return lists_.size(); }

 private:
  std::vector<std::unique_ptr<TGlyphList>> lists_;
};

// The cache while any glyph object or list exists; nullptr otherwise.
TGlyphCache* GlyphCache();

}  // namespace controls
