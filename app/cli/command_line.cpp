#include "app/cli/command_line.h"

#include <string>
#include <vector>

#include "app/cli/batch_render.h"
#include "app/cli/cli_options.h"
#include "app/cli/error_output.h"

namespace cli {

int RunCommandLine(int argc, wchar_t** argv, bool& handled) {
  std::vector<std::wstring> args;
  for (int i = 1; i < argc && argv; ++i) args.emplace_back(argv[i] ? argv[i] : L"");
  handled = WantsCommandLine(args);
  if (!handled) return kExitOk;

  const ParseResult parsed = ParseArguments(args);
  if (!parsed.options || parsed.options->help) {
    WriteToStandardError(ReplyText(parsed));
    return parsed.options ? kExitOk : kExitUsage;
  }
  return RunBatch(*parsed.options, Console{&WriteToStandardError, StandardErrorIsTerminal()});
}

}  // namespace cli
