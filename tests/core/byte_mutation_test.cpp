#include "core/byte_mutation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

namespace {

std::vector<uint8_t> Counting(size_t n) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = uint8_t(i * 7 + 1);
  return v;
}

// Whether `longer` is `shorter` with one run of bytes put in at some place;
// the run is returned in `run`.
bool OneRunApart(const std::vector<uint8_t>& shorter, const std::vector<uint8_t>& longer, std::string& run) {
  if (longer.size() < shorter.size()) return false;
  size_t head = 0;
  while (head < shorter.size() && shorter[head] == longer[head]) ++head;
  size_t tail = 0;
  while (tail < shorter.size() - head && shorter[shorter.size() - 1 - tail] == longer[longer.size() - 1 - tail])
    ++tail;
  if (head + tail != shorter.size()) return false;
  run.assign(longer.begin() + std::ptrdiff_t(head), longer.end() - std::ptrdiff_t(tail));
  return true;
}

// A run found between the unchanged head and tail can be the inserted bytes
// turned round, when they start like the bytes after them.
bool SomeRotation(const std::string& run, const std::function<bool(const std::string&)>& holds) {
  for (size_t k = 0; k < std::max<size_t>(run.size(), 1); ++k)
    if (holds(run.substr(k) + run.substr(0, k))) return true;
  return false;
}

int BytesApart(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  int n = 0;
  for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
  return n;
}

int BitsApart(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  int bits = 0;
  for (size_t i = 0; i < a.size(); ++i)
    for (uint8_t x = a[i] ^ b[i]; x; x &= uint8_t(x - 1)) ++bits;
  return bits;
}

}  // namespace

TEST(ByteMutation, GeneratorIsSplitMix64AndStaysBelowItsBound) {
  core::MutationRng rng(0);
  EXPECT_EQ(rng.Next(), 0xE220A8397B1DCDAFull);  // the reference sequence's first number
  EXPECT_EQ(rng.Below(0), 0u);
  for (int i = 0; i < 1000; ++i) EXPECT_LT(rng.Below(7), 7u);
}

// Each kind, many times over: what it did to a buffer of 100 distinct-ish bytes.
TEST(ByteMutation, EachKindMakesItsOwnEdit) {
  using core::Mutation;
  const std::vector<uint8_t> original = Counting(100);
  const std::vector<std::string> tokens = {"obj", "<<"};
  for (const Mutation kind : {Mutation::FlipBit, Mutation::OverwriteByte, Mutation::Truncate, Mutation::DeleteChunk,
                              Mutation::DuplicateChunk, Mutation::InsertToken}) {
    for (uint64_t seed = 1; seed <= 200; ++seed) {
      SCOPED_TRACE(::testing::Message() << "kind " << int(kind) << " seed " << seed);
      core::MutationRng rng(seed);
      std::vector<uint8_t> b = original;
      core::ApplyMutation(b, kind, rng, tokens);
      std::string run;
      switch (kind) {
        case Mutation::FlipBit:
          ASSERT_EQ(b.size(), original.size());
          EXPECT_EQ(BitsApart(b, original), 1);
          break;
        case Mutation::OverwriteByte:
          ASSERT_EQ(b.size(), original.size());
          EXPECT_LE(BytesApart(b, original), 1);
          break;
        case Mutation::Truncate:
          EXPECT_LT(b.size(), original.size());
          EXPECT_TRUE(std::equal(b.begin(), b.end(), original.begin()));
          break;
        case Mutation::DeleteChunk:
          EXPECT_LT(b.size(), original.size());
          EXPECT_TRUE(OneRunApart(b, original, run));
          break;
        case Mutation::DuplicateChunk:
          EXPECT_GT(b.size(), original.size());
          ASSERT_TRUE(OneRunApart(original, b, run));
          EXPECT_TRUE(SomeRotation(run, [&](const std::string& r) {
            return std::string(original.begin(), original.end()).find(r) != std::string::npos;
          })) << "the copy is of bytes that were there";
          break;
        case Mutation::InsertToken:
          ASSERT_TRUE(OneRunApart(original, b, run));
          EXPECT_TRUE(SomeRotation(run, [&](const std::string& r) { return r == "obj" || r == "<<"; })) << run;
          break;
      }
    }
  }
}

TEST(ByteMutation, EmptyInputsAreLeftAloneExceptByInsertion) {
  using core::Mutation;
  core::MutationRng rng(5);
  for (const Mutation kind : {Mutation::FlipBit, Mutation::OverwriteByte, Mutation::Truncate, Mutation::DeleteChunk,
                              Mutation::DuplicateChunk}) {
    std::vector<uint8_t> empty;
    core::ApplyMutation(empty, kind, rng, {"x"});
    EXPECT_TRUE(empty.empty());
  }
  std::vector<uint8_t> empty;
  core::ApplyMutation(empty, Mutation::InsertToken, rng, {});
  EXPECT_TRUE(empty.empty());
  core::ApplyMutation(empty, Mutation::InsertToken, rng, {"xref"});
  EXPECT_EQ(std::string(empty.begin(), empty.end()), "xref");
}

// A variant is named by seed and index alone: made again it is the same, and
// neighbours differ from each other and from the original.
TEST(ByteMutation, VariantsAreReproducibleAndDistinct) {
  const std::vector<uint8_t> original = Counting(1500);
  std::set<std::vector<uint8_t>> seen;
  for (uint64_t index = 0; index < 50; ++index) {
    const std::vector<uint8_t> v = core::MutatedVariant(original, core::PdfTokens(), 42, index);
    EXPECT_EQ(v, core::MutatedVariant(original, core::PdfTokens(), 42, index));
    EXPECT_NE(v, original) << index;
    seen.insert(v);
  }
  EXPECT_EQ(seen.size(), 50u);
  EXPECT_NE(core::MutatedVariant(original, core::SvgTokens(), 1, 0), core::MutatedVariant(original, core::SvgTokens(), 2, 0));
}
