// Byte-mutated copies of metafiles, linked through the document holder and
// played by the platform's player: none may crash it, a refused file leaves the
// holder empty with no object alive, an accepted one draws, and what the holder
// accepts is what the validator accepts.
#include <gtest/gtest.h>

#include <cstring>
#include <iostream>
#include <random>

#include "core/emf_validator.h"
#include "core/wmf_validator.h"
#include "render/documents/document_object.h"
#include "render/holder/document_holder.h"
#include "render/holder/ole_error.h"
#include "tests/core/emf_builder.h"
#include "tests/render/documents_fixtures.h"
#include "toolkit/handles.h"

namespace {

struct FuzzCounts {
  int refused = 0;
  int drawn = 0;
  int notEmptyAfterRefusal = 0;  // the holder kept an object, an extent or drew something
  int objectsLeftAlive = 0;      // copies after which more objects lived than the holder holds
  int disagreements = 0;         // linked though the validator refused it, or (EMF) the reverse
};

std::vector<uint8_t> Mutate(const std::vector<uint8_t>& sample, std::mt19937& rng) {
  static const uint32_t kInteresting[] = {0, 1, 2, 4, 0xFF, 0xFFFF, 0x10000, 0x7FFF, 0x8000,
                                          0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu, 0x00400000, 0xFFFFFFF0u};
  std::vector<uint8_t> b = sample;
  const int edits = 1 + int(rng() % 4);
  for (int e = 0; e < edits; ++e) {
    const size_t at = rng() % b.size();
    switch (rng() % 5) {
      case 0: b[at] = uint8_t(rng()); break;
      case 1: b[at] ^= uint8_t(1u << (rng() % 8)); break;
      case 2: {
        const size_t aligned = (at & ~size_t(3)) + 4 <= b.size() ? at & ~size_t(3) : 0;
        const uint32_t v = kInteresting[rng() % (sizeof kInteresting / sizeof *kInteresting)];
        std::memcpy(&b[aligned], &v, 4);
        break;
      }
      case 3: {  // an offset or size moved a little, as a bitmap's fields change
        const size_t aligned = (at & ~size_t(3)) + 4 <= b.size() ? at & ~size_t(3) : 0;
        uint32_t v;
        std::memcpy(&v, &b[aligned], 4);
        v += uint32_t(int32_t(rng() % 129) - 64);
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

bool Valid(documents::DocumentKind kind, const std::vector<uint8_t>& b) {
  core::WmfInfo info;
  return kind == documents::DocumentKind::Emf ? bool(core::ValidateEnhMetafile(b.data(), b.size()))
                                              : bool(core::ValidateWindowsMetafile(b.data(), b.size(), info));
}

FuzzCounts Fuzz(const std::wstring& name, const std::vector<uint8_t>& sample, int copies, uint32_t seed) {
  const auto kind = documents::KindForPath(name);
  FuzzCounts counts;
  doctest::TempDir dir;
  std::mt19937 rng(seed);
  constexpr COLORREF kPaper = RGB(1, 2, 3);
  testsupport::DibCanvas canvas(64, 48, kPaper);
  tk::GdiBrush paper(CreateSolidBrush(kPaper));
  const RECT whole{0, 0, 64, 48};
  render::DocumentHolder holder(render::DocumentHolder::Host{});
  for (int i = 0; i < copies; ++i) {
    const auto bytes = Mutate(sample, rng);
    const std::wstring path = dir.Write(name, bytes);
    bool linked = true;
    try {
      holder.LinkDocument(path);
    } catch (const render::OleError&) {
      linked = false;
    }
    const bool valid = Valid(kind, bytes);
    // An accepted Windows metafile may still be refused after its conversion.
    counts.disagreements += linked ? !valid : (valid && kind == documents::DocumentKind::Emf);
    counts.objectsLeftAlive += documents::DocumentObject::LiveCount() != (linked ? 1 : 0);
    if (!linked) {
      ++counts.refused;
      const POINT extent = holder.GetDocumentExtent();
      holder.DrawDocument(canvas.dc(), 0, 0, 64, 48);
      GdiFlush();
      bool untouched = true;
      for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) untouched = untouched && canvas.At(x, y) == kPaper;
      counts.notEmptyAfterRefusal += holder.HasDocument() || extent.x != 0 || extent.y != 0 || !untouched;
      continue;
    }
    ++counts.drawn;
    holder.DrawDocument(canvas.dc(), 0, 0, 64, 48);
    holder.DrawDocument(canvas.dc(), -50, -120, 300, 320);  // a strip of a larger picture
    FillRect(canvas.dc(), &whole, paper.get());  // back to the paper for the next refusal
    GdiFlush();
  }
  holder.ReleaseDocument();
  counts.objectsLeftAlive += documents::DocumentObject::LiveCount() != 0;
  return counts;
}

void Expect(const char* what, const FuzzCounts& c, int copies) {
  std::cout << "[ fuzz " << what << " ] " << copies << " copies: " << c.refused << " refused, " << c.drawn
            << " drawn\n";
  EXPECT_EQ(c.notEmptyAfterRefusal, 0) << what;
  EXPECT_EQ(c.objectsLeftAlive, 0) << what;
  EXPECT_EQ(c.disagreements, 0) << what;
  // Both outcomes occur, so the check neither waves everything through nor
  // refuses harmless edits such as a changed colour.
  EXPECT_GT(c.refused, 0) << what;
  EXPECT_GT(c.drawn, 0) << what;
}

// An enhanced metafile with one record of every kind that carries a bitmap.
std::vector<uint8_t> EveryBitmapRecord() {
  coretest::EmfBuilder emf;
  for (uint32_t type : coretest::BitmapRecordTypes()) emf.Add(coretest::ValidBitmapRecord(type));
  return emf.Build();
}

}  // namespace

TEST(MetafileFuzz, MutatedEnhancedMetafilesAreRefusedOrDrawn) {
  Expect("emf", Fuzz(L"drawing.emf", doctest::ReadSample(L"drawing.emf"), 1200, 20240611), 1200);
}

TEST(MetafileFuzz, MutatedBitmapRecordsAreRefusedOrDrawn) {
  const auto sample = EveryBitmapRecord();
  ASSERT_TRUE(core::ValidateEnhMetafile(sample.data(), sample.size()));
  Expect("emf bitmaps", Fuzz(L"bitmaps.emf", sample, 1200, 4711), 1200);
}

TEST(MetafileFuzz, MutatedWindowsMetafilesAreRefusedOrDrawn) {
  Expect("wmf", Fuzz(L"drawing.wmf", doctest::ReadSample(L"drawing.wmf"), 800, 977), 800);
}
