// The picture size of a batch render, by the size band's rules (the core's),
// for a document extent as the holder reports it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>

#include "core/picture_size.h"

namespace cli {

using core::PictureSize;

// extent: the document's content extent in HIMETRIC, (0, 0) without one.
inline PictureSize ResolvePictureSize(std::optional<int32_t> width, std::optional<int32_t> height, POINT extent) {
  return core::ResolvePictureSize(width, height, core::Extent{extent.x, extent.y});
}

}  // namespace cli
