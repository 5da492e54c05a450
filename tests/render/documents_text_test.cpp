// Plain-text documents: the ANSI fallback and UTF-8 as the platform decodes it,
// and drawing.
#include <gtest/gtest.h>

#include "core/text_decoder.h"
#include "render/documents/text_content.h"
#include "render/documents/text_decoder.h"
#include "tests/render/documents_fixtures.h"

using documents::DecodeText;
namespace page = core::page;

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> b) { return std::vector<uint8_t>(b.begin(), b.end()); }

// What the platform makes of bytes as strict UTF-8, the way the decoder used
// to ask it: nothing when it reports invalid characters.
std::optional<std::wstring> PlatformUtf8(const std::vector<uint8_t>& b) {
  if (b.empty()) return std::wstring();
  const char* p = reinterpret_cast<const char*>(b.data());
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, p, int(b.size()), nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring s(size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, p, int(b.size()), s.data(), n);
  return s;
}

}  // namespace

TEST(TextDecoding, TextThatIsNotUtf8IsReadInTheAnsiCodePage) {
  wchar_t ansi[2] = {};
  const char raw[] = {'a', char(0xE4)};
  MultiByteToWideChar(CP_ACP, 0, raw, 2, ansi, 2);
  EXPECT_EQ(DecodeText(Bytes({'a', 0xE4})), std::wstring(ansi, 2));
  EXPECT_EQ(DecodeText(Bytes({'a', 0xC3, 0xA4})), L"a\x00e4");  // valid UTF-8 stays UTF-8
  EXPECT_FALSE(DecodeText(Bytes({0xEF, 0xBB, 0xBF, 'a', 0xE4})));  // a UTF-8 mark promises UTF-8
  EXPECT_FALSE(DecodeText(Bytes({'a', 0xE4, 0})));                  // NUL in any code page
  EXPECT_FALSE(DecodeText(doctest::ReadSample(L"photo.png")));       // an image
}

// The core decodes UTF-8 itself; it must accept and refuse exactly what the
// platform's strict conversion does, or a file would change encoding.
TEST(TextDecoding, Utf8AgreesWithThePlatformsStrictConversion) {
  const std::vector<std::vector<uint8_t>> cases = {
      Bytes({'a', 'b'}), Bytes({0xC3, 0xA4}), Bytes({0xE2, 0x82, 0xAC}), Bytes({0xF0, 0x9F, 0x98, 0x80}),
      Bytes({0x7F}), Bytes({0xC2, 0x80}), Bytes({0xDF, 0xBF}), Bytes({0xE0, 0xA0, 0x80}),
      Bytes({0xEF, 0xBF, 0xBF}), Bytes({0xEF, 0xBF, 0xBE}), Bytes({0xEF, 0xBB, 0xBF}),
      Bytes({0xF0, 0x90, 0x80, 0x80}), Bytes({0xF4, 0x8F, 0xBF, 0xBF}), Bytes({0xED, 0x9F, 0xBF}),
      Bytes({0xEE, 0x80, 0x80}),
      // overlong forms
      Bytes({0xC0, 0x80}), Bytes({0xC1, 0xBF}), Bytes({0xE0, 0x80, 0x80}), Bytes({0xE0, 0x9F, 0xBF}),
      Bytes({0xF0, 0x80, 0x80, 0x80}), Bytes({0xF0, 0x8F, 0xBF, 0xBF}),
      // surrogates encoded in UTF-8, alone and as a pair
      Bytes({0xED, 0xA0, 0x80}), Bytes({0xED, 0xBF, 0xBF}), Bytes({0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}),
      // beyond U+10FFFF
      Bytes({0xF4, 0x90, 0x80, 0x80}), Bytes({0xF5, 0x80, 0x80, 0x80}), Bytes({0xF7, 0xBF, 0xBF, 0xBF}),
      Bytes({0xF8, 0x88, 0x80, 0x80, 0x80}), Bytes({0xFC, 0x84, 0x80, 0x80, 0x80, 0x80}),
      Bytes({0xFE}), Bytes({0xFF}),
      // stray continuation bytes and cut sequences
      Bytes({0x80}), Bytes({0xBF}), Bytes({'a', 0x80, 'b'}), Bytes({0xC3}), Bytes({0xE2, 0x82}),
      Bytes({0xF0, 0x9F, 0x98}), Bytes({0xC3, 'a'}), Bytes({0xE2, 'a', 0xAC}), Bytes({0xE2, 0x82, 0xC3, 0xA4}),
  };
  for (const auto& b : cases) {
    std::string hex;
    for (uint8_t c : b) hex += " " + std::to_string(c);
    EXPECT_EQ(core::DecodeUtf8(b.data(), b.size()), PlatformUtf8(b)) << "bytes" << hex;
  }
}

TEST(TextDocument, SampleLetterIsAboutThreePagesAndDrawsInsideItsMargins) {
  const auto doc = doctest::Load(documents::DocumentKind::Text, doctest::ReadSample(L"letter.txt"));
  ASSERT_TRUE(doc);
  const SIZEL ext = doc->Extent();
  EXPECT_EQ(ext.cx, page::kWidth);
  EXPECT_GT(ext.cy, 2 * page::kMinHeight);
  EXPECT_LT(ext.cy, 4 * page::kMinHeight);
  const int w = 420, h = int(int64_t(ext.cy) * w / ext.cx);
  const auto canvas = doctest::DrawWhole(*doc, w, h);
  int inkInMargins = 0, inkInText = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool ink = canvas->At(x, y) != RGB(255, 255, 255);
      const bool margin = x < 39 || x >= w - 39 || y < 39 || y >= h - 39;  // 2 cm = 40 px here
      (margin ? inkInMargins : inkInText) += ink;
    }
  EXPECT_EQ(inkInMargins, 0);
  EXPECT_GT(inkInText, 10000);
}

TEST(TextDocument, TooSmallForGlyphsShowsGreyBarsWhereTheTextIs) {
  const auto doc = doctest::Load(documents::DocumentKind::Text, doctest::ReadSample(L"letter.txt"));
  ASSERT_TRUE(doc);
  // A preview-sized page: far below a readable font size.
  const int w = 100, h = int(int64_t(doc->Extent().cy) * w / doc->Extent().cx);
  const auto canvas = doctest::DrawWhole(*doc, w, h);
  int grey = 0, other = 0, inMargins = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const COLORREF c = canvas->At(x, y);
      if (c == RGB(255, 255, 255)) continue;
      (c == RGB(176, 176, 176) ? grey : other) += 1;
      inMargins += x < 9 || x >= w - 9 || y < 9 || y >= h - 9;  // 2 cm = 9.5 px here
    }
  EXPECT_GT(grey, 300);
  EXPECT_EQ(other, 0);
  EXPECT_EQ(inMargins, 0);
  EXPECT_EQ(doctest::RowsDifferingInStrips(*doc, w, h, 37), 0);
}

TEST(TextDocument, StripsGiveExactlyTheRowsOfTheWholeDrawing) {
  const auto doc = doctest::Load(documents::DocumentKind::Text, doctest::ReadSample(L"letter.txt"));
  ASSERT_TRUE(doc);
  const int w = 600, h = int(int64_t(doc->Extent().cy) * w / doc->Extent().cx);
  EXPECT_EQ(doctest::RowsDifferingInStrips(*doc, w, h, 97), 0);
}
