// `xkdtazv inspect FILE [--json]`: shows a DTAZV file field by field and what
// a bank would reject in it.
#ifndef XKDTAZV_CLI_INSPECT_COMMAND_H_
#define XKDTAZV_CLI_INSPECT_COMMAND_H_

#include <ostream>
#include <string>

namespace xkdtazv::cli {

// 0 when the file is sound, 1 when it has findings, 2 when it cannot be read
// as DTAZV at all.
int RunInspect(const std::string& path, bool json, std::ostream& out, std::ostream& err);

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_CLI_INSPECT_COMMAND_H_
