// A render without any window: link the document through the document holder,
// size the picture by the size band's rules, draw it with the strip renderer
// and write it as a BMP file.
#pragma once
#include <functional>
#include <string>

#include "app/cli/cli_options.h"
#include "render/renderer/strip_renderer.h"

namespace cli {

using TextSink = std::function<void(const std::wstring& line)>;

inline constexpr wchar_t kImportFailedText[] =
    L"Could not import the file. An OLE2 capable application have to exist for this file type.";
inline constexpr wchar_t kTooLargeForBmpText[] =
    L"Could not write the picture: a BMP file holds at most 4 GB. Please choose a smaller size!";

// Failure seams for tests.
struct BatchHooks {
  render::FailureInjection render;
  int64_t failWriteAfterBytes = -1;
};

enum ExitCode : int { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

// kExitOk with the picture written; otherwise kExitFailed, with one line of
// explanation sent to `errors` (the message the window shows) and no file
// written or changed. A document that cannot be imported adds a second line:
// why, as the document check or the platform put it.
int RunBatch(const CliOptions& options, const TextSink& errors, const BatchHooks& hooks = {});

}  // namespace cli
