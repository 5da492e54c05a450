// Checks of the EMF+ records that enhanced metafiles carry in their comments,
// before a GDI+ player sees them. The players trust the records: Wine's walks
// a comment by each record's Size, forms byte counts from counts in 32-bit
// arithmetic that wraps on the 32-bit build, and deserializes objects (paths,
// regions, brushes, pens, images, fonts) straight from the record data. So
// every offset, size, count, index and nesting a player follows is bounded
// here, in 64-bit arithmetic, by the reading of Wine's player and of Windows';
// anything else well-formed passes, unknown record types included.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/emfplus_records.h"
#include "core/le_bytes.h"

namespace core {
namespace emfplus {

// Largest bitmap, in pixels, that an image object may declare or that a
// compressed image's own header may decode to. The player converts bitmaps to
// 32 bits a pixel, so 64 megapixels cost 256 MB: more than any picture in a
// document needs, and the most the 32-bit program can spare.
inline constexpr uint64_t kMaxImagePixels = 1ull << 26;
// Deepest region tree, counting the combinations the clip builds up. The
// player reads, copies, transforms and converts regions by recursion, a few
// hundred bytes of stack a level; 256 levels stay far inside a thread's stack,
// and producers nest one level per combination, a handful in practice.
inline constexpr int kMaxRegionDepth = 256;
// Most graphics states and containers open at once. The player keeps each in
// a list, with a copy of the clip, and searches the list on every restore;
// real files open a few dozen at most.
inline constexpr size_t kMaxStates = 1024;
// Metafiles inside image objects, inside metafiles: how deep they may nest.
// Each level is one more playback on the stack and multiplies the work.
inline constexpr int kMaxMetafileNesting = 4;
// Records the player replays for the embedded metafiles the records draw, and
// pixels it converts for the bitmaps they draw: a 40-byte record can draw an
// image of any size again, so the repeats are bounded, not the single draws.
inline constexpr uint64_t kMaxReplayedRecords = 1ull << 24;
inline constexpr uint64_t kMaxDrawnPixels = 1ull << 32;
// Largest object spread over several records. Windows' player allocates it
// whole when the first part arrives; 1 GB is beyond any object within the
// other bounds (64 megapixels of 8 bytes are 512 MB).
inline constexpr uint64_t kMaxObjectBytes = 1ull << 30;

}  // namespace emfplus

// Checks the EMF+ records of one metafile, comment by comment, in file order;
// keeps what spans comments (the object table, continued objects).
class EmfPlusChecker {
 public:
  EmfPlusChecker() = default;

  // `data` is one EMR_GDICOMMENT's cbData bytes, beginning with "EMF+".
  // False when something the player would follow lies outside the comment
  // (or breaks another bound); Why() then says what, as a phrase that the
  // caller puts after "record 57 of type EMR_GDICOMMENT (70) ", for example
  // "holds EMF+ record 3, EmfPlusFillRects (0x400A), with more rectangles than it holds".
  bool Comment(const ByteReader& data);
  // At the metafile's end (EMR_EOF): false when an object spread over several
  // records never got all its parts; Why() then says so after "the metafile ".
  bool End();
  const std::string& Why() const { return why_; }
  // Whether the EMF+ header record was the first EMF+ record seen, and its
  // dual flag (bit 0 of the header record's Flags: the file also carries EMF drawing).
  bool SawHeader() const { return sawHeader_; }
  bool Dual() const { return dual_; }

  // EMF+ records seen, and what the records' draws of embedded metafiles and
  // bitmaps cost the player beyond them.
  uint64_t Records() const { return records_; }
  uint64_t ReplayedRecords() const { return replayed_; }
  uint64_t DrawnPixels() const { return drawnPixels_; }

 private:
  // What the player's object table holds, as far as the bounds need it.
  struct Slot {
    int regionDepth = 0;   // a region's tree depth
    uint64_t replay = 0;   // records an embedded metafile plays each time it is drawn
    uint64_t pixels = 0;   // pixels a draw of the image converts
  };
  // A saved graphics state or open container, and the clip depth it restores.
  struct State {
    uint32_t index;
    bool container;
    int clipDepth;
  };

  bool Fail(std::string detail);
  bool Record(const ByteReader& d, uint16_t type, uint16_t flags);
  bool Id(uint32_t id, const char* what);
  bool OptionalId(uint32_t id, const char* what);
  bool BrushField(const ByteReader& d, uint16_t flags);
  bool Min(const ByteReader& d, uint64_t bytes);
  bool Points(const ByteReader& d, uint64_t at, uint64_t count, uint16_t flags);
  bool Rects(const ByteReader& d, uint64_t at, uint64_t count, bool compressed);
  bool Draw(uint8_t image);
  bool Push(uint32_t index, bool container);
  void Pop(uint32_t index, bool container);
  bool Clip(uint16_t flags, int depth);
  bool TSClip(const ByteReader& d, uint16_t flags);
  bool Effect(const ByteReader& d);

  // Objects (emfplus_objects.cpp).
  bool Object(const ByteReader& d, uint16_t flags);
  bool ObjectData(const ByteReader& d, uint8_t kind, Slot& slot);
  bool Brush(const ByteReader& d);
  bool LinearGradient(const ByteReader& d);
  bool PathGradient(const ByteReader& d);
  bool Blend(const ByteReader& d, uint64_t& off);
  bool Pen(const ByteReader& d);
  bool LineCap(const ByteReader& d);
  bool Path(const ByteReader& d, bool inRegion);
  bool Region(const ByteReader& d, Slot& slot);
  bool RegionNode(const ByteReader& d, uint64_t& off, int depth, uint64_t& nodes, int& deepest);
  bool Image(const ByteReader& d, Slot& slot, bool texture);
  bool Bitmap(const ByteReader& d, Slot& slot);
  bool CompressedImage(const ByteReader& d, uint64_t& pixels);
  bool Metafile(const ByteReader& d, Slot& slot, bool texture);
  bool EmbeddedEmf(const ByteReader& d, Slot& slot, bool texture);

  std::string why_;
  std::string detail_;
  std::array<Slot, emfplus::kObjectSlots> table_{};
  std::vector<State> states_;
  int clipDepth_ = 0;
  bool seenRecord_ = false, sawHeader_ = false, dual_ = false;
  uint64_t records_ = 0, replayed_ = 0, drawnPixels_ = 0;
  // An object whose parts are still arriving: its flags, announced size, parts so far.
  bool pending_ = false;
  uint16_t pendingFlags_ = 0;
  uint32_t pendingTotal_ = 0;
  std::vector<uint8_t> pendingData_;
};

}  // namespace core
