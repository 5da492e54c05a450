// Decoding plain-text files: every encoding the decoder recognises, strict
// UTF-8, and the bytes that are not text.
#include "core/text_decoder.h"

#include <gtest/gtest.h>

#include <vector>

using core::DecodeText;

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> b) { return std::vector<uint8_t>(b.begin(), b.end()); }

// A stand-in for the machine's ANSI code page: Latin-1, marked so the tests can
// tell when the decoder fell back to it.
std::optional<std::wstring> Latin1(const uint8_t* p, size_t n) {
  std::wstring s = L"[ansi]";
  for (size_t i = 0; i < n; ++i) s.push_back(static_cast<wchar_t>(p[i]));
  return s;
}

std::optional<std::wstring> Decode(const std::vector<uint8_t>& b) { return DecodeText(b.data(), b.size(), Latin1); }

std::optional<std::wstring> Utf8(const std::vector<uint8_t>& b) { return core::DecodeUtf8(b.data(), b.size()); }

}  // namespace

TEST(TextDecoding, RecognisesEveryEncodingAndRefusesWhatIsNotText) {
  EXPECT_EQ(Decode(Bytes({0xEF, 0xBB, 0xBF, 'a', 0xC3, 0xA4})), L"a\x00e4");  // UTF-8 with BOM
  EXPECT_EQ(Decode(Bytes({'a', 0xC3, 0xA4})), L"a\x00e4");                     // without
  EXPECT_EQ(Decode(Bytes({0xFF, 0xFE, 'a', 0, 0xE4, 0})), L"a\x00e4");         // UTF-16 LE
  EXPECT_EQ(Decode(Bytes({0xFE, 0xFF, 0, 'a', 0xD8, 0x3D, 0xDE, 0x00})), L"a\xD83D\xDE00");
  EXPECT_EQ(Decode(Bytes({'a', 0xE4})), L"[ansi]a\x00e4");  // not UTF-8: the ANSI code page
  EXPECT_EQ(Decode(Bytes({0xEF, 0xBB, 0xBF})), L"");          // a mark alone is an empty text
  EXPECT_EQ(Decode(Bytes({0xFF, 0xFE})), L"");
  EXPECT_FALSE(Decode({}));                                        // empty file
  EXPECT_FALSE(Decode(Bytes({'a', 0, 'b'})));                      // binary
  EXPECT_FALSE(Decode(Bytes({0xFF, 0xFE, 'a', 0, 0, 0})));         // NUL in UTF-16
  EXPECT_FALSE(Decode(Bytes({0xFF, 0xFE, 0x3D, 0xD8, 'a', 0})));   // lone high surrogate
  EXPECT_FALSE(Decode(Bytes({0xFF, 0xFE, 'a', 0, 0x00, 0xDE})));   // lone low surrogate
  EXPECT_FALSE(Decode(Bytes({0xFE, 0xFF, 0xD8, 0x3D})));           // high surrogate at the end
  EXPECT_FALSE(Decode(Bytes({0xFF, 0xFE, 'a'})));                  // odd UTF-16 length
  EXPECT_FALSE(Decode(Bytes({0xEF, 0xBB, 0xBF, 'a', 0xE4})));      // a UTF-8 mark promises UTF-8
  EXPECT_FALSE(DecodeText(Bytes({'a', 0xE4}).data(), 2, nullptr)); // no code page to fall back to
}

TEST(TextDecoding, Utf8IsStrict) {
  struct Case {
    std::vector<uint8_t> bytes;
    std::optional<std::wstring> text;
  } cases[] = {
      {Bytes({0x7F}), L"\x7F"},
      {Bytes({0xC2, 0x80}), L"\x0080"},
      {Bytes({0xDF, 0xBF}), L"\x07FF"},
      {Bytes({0xE0, 0xA0, 0x80}), L"\x0800"},
      {Bytes({0xED, 0x9F, 0xBF}), L"\xD7FF"},
      {Bytes({0xEE, 0x80, 0x80}), L"\xE000"},
      {Bytes({0xEF, 0xBF, 0xBF}), L"\xFFFF"},
      {Bytes({0xF0, 0x90, 0x80, 0x80}), L"\xD800\xDC00"},
      {Bytes({0xF4, 0x8F, 0xBF, 0xBF}), L"\xDBFF\xDFFF"},
      {Bytes({0xC0, 0x80}), std::nullopt},              // overlong
      {Bytes({0xC1, 0xBF}), std::nullopt},
      {Bytes({0xE0, 0x9F, 0xBF}), std::nullopt},
      {Bytes({0xF0, 0x8F, 0xBF, 0xBF}), std::nullopt},
      {Bytes({0xED, 0xA0, 0x80}), std::nullopt},        // encoded surrogates
      {Bytes({0xED, 0xBF, 0xBF}), std::nullopt},
      {Bytes({0xF4, 0x90, 0x80, 0x80}), std::nullopt},  // above U+10FFFF
      {Bytes({0xF5, 0x80, 0x80, 0x80}), std::nullopt},
      {Bytes({0xF8, 0x88, 0x80, 0x80, 0x80}), std::nullopt},
      {Bytes({0xFF}), std::nullopt},
      {Bytes({0x80}), std::nullopt},                    // stray continuation
      {Bytes({0xE2, 0x82}), std::nullopt},              // cut short
      {Bytes({0xE2, 'a', 0xAC}), std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8(c.bytes), c.text) << int(c.bytes[0]) << " " << c.bytes.size();
}
