// Pixel memory. Small blocks come from the process heap; large ones are
// committed pages, and the last large block freed is kept for the next request
// it fits, because a renderer creates and frees one strip image after another
// and fresh pages cost a page fault each on first touch.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

#include "pictrix/layout.h"

namespace pictrix {

struct Block {
  void* data = nullptr;
  size_t capacity = 0;  // bytes usable; at least what was asked for
  bool pages = false;   // committed pages rather than heap
  explicit operator bool() const { return data != nullptr; }
};

class BlockPool {
 public:
  // Blocks below this come from the heap and skip the memory check.
  static constexpr size_t kSmallBlock = size_t{1} << 20;
  // The largest block kept for reuse (a 30000-pixel-wide strip of 500 rows fits).
  static constexpr size_t kMaxCached = size_t{64} << 20;

  using FiguresSource = std::function<MemoryFigures()>;
  explicit BlockPool(FiguresSource figures);
  ~BlockPool();
  BlockPool(const BlockPool&) = delete;
  BlockPool& operator=(const BlockPool&) = delete;

  // `bytes` zeroed bytes, or an empty block when the memory rule refuses them
  // or the system has none.
  Block Acquire(size_t bytes);
  void Release(Block b);
  size_t CachedBytes() const { return cached_.capacity; }
  void DropCache();

 private:
  static bool Reusable(const Block& cached, size_t bytes);
  FiguresSource figures_;
  Block cached_;
};

// Figures of the running system, from GlobalMemoryStatusEx.
MemoryFigures SystemMemoryFigures();

}  // namespace pictrix
