#include "pictrix/block_pool.h"

#include <windows.h>

#include <cstring>
#include <utility>

namespace pictrix {

MemoryFigures SystemMemoryFigures() {
  MEMORYSTATUSEX ms{};
  ms.dwLength = sizeof ms;
  MemoryFigures f;
  if (!GlobalMemoryStatusEx(&ms)) return f;  // all zero: nothing large is granted
  f.totalPhys = ms.ullTotalPhys;
  f.availPhys = ms.ullAvailPhys;
  f.availPageFile = ms.ullAvailPageFile;
  f.availVirtual = ms.ullAvailVirtual;
  return f;
}

BlockPool::BlockPool(FiguresSource figures) : figures_(std::move(figures)) {}

BlockPool::~BlockPool() { DropCache(); }

bool BlockPool::Reusable(const Block& cached, size_t bytes) {
  // Only hand a block to a request of at least half its size, so a tiny image
  // does not pin a large block the next strip would have reused.
  return cached && cached.capacity >= bytes && bytes >= cached.capacity / 2;
}

Block BlockPool::Acquire(size_t bytes) {
  if (bytes == 0) return {};
  if (bytes < kSmallBlock) {
    void* p = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes);
    return p ? Block{p, bytes, false} : Block{};
  }
  if (Reusable(cached_, bytes)) {
    Block b = std::exchange(cached_, Block{});
    std::memset(b.data, 0, bytes);  // new pixels are zero, also when recycled
    return b;
  }
  DropCache();  // give its memory back before asking the system for more
  if (!FitsInMemory(bytes, figures_())) return {};
  SYSTEM_INFO si;
  GetSystemInfo(&si);
  const size_t page = si.dwPageSize ? si.dwPageSize : 4096;
  const size_t capacity = (bytes + page - 1) / page * page;
  // Committed pages read as zero, so nothing needs clearing here.
  void* p = VirtualAlloc(nullptr, capacity, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  return p ? Block{p, capacity, true} : Block{};
}

void BlockPool::Release(Block b) {
  if (!b) return;
  if (!b.pages) {
    HeapFree(GetProcessHeap(), 0, b.data);
    return;
  }
  if (b.capacity <= kMaxCached && b.capacity >= cached_.capacity) {
    std::swap(b, cached_);  // keep the larger of the two; free the other below
    if (!b) return;
  }
  VirtualFree(b.data, 0, MEM_RELEASE);
}

void BlockPool::DropCache() {
  if (cached_) VirtualFree(cached_.data, 0, MEM_RELEASE);
  cached_ = Block{};
}

}  // namespace pictrix
