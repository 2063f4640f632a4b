// The xkdtazv command: its subcommands, options, help and version.
//
//   xkdtazv generate BATCH [--out DIR] [--name NAME] [--sender FILE] [--transliterate] [--json]
//   xkdtazv check BATCH [same options]: writes nothing
//   xkdtazv inspect FILE [--json]
#ifndef XKDTAZV_CLI_COMMAND_LINE_H_
#define XKDTAZV_CLI_COMMAND_LINE_H_

#include <ostream>

namespace xkdtazv::cli {

// Parses the arguments and runs the subcommand; returns the exit status.
int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_CLI_COMMAND_LINE_H_
