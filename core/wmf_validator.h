// Structural check of a Windows metafile (optionally with a placeable header),
// and the copy of it that the platform converts and plays.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/verdict.h"

namespace core {

struct WmfInfo {
  size_t headerOffset = 0;   // where the METAHEADER starts (22 with a placeable header)
  bool placeable = false;
  int16_t left = 0, top = 0, right = 0, bottom = 0;  // placeable bounding box
  uint16_t unitsPerInch = 0;
  // The first window extent set by the records, for metafiles without a
  // placeable header (0 when none).
  int16_t windowExtX = 0, windowExtY = 0;
};

struct PreparedWmf {
  Verdict verdict;
  WmfInfo info;
  // The metafile the platform gets (empty when refused), from its METAHEADER
  // on: the records it can play safely, mended where needed, ending in
  // META_EOF, with the header stated for it.
  std::vector<uint8_t> bytes;
  // An enhanced metafile the file carries whole in its comments, as the
  // platform's own conversion writes it; the platform plays that instead of
  // the records when the file's checksum holds. Empty when there is none.
  std::vector<uint8_t> embeddedEmf;
  uint32_t leftOut = 0;  // records of the file the platform is not given
  std::string brokeOff;  // why the records end early, as the player would stop there
};

// Walks every record. Refuses when the headers are unusable or a record's
// parameters point outside the record: the refusal names the record
// (counted from 1 after the header), its function and what is wrong. A
// well-formed record of any function is accepted, and played or left out.
PreparedWmf PrepareWindowsMetafile(const uint8_t* data, size_t size);

inline Verdict ValidateWindowsMetafile(const uint8_t* data, size_t size, WmfInfo& info) {
  PreparedWmf p = PrepareWindowsMetafile(data, size);
  info = p.info;
  return p.verdict;
}

}  // namespace core
