// Size arithmetic of a new image and the rule that decides whether it may be
// allocated. Pure functions, so every boundary is tested directly.
#pragma once
#include <cstdint>
#include <optional>

namespace pictrix {

struct ImageLayout {
  int32_t bytesPerRow = 0;
  uint32_t sizeImage = 0;    // bytes of pixel memory (fits biSizeImage)
  int32_t tableEntries = 0;  // colour-table entries the header carries
};

// Depths the library creates.
bool IsSupportedDepth(int32_t bitsPerPixel);

// Colour-table entries of a header of that depth, as GDI reads them:
// clrUsed when set (and not above 2^bpp), else 2^bpp for 8 bits or fewer, else 0.
int32_t TableEntries(int32_t bitsPerPixel, uint32_t clrUsed);

// nullopt when the size is not positive, the depth is unsupported, or a byte
// count leaves the range of the header's fields (stride in 32 bits signed,
// biSizeImage in 32 bits unsigned) or of this process's address space.
std::optional<ImageLayout> ComputeLayout(int32_t width, int32_t height, int32_t bitsPerPixel);

struct MemoryFigures {
  uint64_t totalPhys = 0;
  uint64_t availPhys = 0;
  uint64_t availPageFile = 0;  // commit the system can still grant
  uint64_t availVirtual = 0;   // free address space of this process
};

// Memory kept back for everything else (the process itself, GDI, other programs):
// the larger of 256 MiB and an eighth of physical memory.
uint64_t SafetyMargin(const MemoryFigures& m);
// Address space kept free in this process for its other allocations.
constexpr uint64_t kAddressSpaceReserve = uint64_t{64} << 20;

// A block of `bytes` may be allocated when it fits, with the safety margin to
// spare, into both available physical memory and available commit, and with
// kAddressSpaceReserve to spare into the free address space. Physical memory
// counts because a system that overcommits grants the commit and then kills the
// process when the pixels are first touched.
bool FitsInMemory(uint64_t bytes, const MemoryFigures& m);

}  // namespace pictrix
