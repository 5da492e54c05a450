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

namespace {

bool IsOption(const std::wstring& arg) { return arg.rfind(L"--", 0) == 0; }

// Names compared the way Windows compares file names, as far as the core can
// without the platform: ASCII letters in any case, either slash.
std::wstring FoldedName(const std::wstring& name) {
  std::wstring f = UpperAscii(name);
  for (wchar_t& c : f)
    if (c == L'/') c = L'\\';
  return f;
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

// The checks that need every option: what goes together, and which file each
// document becomes.
ParseResult Complete(CliOptions o, bool seenFormat, bool seenQuality, bool seenColor) {
  if (o.documents.empty()) return Fail(L"--render DOCUMENT is missing.");
  if (o.out.empty() && o.outDir.empty()) return Fail(L"--out PICTURE or --out-dir FOLDER is missing.");
  if (!o.out.empty() && !o.outDir.empty()) return Fail(L"--out and --out-dir cannot be given together.");
  if (!o.out.empty()) {
    if (o.documents.size() > 1) return Fail(L"--out names one picture; for several documents give --out-dir FOLDER.");
    if (seenFormat) return Fail(L"--format goes with --out-dir; with --out the file's extension names the format.");
    const auto format = FormatFromFileName(o.out);
    if (!format)
      return Fail(L"--out must end in one of " + std::wstring(kSupportedExtensions) + L", not " + Quoted(o.out) +
                  L".");
    o.write.format = *format;
  }
  if (seenQuality && o.write.format != PictureFormat::kJpeg) return Fail(L"--quality is for JPEG pictures only.");
  if (seenColor && !o.border) return Fail(L"--border-color needs --border.");
  if (o.page && o.page->all && o.outDir.empty())
    return Fail(L"--page all writes one picture per page; give --out-dir FOLDER instead of --out.");
  const std::vector<RenderJob> jobs = Jobs(o);
  for (size_t i = 0; i < jobs.size(); ++i) {
    for (size_t j = 0; j < i; ++j) {
      if (FoldedName(jobs[i].document) == FoldedName(jobs[j].document))
        return Fail(Quoted(jobs[i].document) + L" is given twice.");
      if (FoldedName(jobs[i].picture) == FoldedName(jobs[j].picture))
        return Fail(Quoted(jobs[j].document) + L" and " + Quoted(jobs[i].document) + L" would both be written to " +
                    Quoted(jobs[i].picture) + L".");
    }
  }
  return ParseResult{std::move(o), {}};
}

}  // namespace

ParseResult ParseArguments(const std::vector<std::wstring>& args) {
  CliOptions o;
  bool seenRender = false, seenOut = false, seenOutDir = false, seenColor = false, seenFormat = false,
       seenQuality = false, seenDpi = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& name = args[i];
    if (name == L"--help" || name == L"-h" || name == L"/?") {
      o.help = true;
      continue;
    }
    if (!IsOption(name)) return Fail(L"Unexpected argument: " + name);
    const ParseResult twice = Fail(name + L" is given twice.");
    if (name == L"--render") {
      if (seenRender) return twice;
      seenRender = true;
      // Every argument up to the next option is a document.
      while (i + 1 < args.size() && !IsOption(args[i + 1])) {
        if (args[i + 1].empty()) return Fail(L"--render needs document file names, not an empty one.");
        o.documents.push_back(args[++i]);
      }
      if (o.documents.empty()) return Fail(L"--render needs a document file name.");
      continue;
    }
    if (i + 1 >= args.size()) return Fail(name + L" needs a value.");
    const std::wstring& value = args[++i];
    if (name == L"--out") {
      if (seenOut) return twice;
      if (value.empty()) return Fail(L"--out needs a picture file name.");
      o.out = value;
      seenOut = true;
    } else if (name == L"--out-dir") {
      if (seenOutDir) return twice;
      if (value.empty()) return Fail(L"--out-dir needs a folder name.");
      o.outDir = value;
      seenOutDir = true;
    } else if (name == L"--format") {
      if (seenFormat) return twice;
      const auto format = FormatFromName(value);
      if (!format) return Fail(L"--format must be one of bmp png jpg jpeg tif tiff, not " + Quoted(value) + L".");
      o.write.format = *format;
      seenFormat = true;
    } else if (name == L"--quality") {
      if (seenQuality) return twice;
      const auto q = ParseBoundedInt(value, kMinQuality, kMaxQuality);
      if (!q) return Fail(L"--quality must be a whole number from 1 to 100, not " + Quoted(value) + L".");
      o.write.quality = *q;
      seenQuality = true;
    } else if (name == L"--dpi") {
      if (seenDpi) return twice;
      const auto d = ParseBoundedInt(value, kMinDpi, kMaxDpi);
      if (!d) return Fail(L"--dpi must be a whole number from 1 to 65535, not " + Quoted(value) + L".");
      o.write.dpi = *d;
      seenDpi = true;
    } else if (name == L"--width" || name == L"--height") {
      std::optional<int32_t>& side = name == L"--width" ? o.width : o.height;
      if (side) return twice;
      side = ParseBoundedInt(value, 1, kMaxSide);
      if (!side) return Fail(name + L" must be a whole number from 1 to 30000, not " + Quoted(value) + L".");
    } else if (name == L"--border") {
      if (o.border) return twice;
      o.border = ParseBorder(value);
      if (!o.border)
        return Fail(L"--border must be L,T,R,B in percent: left, top and right 0..100, bottom 0..1000, not " +
                    Quoted(value) + L".");
    } else if (name == L"--page") {
      if (o.page) return twice;
      o.page = ParsePageChoice(value);
      if (!o.page) return Fail(L"--page must be a page number from 1 or all, not " + Quoted(value) + L".");
    } else if (name == L"--border-color") {
      if (seenColor) return twice;
      const auto c = ParseHtmlColor(value);
      if (!c) return Fail(L"--border-color must be #RRGGBB, not " + Quoted(value) + L".");
      o.color = *c;
      seenColor = true;
    } else {
      return Fail(L"Unknown option: " + name);
    }
  }
  if (o.help) return ParseResult{o, {}};
  if (!seenRender) return Fail(L"--render DOCUMENT is missing.");
  if (!seenFormat) o.write.format = PictureFormat::kPng;  // with --out, its extension decides
  return Complete(std::move(o), seenFormat, seenQuality, seenColor);
}

