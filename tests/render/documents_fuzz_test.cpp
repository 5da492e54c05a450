// Byte-mutated copies of the vector samples: every one is either refused by the
// structural check or drawn, and none may crash or hang the player.
#include <gtest/gtest.h>

#include <cstring>
#include <iostream>
#include <random>

#include "tests/render/documents_fixtures.h"

namespace {

struct FuzzCounts {
  int refused = 0;
  int drawn = 0;
};

std::vector<uint8_t> Mutate(const std::vector<uint8_t>& sample, std::mt19937& rng) {
  static const uint32_t kInteresting[] = {0, 1, 2, 0xFF, 0xFFFF, 0x10000, 0x7FFF, 0x8000,
                                          0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu, 0x00400000};
  std::vector<uint8_t> b = sample;
  const int edits = 1 + int(rng() % 4);
  for (int e = 0; e < edits; ++e) {
    const size_t at = rng() % b.size();
    switch (rng() % 4) {
      case 0: b[at] = uint8_t(rng()); break;
      case 1: b[at] ^= uint8_t(1u << (rng() % 8)); break;
      case 2: {
        const size_t aligned = (at & ~size_t(3)) + 4 <= b.size() ? at & ~size_t(3) : 0;
        const uint32_t v = kInteresting[rng() % (sizeof kInteresting / sizeof *kInteresting)];
        std::memcpy(&b[aligned], &v, 4);
        break;
      }
      default: {  // a signed nudge of a 16-bit field, as coordinates change
        const size_t aligned = (at & ~size_t(1)) + 2 <= b.size() ? at & ~size_t(1) : 0;
        uint16_t v;
        std::memcpy(&v, &b[aligned], 2);
        v = uint16_t(v + int16_t(rng() % 2001) - 1000);
        std::memcpy(&b[aligned], &v, 2);
      }
    }
  }
  return b;
}

FuzzCounts Fuzz(const wchar_t* sampleName, int copies, uint32_t seed) {
  const auto sample = doctest::ReadSample(sampleName);
  const auto kind = documents::KindForPath(sampleName);
  FuzzCounts counts;
  if (sample.empty()) return counts;
  std::mt19937 rng(seed);
  testsupport::DibCanvas canvas(64, 48);
  for (int i = 0; i < copies; ++i) {
    const auto content = doctest::Load(kind, Mutate(sample, rng));
    if (!content) {
      ++counts.refused;
      continue;
    }
    ++counts.drawn;
    content->Draw(canvas.dc(), RECT{0, 0, 64, 48});
    content->Draw(canvas.dc(), RECT{-50, -120, 250, 200});  // a strip of a larger picture
  }
  return counts;
}

}  // namespace

TEST(MetafileFuzz, MutatedEnhancedMetafilesAreRefusedOrDrawn) {
  const FuzzCounts c = Fuzz(L"drawing.emf", 3000, 20240611);
  std::cout << "[ fuzz emf ] 3000 copies: " << c.refused << " refused, " << c.drawn << " drawn\n";
  RecordProperty("emf_refused", c.refused);
  RecordProperty("emf_drawn", c.drawn);
  EXPECT_EQ(c.refused + c.drawn, 3000);
  // Both outcomes occur, so the check neither waves everything through nor
  // refuses harmless edits such as a changed colour.
  EXPECT_GT(c.refused, 0);
  EXPECT_GT(c.drawn, 0);
}

TEST(MetafileFuzz, MutatedWindowsMetafilesAreRefusedOrDrawn) {
  const FuzzCounts c = Fuzz(L"drawing.wmf", 2000, 977);
  std::cout << "[ fuzz wmf ] 2000 copies: " << c.refused << " refused, " << c.drawn << " drawn\n";
  RecordProperty("wmf_refused", c.refused);
  RecordProperty("wmf_drawn", c.drawn);
  EXPECT_EQ(c.refused + c.drawn, 2000);
  EXPECT_GT(c.refused, 0);
  EXPECT_GT(c.drawn, 0);
}
