// Structural check of a Windows metafile (optionally with a placeable header).
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/verdict.h"

namespace core {

struct WmfInfo {
  size_t headerOffset = 0;   // where the METAHEADER starts (22 with a placeable header)
  size_t bytes = 0;          // bytes of the metafile proper, from the METAHEADER on
  bool placeable = false;
  int16_t left = 0, top = 0, right = 0, bottom = 0;  // placeable bounding box
  uint16_t unitsPerInch = 0;
  // The first window extent set by the records, for metafiles without a
  // placeable header (0 when none).
  int16_t windowExtX = 0, windowExtY = 0;
};

// Walks every record. Accepts only when the header is sane and every record is
// of a known type whose parameters fit its size, object indices match the
// object table's simulated slots, and META_EOF ends the file; info then holds
// the layout facts. A refusal names the record (counted from 1 after the
// header), its function and what is wrong with it.
Verdict ValidateWindowsMetafile(const uint8_t* data, size_t size, WmfInfo& info);

}  // namespace core