std::wstring PictureInFolder(const std::wstring& folder, const std::wstring& document, PictureFormat format,
                             const std::wstring& suffix) {
  const size_t slash = document.find_last_of(L"\\/");
  std::wstring name = slash == std::wstring::npos ? document : document.substr(slash + 1);
  const size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos && dot > 0) name.resize(dot);
  std::wstring path = folder;
  if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
  return path + name + suffix + FormatExtension(format);
}

std::vector<RenderJob> Jobs(const CliOptions& options) {
  std::vector<RenderJob> jobs;
  for (const std::wstring& d : options.documents)
    jobs.push_back({d, options.out.empty() ? PictureInFolder(options.outDir, d, options.write.format) : options.out});
  return jobs;
}

std::wstring ReplyText(const ParseResult& result) {
  if (!result.options) return result.error + L"\n\n" + UsageText();
  if (result.options->help) return UsageText();
  return {};
}

std::wstring UsageText() {
  return L"Usage: verdalux.exe --render DOCUMENT --out PICTURE [options]\n"
         L"       verdalux.exe --render DOCUMENT... --out-dir FOLDER [--format FORMAT] [options]\n"
         L"Renders documents without a window into 24-bit pictures, written strip by strip.\n"
         L"  --out PICTURE          the picture file; its extension names the format:\n"
         L"                         .bmp .png .jpg .jpeg .tif .tiff\n"
         L"  --out-dir FOLDER       one picture per document, named after it, in FOLDER\n"
         L"  --format FORMAT        with --out-dir: bmp, png, jpg, jpeg, tif or tiff (png)\n"
         L"  --width W, --height H  picture size in pixels, 1..30000. One alone derives the\n"
         L"                         other from the document's aspect ratio; neither gives\n"
         L"                         width 750 and the height that goes with it.\n"
         L"  --border L,T,R,B       border in percent: left and right of the width (0..100),\n"
         L"                         top (0..100) and bottom (0..1000) of the height.\n"
         L"  --border-color #RRGGBB border colour, white when not given.\n"
         L"  --page N               page N of a PDF, SVG or XPS document (1)\n"
         L"  --page all             every page, one picture each, named DOCUMENT-N, into\n"
         L"                         --out-dir FOLDER\n"
         L"  --dpi N                resolution recorded in the file, 1..65535 (96)\n"
         L"  --quality Q            JPEG quality, 1..100 (90)\n"
         L"  --help                 this text\n"
         L"Exit code 0 when every picture is written, 1 when any failed (the others are\n"
         L"still written; a failed one leaves no file), 2 for wrong arguments.\n";
}

RenderSettings RenderSettingsFor(const CliOptions& options, PictureSize size) {
  RenderSettings s;
  s.width = size.width;
  s.height = size.height;
  s.border = options.border.has_value();
  if (options.border) {
    s.left = options.border->left;
    s.top = options.border->top;
    s.right = options.border->right;
    s.bottom = options.border->bottom;
  }
  s.color = options.color;
  return s;
}

}  // namespace core
