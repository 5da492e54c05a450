// The batch command line's options. Reading them is pure and lives in the
// core; the command line and the batch render use them under their own names.
#pragma once
#include "core/cli_options.h"

namespace cli {

using core::BorderPercent;
using core::CliOptions;
using core::ParseArguments;
using core::ParseResult;
using core::ReplyText;
using core::WantsCommandLine;

}  // namespace cli
