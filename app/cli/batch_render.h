// A render without any window: link each document through the document
// holder, size the picture by the size band's rules, and stream it strip by
// strip from the strip renderer into the picture file's writer.
#pragma once
#include <functional>
#include <string>

#include "app/cli/cli_options.h"
#include "render/renderer/strip_renderer.h"

namespace cli {

using TextSink = std::function<void(const std::wstring& text)>;

// Where the command line reports: text for standard error, and whether that
// is a terminal (then each document shows its progress, strip by strip).
struct Console {
  TextSink write;
  bool terminal = false;
};

inline constexpr wchar_t kImportFailedText[] =
    L"Could not import the file. An OLE2 capable application have to exist for this file type.";
using core::kTooLargeForBmpText;
using core::kTooLargeForJpegText;

// Failure seams for tests.
struct BatchHooks {
  render::FailureInjection render;
  int64_t failWriteAfterBytes = -1;
};

enum ExitCode : int { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

// Renders every document with the same settings. kExitOk when every picture
// was written; otherwise kExitFailed, and every other picture is still written.
//
// One document to --out: nothing is printed on success; a failure prints the
// message the window shows, for a document that cannot be imported followed
// by why (the document check's refusal or the platform's code and text).
// --out-dir: one line per document, "[i/n] DOCUMENT: written PICTURE" or
// "[i/n] DOCUMENT: " and the message, then any reason on a line of its own.
// --page all: the same per page, "[i/n] DOCUMENT, page p of m: ...".
// A failed picture leaves no file, and an older one of that name stays.
int RunBatch(const CliOptions& options, const Console& console, const BatchHooks& hooks = {});

}  // namespace cli
