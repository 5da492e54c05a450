#include "core/byte_mutation.h"

#include <algorithm>
#include <iterator>

namespace core {
namespace {

// Chunks deleted or duplicated: mostly a few bytes, now and then a large part.
size_t ChunkLength(size_t size, MutationRng& rng) {
  const size_t most = rng.Below(8) == 0 ? size : std::min<size_t>(size, 64);
  return 1 + size_t(rng.Below(most));
}

bool IsBlank(uint8_t c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }

std::string Repeated(const std::string& part, size_t times) {
  std::string s;
  for (size_t i = 0; i < times; ++i) s += part;
  return s;
}

// How often each kind is drawn; truncation is rarer since it hides the rest.
struct Weighted {
  Mutation kind;
  uint64_t weight;
};
constexpr Weighted kKinds[] = {{Mutation::FlipBit, 3},      {Mutation::OverwriteByte, 3},
                               {Mutation::Truncate, 1},     {Mutation::DeleteChunk, 2},
                               {Mutation::DuplicateChunk, 2}, {Mutation::InsertToken, 5}};

Mutation DrawKind(MutationRng& rng) {
  uint64_t total = 0;
  for (const Weighted& k : kKinds) total += k.weight;
  uint64_t pick = rng.Below(total);
  for (const Weighted& k : kKinds) {
    if (pick < k.weight) return k.kind;
    pick -= k.weight;
  }
  return Mutation::FlipBit;
}

}  // namespace

uint64_t MutationRng::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

void ApplyMutation(std::vector<uint8_t>& bytes, Mutation kind, MutationRng& rng,
                   const std::vector<std::string>& tokens) {
  const size_t size = bytes.size();
  if (size == 0 && kind != Mutation::InsertToken) return;
  switch (kind) {
    case Mutation::FlipBit:
      bytes[size_t(rng.Below(size))] ^= uint8_t(1u << rng.Below(8));
      break;
    case Mutation::OverwriteByte:
      bytes[size_t(rng.Below(size))] = uint8_t(rng.Next());
      break;
    case Mutation::Truncate:
      bytes.resize(size_t(rng.Below(size)));
      break;
    case Mutation::DeleteChunk: {
      const size_t at = size_t(rng.Below(size));
      const size_t n = std::min(ChunkLength(size, rng), size - at);
      bytes.erase(bytes.begin() + std::ptrdiff_t(at), bytes.begin() + std::ptrdiff_t(at + n));
      break;
    }
    case Mutation::DuplicateChunk: {
      const size_t at = size_t(rng.Below(size));
      const size_t n = std::min(ChunkLength(size, rng), size - at);
      const std::vector<uint8_t> chunk(bytes.begin() + std::ptrdiff_t(at), bytes.begin() + std::ptrdiff_t(at + n));
      const size_t to = size_t(rng.Below(size + 1));
      bytes.insert(bytes.begin() + std::ptrdiff_t(to), chunk.begin(), chunk.end());
      break;
    }
    case Mutation::InsertToken: {
      if (tokens.empty()) return;
      const std::string& token = tokens[size_t(rng.Below(tokens.size()))];
      size_t to = size_t(rng.Below(size + 1));
      // Half the time where the reader expects such a token: markup after
      // the end of a tag, anything else before a blank (between attributes,
      // between PDF objects), so the token is read as one.
      if (rng.Below(2) && token[0] == '<') {
        while (to < size && bytes[to] != '>') ++to;
        to += to < size;
      } else if (rng.Below(2)) {
        while (to < size && !IsBlank(bytes[to])) ++to;
      }
      bytes.insert(bytes.begin() + std::ptrdiff_t(to), token.begin(), token.end());
      break;
    }
  }
}

std::vector<uint8_t> MutatedVariant(const std::vector<uint8_t>& original, const std::vector<std::string>& tokens,
                                    uint64_t seed, uint64_t index, int maxEdits) {
  // Seeds of neighbouring indexes lie far apart in the generator's sequence.
  MutationRng rng(seed ^ MutationRng(index).Next());
  std::vector<uint8_t> bytes = original;
  const uint64_t edits = 1 + rng.Below(uint64_t(std::max(maxEdits, 1)));
  for (uint64_t i = 0; i < edits; ++i) ApplyMutation(bytes, DrawKind(rng), rng, tokens);
  return bytes;
}

std::vector<uint8_t> MutatedBinaryVariant(const std::vector<uint8_t>& original, uint64_t seed, uint64_t index,
                                          int maxEdits) {
  MutationRng rng(seed ^ MutationRng(index ^ 0xB1A7u).Next());
  std::vector<uint8_t> bytes = original;
  const uint64_t edits = 1 + rng.Below(uint64_t(std::max(maxEdits, 1)));
  for (uint64_t e = 0; e < edits; ++e) {
    if (bytes.size() < 4 || rng.Below(3) == 0) {
      ApplyMutation(bytes, DrawKind(rng), rng, {});
      continue;
    }
    const size_t at = size_t(rng.Below(bytes.size() / 4)) * 4;
    uint32_t old = 0;
    for (int i = 0; i < 4; ++i) old |= uint32_t(bytes[at + size_t(i)]) << (8 * i);
    const uint32_t values[] = {0, 1, 2, 3, 4, 8, 0xFFFF, 0x10000, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu,
                               0x40000001, 0x20000001, old + 1, old - 1, old + 4, old * 2, old >> 1,
                               uint32_t(bytes.size()), uint32_t(bytes.size() - at), uint32_t(rng.Next())};
    const uint32_t v = values[size_t(rng.Below(std::size(values)))];
    for (int i = 0; i < 4; ++i) bytes[at + size_t(i)] = uint8_t(v >> (8 * i));
  }
  return bytes;
}

const std::vector<std::string>& PdfTokens() {
  static const std::vector<std::string> tokens = {
      " obj ", " endobj ", "\nstream\n", "\nendstream\n", "\nxref\n0 999999\n", "\ntrailer\n",
      "<<", ">>", "<< /Length 999999999 >>", "/Length 999999999", "/Length -1", " 99999999999999999999 ",
      " -2147483648 ", " 4294967296 ", " 1e308 ", " -0.0000000001 ", " 3.4e38 ", " 9999 0 R ", " 1 0 R ",
      " 0 0 R ", "/MediaBox [0 0 1e30 1e30]", "/MediaBox [0 0 0 0]", "/MediaBox [0 0 -400 300]",
      "/MediaBox [0 0 14400 14400]", "/UserUnit 75000", "/Rotate 45", "/Rotate -2147483648",
      "/Kids [2 0 R 2 0 R]", "/Parent 3 0 R", "/Count -1", "/Count 2147483647", "/Type /Pages",
      "/Filter /FlateDecode", "/Filter /LZWDecode", "/Filter [/ASCIIHexDecode /RunLengthDecode /DCTDecode]",
      "/Width 100000 /Height 100000 /BitsPerComponent 16", "/ColorSpace /Indexed", "/Encrypt 1 0 R",
      "startxref\n0\n%%EOF\n", "%%EOF", "(", ")", "[", "]", "\\", Repeated("[", 5000), Repeated("<<", 3000),
      Repeated("q ", 5000), "1e30 0 0 1e30 0 0 cm ", "0 0 0 0 0 0 cm ", "BT /F1 1e9 Tf (x) Tj ET ",
      "-1e30 -1e30 2e30 2e30 re f ", "/Im1 Do /Im1 Do ", "/Pattern cs /P0 scn ", std::string("\0\xff\xfe", 3),
  };
  return tokens;
}

const std::vector<std::string>& SvgTokens() {
  static const std::vector<std::string> tokens = {
      " width=\"1e30\"", " height=\"99999999\"", " width=\"-5\"", " width=\"0\"", " viewBox=\"0 0 1e-30 1e-30\"",
      " viewBox=\"0 0 0 0\"", " viewBox=\"NaN NaN inf -inf\"", " viewBox=\"-1e38 -1e38 1e38 1e38\"",
      " transform=\"scale(1e30)\"", " transform=\"matrix(0 0 0 0 0 0)\"", " transform=\"rotate(NaN)\"",
      " stroke-width=\"1e30\"", " r=\"1e38\"", " font-size=\"1e9\"", " x=\"NaN\"", " y=\"-inf\"",
      "<path d=\"M 1e38 1e38 L -1e38 1e38 C 3e38 -3e38 1e308 1e308 0 0 Z\"/>",
      "<path d=\"M0 0 A 1e30 1e-30 45 1 1 1e30 0 Q NaN NaN 1 1\"/>", "<polygon points=\"1e38,1e38 -1e38,0 0,NaN\"/>",
      "<path d=\"M+1+1L+30-30e+2h.5.5\"/>", "<polyline stroke=\"red\" points=\"+1,+1 30;30 @ 5\"/>", " +1e+5 ",
      "<g id=\"r\"><use href=\"#r\"/></g>", "<use xlink:href=\"#r\" width=\"1e30\"/>",
      "<text font-size=\"1e9\">x</text>", "<image width=\"1e9\" height=\"1e9\" href=\"data:image/png;base64,AAAA\"/>",
      "<linearGradient id=\"g\" href=\"#g\"/>", "<pattern id=\"p\" width=\"1e-30\" height=\"1e-30\"/>",
      " fill=\"url(#p)\"", " fill=\"url(#g)\"", "<svg", "<g", "<rect", "</svg>", "</g>", "<", ">", "/>", "\"", "=",
      "&amp", "&#0;", "&#x110000;", "&undefined;", "<![CDATA[", "<!--", "]]>",
      "<!DOCTYPE svg [<!ENTITY a \"aaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]>", "&b;",
      Repeated("<g>", 5000), Repeated("<svg>", 2000), Repeated("</g>", 100), std::string("\0\xff\xfe", 3),
  };
  return tokens;
}

}  // namespace core
