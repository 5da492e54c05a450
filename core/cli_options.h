// The batch command line: what it asks for, read from the arguments without
// touching anything. Everything here is pure, so every rule is tested directly.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/page_choice.h"
#include "core/picture_format.h"
#include "core/picture_size.h"
#include "core/render_geometry.h"

namespace core {

struct BorderPercent {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct CliOptions {
  std::vector<std::wstring> documents;
  std::wstring out;     // one picture file; its extension names the format
  std::wstring outDir;  // or a folder for one picture per document
  WriteOptions write;   // format, resolution, JPEG quality
  std::optional<int32_t> width;
  std::optional<int32_t> height;
  std::optional<BorderPercent> border;
  uint32_t color = 0x00FFFFFF;  // 0x00BBGGRR, white like the colour combo's default
  std::optional<PageChoice> page;  // none: the first page
  bool help = false;
};

// One document and the picture it becomes.
struct RenderJob {
  std::wstring document;
  std::wstring picture;
};

struct ParseResult {
  std::optional<CliOptions> options;  // empty when the arguments are wrong
  std::wstring error;                 // what is wrong, for the usage message
};

// True when the arguments (without the program name) ask for the command line
// rather than the window: any of them starts with "--".
bool WantsCommandLine(const std::vector<std::wstring>& args);

// Reads the arguments (without the program name). Options come in any order,
// each at most once; --render takes every argument up to the next option as a
// document, the others one value each.
ParseResult ParseArguments(const std::vector<std::wstring>& args);

// The documents with their pictures: the --out file, or in the --out-dir
// folder each document's name with the format's extension.
std::vector<RenderJob> Jobs(const CliOptions& options);

// The name a document's picture gets in `folder`: "C:\out" and "D:\docs\plan.emf"
// give "C:\out\plan.png" for PNG; a suffix goes after "plan".
std::wstring PictureInFolder(const std::wstring& folder, const std::wstring& document, PictureFormat format,
                             const std::wstring& suffix = {});

// A whole decimal number within [low, high]: digits only, no sign, no spaces.
std::optional<int32_t> ParseBoundedInt(const std::wstring& text, int32_t low, int32_t high);
// "L,T,R,B": left, top and right 0..100, bottom 0..1000.
std::optional<BorderPercent> ParseBorder(const std::wstring& text);
// "#RRGGBB" in either case, read the way the colour combo reads an HTML colour.
std::optional<uint32_t> ParseHtmlColor(const std::wstring& text);

// The usage text printed with every argument error and for --help.
std::wstring UsageText();

// What the command line writes to standard error before anything else: the
// error, a blank line and the usage text when the arguments are wrong; the
// usage text alone for help; nothing when a render is to run.
std::wstring ReplyText(const ParseResult& result);

// The render settings the options ask for, for a picture of the resolved size.
RenderSettings RenderSettingsFor(const CliOptions& options, PictureSize size);

}  // namespace core
