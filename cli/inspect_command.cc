#include "cli/inspect_command.h"

#include "cli/exit_status.h"
#include "cli/file_access.h"
#include "inspect/inspect_json.h"
#include "inspect/inspect_report.h"
#include "inspect/inspection.h"

namespace xkdtazv::cli {

int RunInspect(const std::string& path, bool json, std::ostream& out, std::ostream& err) {
  const FileContents contents = ReadDtazvFile(path);
  if (contents.too_large) {
    err << "xkdtazv inspect: " << path << ": not a DTAZV file: " << contents.error << "\n";
    return kInputError;
  }
  if (!contents.bytes) {
    err << "xkdtazv inspect: cannot read " << path << ": " << contents.error << "\n";
    return kInputError;
  }
  const Inspection inspection = Inspect(*contents.bytes);
  if (json) {
    WriteInspectionJson(inspection, path, out);
  } else if (inspection.file.readable) {
    WriteInspectionText(inspection, path, out);
  }
  if (!inspection.file.readable) {
    err << "xkdtazv inspect: " << path << ": " << inspection.file.unreadable_reason << "\n";
    return kInputError;
  }
  return inspection.sound() ? kClean : kFindings;
}

}  // namespace xkdtazv::cli
