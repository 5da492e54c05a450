// A picture sent to a printer in bands of source rows: how many rows a band
// holds, and where each band lands so that the bands abut exactly in the
// destination, with no row left out and none drawn twice.
#pragma once
#include <cstdint>
#include <vector>

namespace core {

// Rows of a band: as many whole rows of bytesPerRow as fit in maxBytes, at
// least one, never more than the picture's height (0 for an empty picture).
int32_t PrintBandRows(int64_t bytesPerRow, int32_t height, int64_t maxBytes);

// One band: source rows counted from the picture's top and the destination
// rows they cover, counted from the destination's top.
struct PrintBand {
  int32_t srcTop = 0, srcRows = 0;
  int32_t destTop = 0, destRows = 0;
  bool operator==(const PrintBand&) const = default;
};

// The bands of srcHeight rows drawn into destHeight rows, rowsPerBand source
// rows each (the last may be shorter). Source row s begins at destination row
// floor(s * destHeight / srcHeight), so a band ends where the next begins.
// A band that shrinks to no destination row is left out. Nothing for empty
// sizes.
std::vector<PrintBand> PrintBands(int32_t srcHeight, int32_t destHeight, int32_t rowsPerBand);

}  // namespace core
