// What `inspect` shows: every record field by field in aligned tables, then
// the findings. Written as it is produced, never held whole.
//
//   WriteInspectionText(Inspect(bytes), "out/DTAZV", std::cout);
#ifndef XKDTAZV_INSPECT_INSPECT_REPORT_H_
#define XKDTAZV_INSPECT_INSPECT_REPORT_H_

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "inspect/finding.h"
#include "inspect/inspection.h"
#include "reader/text_encoding.h"

namespace xkdtazv::cli {

// One line per finding, each beginning with where it was found:
// "record 4 (T, payment 3), T12 IBAN, positions 421-455: ...".
std::string FindingLine(const Finding& finding);
std::string FindingLine(const Finding& finding, const Windows1252Table& table);

// A record's type as a report shows it: empty for a record too short to have one.
std::string TypeText(char type, const Windows1252Table& table);

// The findings alone, as `generate` reports them after the component's result.
std::string FindingsText(const std::vector<Finding>& findings);

// The records as tables, then the findings. `path` names the file.
void WriteInspectionText(const Inspection& inspection, std::string_view path, std::ostream& out);

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_INSPECT_INSPECT_REPORT_H_
