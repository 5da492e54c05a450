#include "core/cli_options.h"

#include "core/color_text.h"
#include "core/render_geometry.h"

namespace core {
namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsHexDigit(wchar_t c) { return IsDigit(c) || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F'); }

// Splits at commas, keeping empty parts, so "1,,2,3" has an empty second part.
std::vector<std::wstring> SplitCommas(const std::wstring& text) {
  std::vector<std::wstring> parts(1);
  for (wchar_t c : text) {
    if (c == L',')
      parts.emplace_back();
    else
      parts.back().push_back(c);
  }
  return parts;
}

ParseResult Fail(std::wstring error) { return ParseResult{std::nullopt, std::move(error)}; }

}  // namespace

bool WantsCommandLine(const std::vector<std::wstring>& args) {
  for (const auto& a : args)
    if (a.rfind(L"--", 0) == 0) return true;
  return false;
}

std::optional<int32_t> ParseBoundedInt(const std::wstring& text, int32_t low, int32_t high) {
  if (text.empty() || text.size() > 9) return std::nullopt;  // nine digits cannot overflow
  int64_t v = 0;
  for (wchar_t c : text) {
    if (!IsDigit(c)) return std::nullopt;
    v = v * 10 + (c - L'0');
  }
  if (v < low || v > high) return std::nullopt;
  return static_cast<int32_t>(v);
}

std::optional<BorderPercent> ParseBorder(const std::wstring& text) {
  const std::vector<std::wstring> parts = SplitCommas(text);
  if (parts.size() != 4) return std::nullopt;
  const auto l = ParseBoundedInt(parts[0], 0, kMaxEdgePercent);
  const auto t = ParseBoundedInt(parts[1], 0, kMaxEdgePercent);
  const auto r = ParseBoundedInt(parts[2], 0, kMaxEdgePercent);
  const auto b = ParseBoundedInt(parts[3], 0, kMaxBottomPercent);
  if (!l || !t || !r || !b) return std::nullopt;
  return BorderPercent{*l, *t, *r, *b};
}

std::optional<uint32_t> ParseHtmlColor(const std::wstring& text) {
  // The combo reads any text somehow ("#FFF" is 0x00000FFF, "FF0000" shifts by
  // one); a command line accepts only the form that means what it says.
  if (text.size() != 7 || text[0] != L'#') return std::nullopt;
  for (size_t i = 1; i < 7; ++i)
    if (!IsHexDigit(text[i])) return std::nullopt;
  const auto c = HtmlToColor(UpperAscii(text));
  if (!c) return std::nullopt;
  return static_cast<uint32_t>(*c);
}

ParseResult ParseArguments(const std::vector<std::wstring>& args) {
  CliOptions o;
  bool seenRender = false, seenOut = false, seenColor = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& name = args[i];
    if (name == L"--help" || name == L"-h" || name == L"/?") {
      o.help = true;
      continue;
    }
    if (name.rfind(L"--", 0) != 0) return Fail(L"Unexpected argument: " + name);
    if (i + 1 >= args.size()) return Fail(name + L" needs a value.");
    const std::wstring& value = args[++i];
    const ParseResult twice = Fail(name + L" is given twice.");
    if (name == L"--render") {
      if (seenRender) return twice;
      if (value.empty()) return Fail(L"--render needs a document file name.");
      o.document = value;
      seenRender = true;
    } else if (name == L"--out") {
      if (seenOut) return twice;
      if (value.empty()) return Fail(L"--out needs a picture file name.");
      o.out = value;
      seenOut = true;
    } else if (name == L"--width" || name == L"--height") {
      std::optional<int32_t>& side = name == L"--width" ? o.width : o.height;
      if (side) return twice;
      side = ParseBoundedInt(value, 1, kMaxSide);
      if (!side) return Fail(name + L" must be a whole number from 1 to 30000, not \"" + value + L"\".");
    } else if (name == L"--border") {
      if (o.border) return twice;
      o.border = ParseBorder(value);
      if (!o.border)
        return Fail(L"--border must be L,T,R,B in percent: left, top and right 0..100, bottom 0..1000, not \"" +
                    value + L"\".");
    } else if (name == L"--border-color") {
      if (seenColor) return twice;
      const auto c = ParseHtmlColor(value);
      if (!c) return Fail(L"--border-color must be #RRGGBB, not \"" + value + L"\".");
      o.color = *c;
      seenColor = true;
    } else {
      return Fail(L"Unknown option: " + name);
    }
  }
  if (o.help) return ParseResult{o, {}};
  if (!seenRender) return Fail(L"--render DOCUMENT is missing.");
  if (!seenOut) return Fail(L"--out PICTURE.bmp is missing.");
  if (seenColor && !o.border) return Fail(L"--border-color needs --border.");
  return ParseResult{o, {}};
}

std::wstring ReplyText(const ParseResult& result) {
  if (!result.options) return result.error + L"\n\n" + UsageText();
  if (result.options->help) return UsageText();
  return {};
}

std::wstring UsageText() {
  return L"Usage: verdalux.exe --render DOCUMENT --out PICTURE.bmp [--width W] [--height H]\n"
         L"                    [--border L,T,R,B] [--border-color #RRGGBB]\n"
         L"Renders DOCUMENT without a window into a 24-bit BMP picture.\n"
         L"  --width W, --height H  picture size in pixels, 1..30000. One alone derives the\n"
         L"                         other from the document's aspect ratio; neither gives\n"
         L"                         width 750 and the height that goes with it.\n"
         L"  --border L,T,R,B       border in percent: left and right of the width (0..100),\n"
         L"                         top (0..100) and bottom (0..1000) of the height.\n"
         L"  --border-color #RRGGBB border colour, white when not given.\n"
         L"Exit code 0 on success; nothing is written when rendering or writing fails.\n";
}

}  // namespace core
