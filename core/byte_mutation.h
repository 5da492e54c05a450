// Mutated copies of a document's bytes, for runs of the program on damaged
// files: a seeded generator that gives the same numbers on every platform and
// compiler, and edits that stay within the buffer they change.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace core {

// SplitMix64. The standard library's distributions differ between
// implementations, so a variant could not be made again from its seed.
class MutationRng {
 public:
  explicit MutationRng(uint64_t seed) : state_(seed) {}
  uint64_t Next();
  // A number in [0, bound); 0 when bound is 0.
  uint64_t Below(uint64_t bound) { return bound ? Next() % bound : 0; }

 private:
  uint64_t state_;
};

enum class Mutation { FlipBit, OverwriteByte, Truncate, DeleteChunk, DuplicateChunk, InsertToken };

// One edit of `kind` at a place drawn from `rng`. InsertToken puts one of
// `tokens` at a random offset, often moved on to where a reader expects one:
// past the next ">" for markup, to the next blank for the rest. An edit that
// has nothing to work on (an empty buffer, no tokens) changes nothing.
void ApplyMutation(std::vector<uint8_t>& bytes, Mutation kind, MutationRng& rng,
                   const std::vector<std::string>& tokens);

// Variant `index` of `original` for `seed`: 1 to `maxEdits` edits of kinds
// drawn at random, token insertions the most often. The same arguments give
// the same bytes everywhere, so a failing variant is named by seed and index.
std::vector<uint8_t> MutatedVariant(const std::vector<uint8_t>& original, const std::vector<std::string>& tokens,
                                    uint64_t seed, uint64_t index, int maxEdits = 4);

// Variant `index` of a binary document (a metafile) for `seed`: 1 to
// `maxEdits` edits, most of them a 32-bit field at a 4-byte boundary set to a
// value that matters to sizes, offsets, counts and indices (0, 1, a field's
// neighbours, the sign bit, all ones, the file's own size), the rest the byte
// edits above.
std::vector<uint8_t> MutatedBinaryVariant(const std::vector<uint8_t>& original, uint64_t seed, uint64_t index,
                                          int maxEdits = 3);

// Text that PDF and SVG readers treat specially: keywords, broken structure,
// numbers out of every range, sizes far too big, references to themselves.
const std::vector<std::string>& PdfTokens();
const std::vector<std::string>& SvgTokens();

}  // namespace core
