// The EMF+ checker on comments built in code: every bound it keeps, accepted at
// its limit and refused one byte or one count past it, the counts whose byte
// sizes wrap in 32 bits, and every EMF+ comment of the shared corpus.
#include "core/emfplus_checker.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "tests/core/emf_builder.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Comments = std::vector<Bytes>;
namespace ep = core::emfplus;

struct D {  // little-endian data, built field by field
  Bytes b;
  D& u32(uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> 8 * i));
    return *this;
  }
  D& u16(uint16_t v) { return u8(uint8_t(v)).u8(uint8_t(v >> 8)); }
  D& u8(uint8_t v) {
    b.push_back(v);
    return *this;
  }
  D& zeros(size_t n) {
    b.resize(b.size() + n);
    return *this;
  }
  D& add(const Bytes& x) {
    b.insert(b.end(), x.begin(), x.end());
    return *this;
  }
  operator Bytes() const { return b; }
};

// A record with its sizes filled in, padded to 4 bytes; or with sizes given.
Bytes Raw(uint16_t type, uint16_t flags, uint32_t size, uint32_t dataSize, const Bytes& body) {
  return D().u16(type).u16(flags).u32(size).u32(dataSize).add(body);
}
Bytes Rec(uint16_t type, uint16_t flags, const Bytes& data = {}) {
  Bytes body = data;
  body.resize((body.size() + 3) & ~size_t(3));
  return Raw(type, flags, uint32_t(12 + body.size()), uint32_t(data.size()), body);
}
Bytes Obj(uint8_t kind, uint8_t id, const Bytes& data, uint16_t more = 0) {
  return Rec(ep::kObject, uint16_t(kind << 8 | id | more), data);
}
Bytes Comment(const std::vector<Bytes>& records) {
  D c;
  c.u32(ep::kSignature);
  for (const Bytes& r : records) c.add(r);
  return c;
}
Comments One(const Bytes& record) { return {Comment({record})}; }
Bytes Many(size_t n, const Bytes& record) {
  D c;
  c.u32(ep::kSignature);
  for (size_t i = 0; i < n; ++i) c.add(record);
  return c;
}

// Comments through one checker, then the metafile's end.
bool Check(const Comments& comments, std::string* why = nullptr) {
  core::EmfPlusChecker c;
  for (const Bytes& b : comments) {
    if (!c.Comment(core::ByteReader(b.data(), b.size()))) {
      if (why) *why = c.Why();
      return false;
    }
  }
  const bool ended = c.End();
  if (why) *why = c.Why();
  return ended;
}

