// Structural check of an enhanced metafile before anything plays it, and the
// copy of it that the players are given.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/verdict.h"

namespace core {

// Largest coordinate magnitude a record may carry; well inside what GDI's
// fixed-point and 32-bit device arithmetic can transform without overflow.
inline constexpr int32_t kMaxMetafileCoord = 1 << 22;

struct PreparedEmf {
  Verdict verdict;
  // The metafile the players get (empty when refused): the records they can
  // play safely, mended where needed, ending in EMR_EOF, with the header's
  // size, record count and handle table stated for it.
  std::vector<uint8_t> bytes;
  uint32_t leftOut = 0;     // records of the file the players are not given
  std::string brokeOff;     // why the records end early, as the players would stop there
  bool emfPlus = false;     // EMF+ records, announced by an EMF+ header right after the EMF header
  bool emfPlusDual = false; // ... and the EMF records draw the same picture for players without EMF+
  bool emfDraws = false;    // an EMF record the players get draws something
};

// Walks every record of an EMF image. Refuses when the header is unusable or
// a record's fields point outside the record (or an object index outside any
// handle table): the refusal names the record (counted from 1, the header
// being record 1), its type and what is wrong, e.g. "record 12 of type
// EMR_BITBLT (76) has its bitmap bits outside the record". A well-formed
// record of any type is accepted, and played or left out as the checks of
// emf_checker.h decide. A record whose size breaks the chain ends the
// metafile there, as it ends every player's walk.
PreparedEmf PrepareEnhMetafile(const uint8_t* data, size_t size);

inline Verdict ValidateEnhMetafile(const uint8_t* data, size_t size) { return PrepareEnhMetafile(data, size).verdict; }

}  // namespace core