Bytes Path(const std::vector<uint8_t>& types, uint32_t flags = 0, uint32_t count = UINT32_MAX) {
  D p;
  p.u32(0xDBC01002).u32(count == UINT32_MAX ? uint32_t(types.size()) : count).u32(flags).zeros(8 * types.size());
  for (uint8_t t : types) p.u8(t);
  return p;
}
// A region of `depth` unions down its left side, empty leaves on the right.
Bytes DeepRegion(int depth) {
  D r;
  r.u32(0xDBC01002).u32(2 * depth);
  for (int i = 0; i < depth; ++i) r.u32(2);
  r.u32(0x10000003);
  for (int i = 0; i < depth; ++i) r.u32(0x10000002);
  return r;
}
Bytes Bitmap(uint32_t w, uint32_t h, int32_t stride, uint32_t format, uint32_t kind, const Bytes& data) {
  return D().u32(0xDBC01002).u32(1).u32(w).u32(h).u32(uint32_t(stride)).u32(format).u32(kind).add(data);
}
Bytes Png(uint32_t w, uint32_t h) {
  D p;
  p.add({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'});
  for (uint32_t v : {w, h}) p.u8(uint8_t(v >> 24)).u8(uint8_t(v >> 16)).u8(uint8_t(v >> 8)).u8(uint8_t(v));
  return p.zeros(5);
}
Bytes Jpeg(uint16_t w, uint16_t h) {  // SOI, an APP0 segment to step over, SOF0
  return D()
      .add({0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 'J', 'F', 0xFF, 0xC0, 0, 11, 8})
      .add({uint8_t(h >> 8), uint8_t(h), uint8_t(w >> 8), uint8_t(w), 1, 1, 0x11, 0});
}
Bytes Gif(uint16_t h2) {  // a 1x1 screen, frames 8192x4096 and 8192 x h2
  D g;
  g.add({'G', 'I', 'F', '8', '9', 'a'}).u16(1).u16(1).u8(0).u8(0).u8(0);
  for (uint16_t h : {uint16_t(4096), h2}) g.u8(0x2C).u16(0).u16(0).u16(8192).u16(h).u8(0).u8(2).u8(1).u8(0).u8(0);
  return g.u8(0x3B);
}
Bytes Tiff(uint32_t w, uint32_t h) {
  return D().add({'I', 'I', 42, 0}).u32(8).u16(2).u16(256).u16(4).u32(1).u32(w).u16(257).u16(4).u32(1).u32(h).u32(0);
}
Bytes Image(const Bytes& compressed, uint32_t w = 1, uint32_t h = 1) { return Bitmap(w, h, 0, 0, 1, compressed); }

// An EMF whose one comment holds `inner`; an image object holding an EMF.
Bytes Emf(const Bytes& inner) {
  coretest::Record r(core::emr::kGdiComment, 12);
  r.U32(8, uint32_t(inner.size())).Append(inner);
  return coretest::EmfBuilder().Add(r).Build();
}
Bytes EmfImage(const Bytes& emf) { return D().u32(0xDBC01002).u32(2).u32(3).u32(uint32_t(emf.size())).add(emf); }
Bytes Nested(int levels) {
  Bytes inner = Comment({Rec(ep::kGetDC, 0)});
  for (int i = 0; i < levels; ++i) inner = Comment({Obj(ep::kObjImage, 0, EmfImage(Emf(inner)))});
  return inner;
}
// Bytes [from, to) of a brush object as a part of it, with `extra` bytes more.
Bytes Part(const Bytes& brush, size_t from, size_t to, size_t extra = 0) {
  const Bytes part(brush.begin() + from, brush.begin() + to);
  return Obj(ep::kObjBrush, 6, D().u32(uint32_t(brush.size())).add(part).zeros(extra), ep::kFlagContinued);
}
Bytes DrawImage(uint8_t image, uint32_t attributes = 0xFFFFFFFF) {
  return Rec(ep::kDrawImage, image, D().u32(attributes).u32(2).zeros(32));
}
Bytes Pen(uint32_t dashes, uint32_t stored) {
  D p;
  p.u32(0xDBC01002).u32(0).u32(0x100).u32(2).u32(0).u32(dashes).zeros(4 * stored);
  return p.u32(0xDBC01002).u32(0x7F);  // a brush of a kind no player makes: eight bytes
}

}  // namespace

TEST(EmfPlusRecords, NamesEveryTypeAndNothingElse) {
  EXPECT_STREQ(core::EmfPlusRecordName(0x4001), "EmfPlusHeader");
  EXPECT_STREQ(core::EmfPlusRecordName(0x400A), "EmfPlusFillRects");
  EXPECT_STREQ(core::EmfPlusRecordName(0x403A), "EmfPlusSetTSClip");
  EXPECT_EQ(core::EmfPlusRecordName(0x4000), nullptr);
  EXPECT_EQ(core::EmfPlusRecordName(0x403B), nullptr);
}

// Each rule that decides: the construction is accepted at the bound and
// refused one byte or one count past it (or, for wrapping counts, at a count
// whose byte size wraps in 32 bits to what the record holds).
TEST(EmfPlusChecker, EveryBoundHoldsAtItsLimitAndNotPast) {
  struct Case {
    const char* rule;
    std::function<Comments(bool past)> make;
  };
  const Bytes solid = D().u32(0xDBC01002).u32(0).u32(0xFF00FF00);
  const Case cases[] = {
      {"record size within the comment", [](bool p) { return One(Raw(0x4004, 0, p ? 16 : 12, 0, {})); }},
      {"record size holds its header", [](bool p) { return One(Raw(0x4004, 0, p ? 11 : 12, 0, {})); }},
      {"data size within the record", [](bool p) { return One(Raw(ep::kComment, 0, 16, p ? 5 : 4, Bytes(4))); }},
      {"EMF record types are not played from EMF+", [](bool p) { return One(Rec(p ? 0x7A : 0x7B, 0)); }},
      {"rectangles within the record",
       [](bool p) { return One(Rec(ep::kFillRects, 0x8000, D().u32(0).u32(p ? 4 : 3).zeros(48))); }},
      {"rectangle count wrapping 32 bits",
       [](bool p) { return One(Rec(ep::kFillRects, 0xC000, D().u32(0).u32(p ? 0x20000001 : 1).zeros(8))); }},
      {"pen in the object table", [](bool p) { return One(Rec(ep::kDrawRects, p ? 64 : 63, D().u32(1).zeros(16))); }},
      {"object slot in the table", [&](bool p) { return One(Obj(ep::kObjBrush, p ? 64 : 63, solid)); }},
      {"image attributes in the table", [](bool p) { return One(DrawImage(0, p ? 64 : 63)); }},
      {"glyphs within the record",
       [](bool p) {
         return One(Rec(ep::kDrawDriverString, 0x8000, D().u32(0).u32(0).u32(1).u32(p ? 3 : 2).zeros(44)));
       }},
      {"string within the record",
       [](bool p) { return One(Rec(ep::kDrawString, 0x8000, D().u32(0).u32(0xFFFFFFFF).u32(p ? 3 : 2).zeros(20))); }},
      {"state index read whatever the size", [](bool p) { return One(Rec(ep::kSave, 0, Bytes(p ? 3 : 4))); }},
      {"container rectangles and index", [](bool p) { return One(Rec(ep::kBeginContainer, 0, Bytes(p ? 35 : 36))); }},
      {"states open at once", [](bool p) { return Comments{Many(p ? 1025 : 1024, Rec(ep::kSave, 0, Bytes(4)))}; }},
      {"clip combined deeply",
       [](bool p) { return Comments{Many(p ? 257 : 256, Rec(ep::kSetClipRect, 0x100, Bytes(16)))}; }},
      {"font name within the record",
       [](bool p) {
         return One(Obj(ep::kObjFont, 0, D().u32(0).u32(0).u32(0).u32(0).u32(0).u32(p ? 4 : 3).zeros(6)));
       }},
      {"path points and types",
       [](bool p) {
         return One(Obj(ep::kObjPath, 1, Path({0, 1}, 0, p ? 3 : 2)));
       }},
      {"path count wrapping 32 bits",
       [](bool p) { return One(Obj(ep::kObjPath, 1, Path({0}, 0, p ? 0x1C71C71D : 1))); }},
      {"path ends with a whole Bezier segment",
       [](bool p) {
         return One(Obj(ep::kObjPath, 1, p ? Path({0, 3, 3}) : Path({0, 3, 3, 3})));
       }},
      {"region depth", [](bool p) { return One(Obj(ep::kObjRegion, 2, DeepRegion(p ? 257 : 256))); }},
      {"region node count",
       [](bool p) {
         return One(Obj(ep::kObjRegion, 2, D().u32(0).u32(p ? 4 : 3).u32(1).u32(0x10000002).u32(0x10000003)));
       }},
      {"region children complete",
       [](bool p) {
         D r;
         r.u32(0).u32(2).u32(1).u32(0x10000002);
         if (!p) r.u32(0x10000003);
         return One(Obj(ep::kObjRegion, 2, r));
       }},
      {"region node kinds",
       [](bool p) { return One(Obj(ep::kObjRegion, 2, D().u32(0).u32(0).u32(p ? 0x10000004 : 0x10000003))); }},
      {"region paths Wine can read",
       [](bool p) {
         const Bytes path = Path({0, 1}, p ? ep::kPathRelative : 0);
         return One(Obj(ep::kObjRegion, 2, D().u32(0).u32(0).u32(0x10000001).u32(uint32_t(path.size())).add(path)));
       }},
      {"bitmap rows",
       [](bool p) { return One(Obj(ep::kObjImage, 3, Bitmap(2, p ? 4 : 3, 8, 0x26200A, 0, Bytes(24)))); }},
      {"bitmap stride holds a row",
       [](bool p) { return One(Obj(ep::kObjImage, 3, Bitmap(2, 3, p ? 7 : 8, 0x26200A, 0, Bytes(24)))); }},
      {"bitmap rows run forwards",
       [](bool p) { return One(Obj(ep::kObjImage, 3, Bitmap(2, 3, p ? -8 : 8, 0x26200A, 0, Bytes(24)))); }},
      {"palette within the record",
       [](bool p) {  // of a bitmap without rows, which the player reads all the same
         return One(Obj(ep::kObjImage, 3, Bitmap(4, 0, 4, 0x30803, 0, D().u32(0).u32(p ? 4 : 3).zeros(12))));
       }},
      {"declared bitmap size",
       [](bool p) { return One(Obj(ep::kObjImage, 3, Image(Bytes(4), 8192, p ? 8193 : 8192))); }},
      {"PNG size", [](bool p) { return One(Obj(ep::kObjImage, 3, Image(Png(8192, p ? 8193 : 8192)))); }},
      {"JPEG size", [](bool p) { return One(Obj(ep::kObjImage, 3, Image(Jpeg(8192, p ? 8193 : 8192)))); }},
      {"GIF frames together", [](bool p) { return One(Obj(ep::kObjImage, 3, Image(Gif(p ? 4097 : 4096)))); }},
      {"TIFF size", [](bool p) { return One(Obj(ep::kObjImage, 3, Image(Tiff(8192, p ? 8193 : 8192)))); }},
      {"pen dashes leave room for its brush", [](bool p) { return One(Obj(ep::kObjPen, 4, Pen(p ? 3 : 2, 2))); }},
      {"gradient colour count wrapping 32 bits",
       [](bool p) {
         return One(Obj(ep::kObjBrush, 5, D().u32(0).u32(4).u32(4).zeros(36).u32(p ? 0x20000001 : 1).zeros(8)));
       }},
      {"continued parts add up to their object",
       [&](bool p) {
         return Comments{Comment({Part(solid, 0, 8)}), Comment({Part(solid, 8, 12, p)})};
       }},
      {"continued object completes",
       [&](bool p) {
         return p ? One(Part(solid, 0, 8)) : Comments{Comment({Part(solid, 0, 8), Part(solid, 8, 12)})};
       }},
      {"continued parts uninterrupted",
       [&](bool p) {
         const Bytes a = Part(solid, 0, 8), b = Part(solid, 8, 12), between = Rec(ep::kGetDC, 0);
         return Comments{p ? Comment({a, between, b}) : Comment({a, b, between})};
       }},
      {"metafiles nested", [](bool p) { return Comments{Nested(p ? 5 : 4)}; }},
      {"embedded metafile's records",
       [](bool p) { return One(Obj(ep::kObjImage, 0, EmfImage(Emf(Comment({Raw(0x4004, 0, p ? 16 : 12, 0, {})}))))); }},
      {"draws of embedded metafiles",
       [](bool p) {
         // 4096 records a draw (the comment, EMR_EOF and 4094 EMF+ records): 4096 draws reach 2^24.
         const Bytes image = Obj(ep::kObjImage, 0, EmfImage(Emf(Many(4094, Rec(ep::kGetDC, 0)))));
         return Comments{Comment({image}), Many(p ? 4097 : 4096, DrawImage(0))};
       }},
      {"effect parameters",
       [](bool p) {
         const Bytes blur = {0xA4, 0x80, 0x3C, 0x63, 0x43, 0x18, 0x2B, 0x48,
                             0x9E, 0xF2, 0xBE, 0x28, 0x34, 0xC5, 0xFD, 0xD4};
         return One(Rec(ep::kSerializableObject, 0, D().add(blur).u32(p ? 7 : 8).zeros(8)));
       }},
      {"compressed clip rectangles",
       [](bool p) {
         return One(Rec(ep::kSetTSClip, uint16_t(0x8000 | (p ? 2 : 1)), {0x81, 0x82, 0x83, 0x84}));
       }},
      {"curve segments within the points",
       [](bool p) { return One(Rec(ep::kDrawCurve, 1, D().u32(0).u32(1).u32(p ? 3 : 2).u32(4).zeros(32))); }},
  };
  for (const Case& c : cases) {
    std::string why;
    EXPECT_TRUE(Check(c.make(false), &why)) << c.rule << ": " << why;
    EXPECT_FALSE(Check(c.make(true))) << c.rule;
  }
}

TEST(EmfPlusChecker, SaysWhichRecordAndWhatIsWrong) {
  std::string why;
  EXPECT_FALSE(Check({Comment({Rec(ep::kGetDC, 0), Rec(ep::kFillRects, 0x8000, D().u32(0).u32(2).zeros(16))})}, &why));
  EXPECT_EQ(why, "holds EMF+ record 2, EmfPlusFillRects (0x400A), with more rectangles than it holds");
  EXPECT_FALSE(Check({Comment({Raw(0x4100, 0, 40, 0, {})})}, &why));
  EXPECT_EQ(why, "holds EMF+ record 1, of unknown type (0x4100), whose size runs past the comment");
}

TEST(EmfPlusChecker, NotesTheHeaderOnlyWhenItComesFirst) {
  const Bytes header = Rec(ep::kHeader, 1, Bytes(16));
  core::EmfPlusChecker first, second;
  for (const Bytes& b : {Comment({header}), Comment({Rec(ep::kGetDC, 0)})})
    ASSERT_TRUE(first.Comment(core::ByteReader(b.data(), b.size())));
  for (const Bytes& b : {Comment({Rec(ep::kGetDC, 0)}), Comment({header})})
    ASSERT_TRUE(second.Comment(core::ByteReader(b.data(), b.size())));
  EXPECT_TRUE(first.SawHeader() && first.Dual());
  EXPECT_FALSE(second.SawHeader() || second.Dual());
}

// Real files from Office, GDI+, .NET, LibreOffice and libUEMF: every EMF+
// comment passes. The EMF records around them are walked by their sizes only.
TEST(EmfPlusChecker, AcceptsEveryCommentOfTheCorpus) {
  const std::filesystem::path dir = std::filesystem::path(VERDALUX_CORPUS_DIR) / "emf";
  if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << "no corpus at " << dir;
  size_t files = 0, comments = 0;
  uint64_t records = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".emf" || name.rfind("emf2svg_corrupt_", 0) == 0) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const core::ByteReader r(file.data(), file.size());
    core::EmfPlusChecker checker;
    size_t here = 0;
    uint32_t index = 1;
    for (uint64_t off = r.U32(4); r.Has(off, 8) && r.U32(off + 4) >= 8; off += r.U32(off + 4), ++index) {
      if (r.U32(off) == core::emr::kEof) break;
      const uint32_t cb = r.U32(off + 8);
      if (r.U32(off) != core::emr::kGdiComment || cb < 4 || !r.Has(off + 12, cb) || r.U32(off + 12) != ep::kSignature)
        continue;
      ++here;
      EXPECT_TRUE(checker.Comment(r.Sub(off + 12, cb))) << name << ": record " << index + 1 << " " << checker.Why();
    }
    EXPECT_TRUE(checker.End()) << name << ": the metafile " << checker.Why();
    files += here > 0;
    comments += here;
    records += checker.Records();
  }
  std::printf("[ corpus   ] %zu files with %zu EMF+ comments holding %llu EMF+ records\n", files, comments,
              static_cast<unsigned long long>(records));
  EXPECT_GT(comments, 0u);
}
